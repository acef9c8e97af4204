#pragma once
// Writes a complete demo company: the data root's settings and the company folder with every
// data file of the set, the settings files the module reads and the line files of its
// source documents. Files of the same name are replaced; nothing else is touched.

#include <filesystem>
#include <string>

#include "tools/demo/demo_options.h"

namespace qorvana::demo {

struct DemoSummary {
    std::filesystem::path companyFolder;
    int customers = 0;
    int articles = 0;
    int agents = 0;
    int accounts = 0;
    int notes = 0;
    int noteRecords = 0;
    int receipts = 0;
    int quotes = 0;
    int lineFiles = 0;
};

// Throws DemoWriteError when a folder or file cannot be written.
DemoSummary WriteDemoCompany(const DemoOptions& options);
// A few lines saying what was written.
std::string SummaryText(const DemoSummary& summary, const DemoOptions& options);

}  // namespace qorvana::demo
