#pragma once
// Command line of qorvana-demo:
//   qorvana-demo --drive DIR [--company N] [--customers N] [--articles N] [--modules LIST]
//                [--fpa-switch 0|1] [--fpa-format 1.0|1.2.3] [--lire] [--notes N]

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace qorvana::demo {

struct DemoOptions {
    std::filesystem::path drive;
    int company = 1;
    int customers = 60;
    int articles = 80;
    std::vector<std::string> modules{"=PIA", "=AGE", "=PRE", "=FPA"};
    int fpaSwitch = 0;
    std::string fpaFormat = "1.2.3";  // the company's qorvana.fpv
    int einvoicesAll = 0;             // qorvana-fe.ini: e-invoices to every customer
    bool lire = false;
    int notes = 0;  // extra open delivery notes of NORDICA
};

// The options, or a message saying what is wrong with the command line.
std::variant<DemoOptions, std::string> ParseDemoOptions(const std::vector<std::string>& args);

inline constexpr const char* kDemoUsage =
    "usage: qorvana-demo --drive DIR [--company N] [--customers N] [--articles N]\n"
    "                    [--modules LIST] [--fpa-switch 0|1] [--fpa-format 1.0|1.2.3]\n"
    "                    [--lire] [--notes N]\n"
    "  --company N      company number 1..999 (default 1)\n"
    "  --customers N    customers 1..32767, fixtures included (default 60)\n"
    "  --articles N     articles 1..32767, fixtures included (default 80)\n"
    "  --modules LIST   lines of qorvana.prg, comma-separated (default =PIA,=AGE,=PRE,=FPA)\n"
    "  --fpa-switch V   electronic-invoice switch in qorvana.eur, slot 6 (default 0)\n"
    "  --fpa-format F   FatturaPA format the company writes, qorvana.fpv (default 1.2.3)\n"
    "  --lire           amounts in lire instead of euro\n"
    "  --notes N        N more open delivery notes of customer 3, 0..2000 (default 0)\n";

}  // namespace qorvana::demo
