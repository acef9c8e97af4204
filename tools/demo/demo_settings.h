#pragma once
// Contents of the demo company's settings files: data root (qorvana.eur, qorvana.tbl,
// qorvana.prg) and company folder (qorvana.int, qorvana.tab, qorvana.ilx, qorvana.lyf,
// qorvana.pdf, qorvana.lkf, qorvana.gnr, qorvana.fpa).

#include <string>
#include <vector>

#include "core/general_settings_record.h"
#include "fatturapa/fpa_record.h"
#include "tools/demo/demo_options.h"

namespace qorvana::demo {

// The VAT rates of codes 1..16 as written in qorvana.tab ("" = code not in use).
const std::vector<std::string>& DemoVatRates();

std::vector<std::string> EurLines(const DemoOptions& options);
std::vector<std::string> TblLines();
std::vector<std::string> PrgLines(const DemoOptions& options);
std::vector<std::string> IntLines();
// Exactly TabFile::kLines lines, each block where the block map puts it.
std::vector<std::string> TabLines();
std::vector<std::string> IlxLines();
// 100 layout items of 6 lines: an A4 invoice, positions in millimetres.
std::vector<std::string> LyfLines();
std::vector<std::string> PdfLines();
// Form drawing of the invoice: captions, lines and boxes around the layout items.
std::vector<std::string> LkfLines();

GeneralSettingsRecord DemoGeneralSettings();
FpaRecord DemoFpaSettings(int company);

}  // namespace qorvana::demo
