#pragma once
// The program's shared state for one run: the suite's shared globals (named as the suite
// names them), the open data files, the paths and the clock. Created by main and passed by
// reference to every form; there are no mutable globals. The document being issued is not
// here: it is the forms' DocumentDraft (document/document_draft.h).

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/civil_date.h"
#include "core/data_files.h"
#include "core/general_settings_record.h"
#include "core/money.h"
#include "core/paths.h"
#include "core/record.h"
#include "core/run_settings.h"
#include "core/session_codes.h"

namespace qorvana {

struct CompanySettings;  // company/company_settings.h

struct Session {
    Session();

    // --- shared globals ---
    double companyNumber = 0;
    RunSettings runSettings;  // qorvana.eur and the PDF folder, read once
    GeneralSettingsRecord generalSettings{};
    int returnPending = 0;
    ReturnAction returnAction = ReturnAction::NewDocument;
    CustomerListMode customerListMode = CustomerListMode::Closed;
    int rowCount = 0;
    // The company's settings read from its files (company/company_settings.h: loaded at start,
    // parts read again where the windows load; SettingsOf gives them).
    std::shared_ptr<CompanySettings> companySettings;

    // --- run environment ---
    PathMapper paths;
    SessionClock clock;
    DataFiles files;
    std::optional<std::filesystem::path> printTo;  // --print-to folder
    // Messages about files that could not be read, already told in this run: each is told once.
    std::set<std::string> toldProblems;
    // The repair of counters out of step with the archive was offered in this run: it is
    // offered once, whatever the answer.
    bool counterRepairOffered = false;
    // The document (its record of qorvana.fte) that the recovery at start completed: "Ristampa"
    // prints it, read back from its records, until a document is posted in this run.
    std::optional<int> recoveredDocument;

    // Amount rules of the current currency mode (runSettings).
    Money money() const;
    // Documents are numbered "number/year" (general settings offset 252 = "1").
    bool numberWithYear() const;
    // Host path of the company folder (\qorwin\qorwin\qoraz0.NNN).
    std::filesystem::path companyFolder() const;
    // Host path of a file of the company folder / of the data root.
    std::filesystem::path companyFile(const std::string& name) const;
    std::filesystem::path dataRootFile(const std::string& name) const;
    // The suite path of a file of the company folder / of the data root, as messages name it
    // (\qorwin\qorwin\qoraz0.001\qorvana.lyf).
    std::string companyPath(const std::string& name) const;
    std::string dataRootPath(const std::string& name) const;
};

}  // namespace qorvana
