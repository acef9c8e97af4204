#pragma once
// The shared settings files: qorvana.int, qorvana.eur, qorvana.tbl, qorvana.gnr (company
// folder, else data root, else defaults), and the start form's tables from qorvana.tab and
// qorvana.prg. Every file is optional and falls back to the defaults.

#include <array>
#include <string>
#include <vector>

#include "startup/session.h"
#include "startup/tab_file.h"

namespace qorvana {

// Reads qorvana.int, qorvana.eur, qorvana.tbl and qorvana.gnr into the session.
void LoadSharedSettings(Session& session);
// Writes generalSettings as record 1 of the company's qorvana.gnr (creating it).
// Returns false when it could not be written.
bool SaveGeneralSettings(const Session& session);

// The start form's tables: transport reasons, appearance of goods, carriers (40 rows,
// columns 0..2 shown, column 5 kept for the electronic invoice), and the "=FPA" flag.
struct StartTables {
    std::vector<std::string> transportReasons;                 // Combo1
    std::vector<std::string> goodsAppearance;                  // Combo2
    std::vector<std::string> carriers;                         // Combo3
    std::array<std::array<std::string, 6>, 41> carrierRows{};  // rows 1..40, columns 0..5
    bool paEnabled = false;
};
StartTables LoadStartTables(const Session& session, const TabFile& tab);
// True when the data root's qorvana.prg holds the exact line "=FPA".
bool ModulesListHas(const Session& session, const std::string& line);

}  // namespace qorvana
