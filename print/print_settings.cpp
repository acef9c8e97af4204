#include "print/print_settings.h"

#include <cmath>

#include "core/numbers.h"
#include "core/seq_reader.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/text.h"
#include "core/whole_file.h"
#include "document/document_pdf.h"

namespace qorvana {
namespace {

int IntegerPart(std::string_view text) {
    const double value = std::floor(Val(text));
    return ToInt16OrZero(value);
}

// A company file read whole; one that is there but cannot be read is noted in `problems`.
SeqReader ReadCompanyFile(const Session& s, const std::string& name,
                          std::vector<std::string>& problems) {
    SeqReader in(s.companyFile(name));
    NoteReadError(problems, in.readError(), s.companyPath(name));
    return in;
}

std::array<std::string, 21> ReadPrintLines(const Session& s, std::vector<std::string>& problems) {
    std::array<std::string, 21> lines{};
    SeqReader in = ReadCompanyFile(s, "qorvana.int", problems);
    for (int entry = 1; entry <= 20; ++entry) lines[entry] = in.readLine();
    return lines;
}

std::array<std::array<std::string, 2>, 17> ReadVatItems(const Session& s,
                                                        std::vector<std::string>& problems) {
    std::array<std::array<std::string, 2>, 17> items{};
    SeqReader in = ReadCompanyFile(s, "qorvana.ilx", problems);
    for (int code = 1; code <= 12 && !in.failed(); ++code) {
        items[code][0] = in.readItem();
        in.readItem();
        items[code][1] = in.readItem();
        in.readItem();
    }
    return items;
}

// The layout items; a file that is missing, short or unreadable gives the defaults, and
// `problem` says so, to be told before printing.
std::array<LayoutItem, PrintSettings::kLayoutItems + 1> ReadLayout(const Session& s,
                                                                   std::string& problem) {
    std::array<LayoutItem, PrintSettings::kLayoutItems + 1> layout{};
    const std::string name = s.companyPath("qorvana.lyf");
    SeqReader in(s.companyFile("qorvana.lyf"));
    for (int item = 1; item <= PrintSettings::kLayoutItems; ++item)
        for (auto& column : layout[item].columns) column = in.readLine();
    if (!in.failed()) return layout;
    layout = {};
    for (int column = 0; column <= 2; ++column) layout[98].columns[column].clear();
    const std::string consequence =
        ". Il documento sarà stampato senza i suoi dati, solo con il modulo.";
    if (in.readError() != 0)
        problem = ReadFailureMessage(name, in.readError()) + consequence;
    else if (!in.opened())
        problem = "Manca il file " + name + " della disposizione della stampa" + consequence;
    else
        problem = "Il file " + name + " della disposizione della stampa è incompleto" + consequence;
    return layout;
}

std::array<std::array<std::string, 4>, 21> ReadPdfTable(const Session& s,
                                                        std::vector<std::string>& problems) {
    std::array<std::array<std::string, 4>, 21> table{};
    SeqReader in = ReadCompanyFile(s, "qorvana.pdf", problems);
    for (int row = 1; row <= 20; ++row)
        for (auto& cell : table[row]) cell = in.readLine();
    return table;
}

}  // namespace

int LayoutItem::x() const {
    return IntegerPart(std::string_view(columns[0]).substr(0, 3));
}

int LayoutItem::y() const {
    const std::string_view position = columns[0];
    return IntegerPart(position.substr(position.size() < 3 ? 0 : position.size() - 3));
}

double LayoutItem::fontSize() const {
    // A size no page could hold (a damaged layout) is no size: the text takes the default one,
    // and the print image stays one that its readers accept.
    constexpr double kLargestFontSize = 720;  // points: ten inches
    const double size = Val(columns[1]);
    return size > 0 && size <= kLargestFontSize ? size : 0;
}

int LayoutItem::colour() const {
    const double value = Val(columns[5]);
    return value >= 0 && value <= 0xFFFFFF ? static_cast<int>(value) : 0;
}

std::string PrintSettings::pdfExtraArgument() const {
    return Trim(pdfTable[1][3]);
}

PrintSettings LoadPrintSettings(Session& session) {
    PrintSettings p;
    p.printLines = ReadPrintLines(session, p.problems);
    p.vatItems = ReadVatItems(session, p.problems);
    p.layout = ReadLayout(session, p.layoutProblem);
    p.accounting = ModulesListHas(session, "=PIA", &p.problems);
    p.agents = ModulesListHas(session, "=AGE");
    p.quotes = ModulesListHas(session, "=PRE");
    p.pdfTable = ReadPdfTable(session, p.problems);

    std::string& folder = session.runSettings.pdfFolder;
    folder = Trim(p.pdfTable[1][2]);
    if (folder.empty()) folder = "C:";
    p.pdfFolderWarning = PdfFolderWarning(folder);
    return p;
}

}  // namespace qorvana
