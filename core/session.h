#pragma once
// The program's shared state for one run: the suite's shared globals (named as the suite
// names them), the open data files, the paths and the clock. Created by main and passed by
// reference to every form; there are no mutable globals.

#include <array>
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
#include "core/session_codes.h"

namespace qorvana {

struct CompanySettings;  // company/company_settings.h

struct Session {
    Session();

    // --- shared globals ---
    double companyNumber = 0;
    std::array<std::string, 21> workStrings{};  // slot 19 = "0" at start
    GeneralSettingsRecord generalSettings{};
    int currentCustomer = 0;
    DocumentKind documentKind = DocumentKind::Invoice;
    int fpaState = kFpaOrdinary;  // kFpaXmlNotWritten, or the transmission number
    int fpaPanelOpened = 0;
    int returnPending = 0;
    ReturnAction returnAction = ReturnAction::NewDocument;
    CustomerListMode customerListMode = CustomerListMode::Closed;
    int chosenQuote = 0;
    int rowCount = 0;
    CivilDateTime issueMoment{};  // date and time of issue of the document being confirmed
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

    // Amount rules of the current currency mode (workStrings slots 1 and 5).
    Money money() const;
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
