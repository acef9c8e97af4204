// The files the PDF program qorxpdf reads, chosen by the input's first byte:
//   0  the print image c:\qordoc.rto: read; an image read is written again and must read back
//   1  the page layout qorvana.lxf: the page must keep a printable area
//   2  the mail settings qorxpdf.ini, and the subject and text filled in

#include <cmath>
#include <cstdint>
#include <variant>

#include "fuzz/confirmation.h"
#include "fuzz/scratch_company.h"
#include "print/print_image.h"
#include "tools/qorxpdf/qorxpdf_job.h"

namespace {

using namespace qorvana;
using namespace qorvana::fuzz;

void ReadImage(const std::filesystem::path& file) {
    const Result<PrintedDocument> pages = ReadPrintImage(file, "c:\\qordoc.rto");
    if (!pages) return;
    const Result<PrintedDocument> read = ParsePrintImage(PrintImageBytes(*pages));
    Expect(read && read->size() == pages->size(), "an image read and written reads back");
}

void ReadLayout(const std::filesystem::path& file) {
    const auto values = qorxpdf::ReadKeyValues(file, "qorvana.lxf");
    const auto* read = std::get_if<qorxpdf::KeyValues>(&values);
    Expect(read, "a layout file that is there reads");
    const qorxpdf::PageSetup page = qorxpdf::PageSetupOf(*read);
    for (double v : {page.width, page.height, page.left, page.top, page.right, page.bottom})
        Expect(std::isfinite(v) && v >= 0, "page sizes and margins are numbers");
    Expect(page.left + page.right < page.width && page.top + page.bottom < page.height,
           "the page keeps a printable area");
}

void ReadMail(const std::filesystem::path& file) {
    const auto values = qorxpdf::ReadKeyValues(file, "qorxpdf.ini");
    const auto* read = std::get_if<qorxpdf::KeyValues>(&values);
    Expect(read, "a settings file that is there reads");
    if (const Result<qorxpdf::MailSettings> settings =
            qorxpdf::MailSettingsOf(*read, "qorxpdf.ini")) {
        Expect(settings->port >= 1 && settings->port <= 65535, "the port is a port");
        qorxpdf::FillTemplate(settings->subject, "ftr1_2025.pdf");
        qorxpdf::FillTemplate(settings->body, "ftr1_2025.pdf");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScratchCompany& company = ScratchCompany::Get();
    const Selected input = Select({data, size}, 3);
    const std::filesystem::path file = company.drive() / (input.choice == 0   ? "qordoc.rto"
                                                          : input.choice == 1 ? "qorvana.lxf"
                                                                              : "qorxpdf.ini");
    ScratchCompany::Put(file, input.bytes);
    switch (input.choice) {
        case 0:
            ReadImage(file);
            break;
        case 1:
            ReadLayout(file);
            break;
        default:
            ReadMail(file);
    }
    company.restore();
    return 0;
}
