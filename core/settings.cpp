#include "core/settings.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "core/general_settings_record.h"
#include "core/numbers.h"
#include "core/seq_reader.h"
#include "core/whole_file.h"

namespace qorvana {
namespace {

// A settings file read whole; one that is there but cannot be read is noted in `problems`.
SeqReader ReadSettingsFile(const std::filesystem::path& file, const std::string& suiteName,
                           std::vector<std::string>& problems) {
    SeqReader in(file);
    NoteReadError(problems, in.readError(), suiteName);
    return in;
}

// Currency mode and amount decimals (items 1 and 5) and the electronic-invoice switch (the
// second line, on when its numeric value is not 0) of qorvana.eur; the exchange rate and
// currency names between them are the suite's.
void LoadCurrencySettings(Session& s, std::vector<std::string>& problems) {
    RunSettings& settings = s.runSettings;
    SeqReader in =
        ReadSettingsFile(s.dataRootFile("qorvana.eur"), s.dataRootPath("qorvana.eur"), problems);
    std::array<std::string, 6> items;  // items 1..5 of the first line
    for (int item = 1; item <= 5; ++item) items[item] = in.readItem();
    const bool read = !in.failed();
    in.clearError();
    const std::string electronicInvoices = in.readLine();
    settings.electronicInvoices = !in.failed() && Val(electronicInvoices) != 0;
    settings.euro = !(read && Val(items[1]) == 0);
    // Amount decimals other than 3, 4 or 5 mean 2, for every user of the setting.
    const double decimals = read ? Val(items[5]) : 2;
    const bool kept = decimals == 3 || decimals == 4 || decimals == 5;
    settings.priceDecimals = kept ? static_cast<int>(decimals) : 2;
}

// Record 1 of a qorvana.gnr (a short file leaves the rest zero); nullopt when the file is
// missing, or is there but cannot be read (then noted in `problems`).
std::optional<GeneralSettingsRecord> ReadGeneralSettings(const std::filesystem::path& file,
                                                         const std::string& suiteName,
                                                         std::vector<std::string>& problems) {
    const FileRead read = ReadWholeFile(file);
    NoteReadError(problems, read.error, suiteName);
    if (!read.ok()) return std::nullopt;
    GeneralSettingsRecord record;
    std::copy_n(read.bytes.begin(), std::min(read.bytes.size(), gnr::kLength),
                record.bytes().begin());
    return record;
}

GeneralSettingsRecord DefaultGeneralSettings() {
    GeneralSettingsRecord r;
    r.blankTexts(gnr::kFields);
    r.setText(gnr::kAlternateRows, "0");
    r.setText(gnr::kDefaultVatCode, "01");
    r.setText(gnr::kVersionMark, "9");
    r.setText(gnr::kVersionSwitch1, "1");
    r.setDouble(gnr::kRowColour1, gnr::kDefaultRowColour1);
    r.setDouble(gnr::kRowColour2, gnr::kDefaultRowColour2);
    r.setText(gnr::kVersionSwitch2, "1");
    return r;
}

bool IsVatCodeNumber(const std::string& text) {
    const double code = Val(text);
    return !text.empty() && code == std::floor(code) && code >= 1 && code <= 24;
}

// Brings a record read from a file to the current version; true when it changed.
bool NormaliseGeneralSettings(GeneralSettingsRecord& r) {
    const GeneralSettingsRecord before = r;
    if (!IsVatCodeNumber(r.text(gnr::kDefaultVatCode))) r.setText(gnr::kDefaultVatCode, "01");
    if (r.text(gnr::kVersionMark) != "9") {
        r.setText(gnr::kVersionMark, "9");
        r.setText(gnr::kVersionSwitch1, "1");
        r.setDouble(gnr::kRowColour1, gnr::kDefaultRowColour1);
        r.setDouble(gnr::kRowColour2, gnr::kDefaultRowColour2);
        r.setText(gnr::kAlternateRows, "1");
        r.setText(gnr::kVersionSwitch2, "1");
    }
    return r != before;
}

// The record, and whether it must be written to the company's qorvana.gnr: when it came from
// the data root or the defaults, or normalising changed it; never over a file that is there
// but could not be read.
bool LoadGeneralSettings(Session& s, std::vector<std::string>& problems) {
    const std::size_t before = problems.size();
    bool save = false;
    if (auto own = ReadGeneralSettings(s.companyFile("qorvana.gnr"), s.companyPath("qorvana.gnr"),
                                       problems)) {
        s.generalSettings = *own;
        save = NormaliseGeneralSettings(s.generalSettings);
    } else if (auto shared = ReadGeneralSettings(s.dataRootFile("qorvana.gnr"),
                                                 s.dataRootPath("qorvana.gnr"), problems)) {
        s.generalSettings = *shared;
        NormaliseGeneralSettings(s.generalSettings);
        save = true;
    } else {
        if (problems.size() == before) {
            std::error_code ignored;
            std::filesystem::create_directories(s.paths.map("\\QORWIN\\PDF"), ignored);
        }
        s.generalSettings = DefaultGeneralSettings();
        save = true;
    }
    return save && problems.size() == before;
}

}  // namespace

void NoteReadError(std::vector<std::string>& problems, int readError,
                   const std::string& suiteName) {
    if (readError != 0) NoteDefaultsUsed(problems, ReadFailureMessage(suiteName, readError));
}

void NoteDefaultsUsed(std::vector<std::string>& problems, const std::string& failure) {
    if (!failure.empty()) problems.push_back(failure + ". Si usano i valori predefiniti.");
}

SharedSettingsLoad LoadSharedSettings(Session& session) {
    SharedSettingsLoad load;
    // The company's qorvana.int and the print fonts of qorvana.tbl are read as the suite reads
    // them at start, so that one that cannot be read is said; nothing here uses their values.
    ReadSettingsFile(session.companyFile("qorvana.int"), session.companyPath("qorvana.int"),
                     load.problems);
    LoadCurrencySettings(session, load.problems);
    ReadSettingsFile(session.dataRootFile("qorvana.tbl"), session.dataRootPath("qorvana.tbl"),
                     load.problems);
    load.saveGeneralSettings = LoadGeneralSettings(session, load.problems);
    return load;
}

std::vector<std::string> RefreshSharedSettings(Session& session) {
    SharedSettingsLoad load = LoadSharedSettings(session);
    if (load.saveGeneralSettings)
        if (const Status saved = SaveGeneralSettings(session); !saved)
            load.problems.push_back(saved.message() + ".");
    return load.problems;
}

Status SaveGeneralSettings(const Session& session) {
    const auto file = session.companyFile("qorvana.gnr");
    const std::string suiteName = session.companyPath("qorvana.gnr");
    // Record 1 is replaced; anything the file holds after it stays as it is.
    FileRead read = ReadWholeFile(file);
    if (read.error != 0) return Failure{ReadFailureMessage(suiteName, read.error)};
    const auto record = session.generalSettings.bytes();
    std::string bytes = std::move(read.bytes);
    if (bytes.size() < record.size()) bytes.resize(record.size());
    std::copy(record.begin(), record.end(), bytes.begin());
    return WriteFileDurably(file, suiteName, bytes);
}

StartTables LoadStartTables(const Session& session, const TabFile& tab) {
    StartTables t;
    NoteReadError(t.problems, tab.readError(), session.companyPath("qorvana.tab"));
    for (int row = 1; row <= 40; ++row) {
        const int first = TabFile::CarrierLine(row);
        auto& cells = t.carrierRows[static_cast<std::size_t>(row)];
        // Only lines the file holds become combo items.
        if (first <= tab.lineCount()) t.transportReasons.push_back(tab.line(first));
        if (first + 1 <= tab.lineCount()) t.goodsAppearance.push_back(tab.line(first + 1));
        if (first + 2 <= tab.lineCount()) t.carriers.push_back(tab.line(first + 2));
        cells[0] = tab.line(first + 2);
        cells[1] = tab.line(first + 3);
        cells[2] = tab.line(first + 4);
        cells[5] = tab.line(first + 5);
    }
    t.paEnabled = ModulesListHas(session, "=FPA", &t.problems);
    return t;
}

bool ModulesListHas(const Session& session, const std::string& line,
                    std::vector<std::string>* problems) {
    SeqReader in(session.dataRootFile("qorvana.prg"));
    if (problems) NoteReadError(*problems, in.readError(), session.dataRootPath("qorvana.prg"));
    while (!in.atEnd())
        if (in.readLine() == line) return true;
    return false;
}

}  // namespace qorvana
