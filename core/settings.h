#pragma once
// The shared settings files: qorvana.int, qorvana.eur, qorvana.tbl, qorvana.gnr (company
// folder, else data root, else defaults), and the start form's tables from qorvana.tab and
// qorvana.prg. Of qorvana.int and qorvana.tbl the program uses nothing: they are read, as the
// suite reads them at start, so that one that cannot be read is said. Every file is optional and
// falls back to the defaults; a file that is there but cannot be read is said in a message that
// names it. Loading never writes.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/session.h"
#include "core/tab_file.h"

namespace qorvana {

struct SharedSettingsLoad {
    std::vector<std::string> problems;  // settings files that are there but cannot be read
    bool saveGeneralSettings = false;   // the record belongs in the company's qorvana.gnr
};
// Reads qorvana.int, qorvana.eur, qorvana.tbl and qorvana.gnr: the currency mode, amount
// decimals and electronic-invoice switch into runSettings, the general settings record.
SharedSettingsLoad LoadSharedSettings(Session& session);
// Writes generalSettings as record 1 of the company's qorvana.gnr (creating it, keeping what
// follows record 1) through the durable path; the message of a failure.
Status SaveGeneralSettings(const Session& session);
// LoadSharedSettings, then SaveGeneralSettings when the load asks for it, as the forms do when
// they load: the messages of the files that could not be read or written.
std::vector<std::string> RefreshSharedSettings(Session& session);
// Adds to `problems` the message of a settings file that is there but could not be read
// (`readError` not 0): it names the file by its suite path.
void NoteReadError(std::vector<std::string>& problems, int readError, const std::string& suiteName);
// Adds to `problems` `failure`, the message of a settings file that could not be read (none
// when empty), saying that the defaults are used in its place.
void NoteDefaultsUsed(std::vector<std::string>& problems, const std::string& failure);

// The start form's tables: transport reasons, appearance of goods, carriers (40 rows,
// columns 0..2 shown, column 5 kept for the electronic invoice), and the "=FPA" flag.
struct StartTables {
    std::vector<std::string> transportReasons;  // Combo1
    std::vector<std::string> goodsAppearance;   // Combo2
    std::vector<std::string> carriers;          // Combo3
    // rows 1..40, columns 0..5; no "{}" initialiser: clang 14 crashes on it at random
    std::array<std::array<std::string, 6>, 41> carrierRows;
    bool paEnabled = false;
    std::vector<std::string> problems;  // qorvana.tab or qorvana.prg there but unreadable
};
StartTables LoadStartTables(const Session& session, const TabFile& tab);
// True when the data root's qorvana.prg holds the exact line `line` ("=FPA"); a file that
// cannot be read is noted in `problems`.
bool ModulesListHas(const Session& session, const std::string& line,
                    std::vector<std::string>* problems = nullptr);

}  // namespace qorvana
