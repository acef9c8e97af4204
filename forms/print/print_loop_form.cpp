#include "forms/print/print_loop_form.h"

#include <unistd.h>

#include <QCursor>
#include <QGuiApplication>

#include "core/numbers.h"
#include "core/session.h"
#include "core/whole_file.h"
#include "forms/common/message_box.h"
#include "forms/common/wait_cursor.h"
#include "forms/print/printer_form.h"
#include "print/page_painter.h"
#include "print/print_image.h"

namespace qorvana {
namespace {

const QString kPrintTitle = QStringLiteral("Stampa fattura");

}  // namespace

PrintLoop::PrintLoop(Session& session, QWidget* parent, QPrinter* chosen)
    : session_(session), parent_(parent), chosen_(chosen) {}

FormDrawing PrintLoop::readFormTold(const PrintSettings& settings) {
    // What would leave the page without its data or its form is said before printing.
    if (!settings.layoutProblem.empty())
        Warn(parent_, QString::fromStdString(settings.layoutProblem), MsgIcon::Exclamation);
    Result<FormDrawing> form =
        ReadFormDrawing(session_.companyFile("qorvana.lkf"), session_.companyPath("qorvana.lkf"));
    if (!form)
        Warn(parent_,
             QString::fromStdString(form.message() +
                                    ". Il documento sarà stampato senza il modulo."),
             MsgIcon::Exclamation);
    return std::move(form).valueOr(FormDrawing{});
}

PrintedDocument PrintLoop::compose(const DocumentToPrint& document, const PrintSettings& settings,
                                   const VatTable& vat) {
    const FormDrawing form = readFormTold(settings);
    PrintedDocument pages;
    {
        const WaitCursor wait;
        pages = ComposeDocument(document, settings, vat, form, session_.money(), PageTextWidth());
    }
    tellSummaryRows(document, settings, vat, pages);
    return pages;
}

bool PrintLoop::run(const DocumentToPrint& document, const PrintSettings& settings,
                    const VatTable& vat, const std::string& imageCopy) {
    const FormDrawing form = readFormTold(settings);
    bool printed = false;
    do {
        printed = printOnce(document, settings, vat, form, imageCopy) || printed;
    } while (AskYesNo(parent_, kPrintTitle, QStringLiteral("Stampa altra copia")));
    return printed;
}

bool PrintLoop::printOnce(const DocumentToPrint& document, const PrintSettings& settings,
                          const VatTable& vat, const FormDrawing& form,
                          const std::string& imageCopy) {
    // A public administration's document; an invoice to any other customer is printed as
    // usual, as the courtesy copy of its e-invoice.
    const bool electronic = document.entries.documentKind == DocumentKind::ElectronicInvoice &&
                            document.entries.fpaState >= 0;
    const bool start =
        electronic ? AskYesNo(parent_, QStringLiteral("Emissione fatturaPA"),
                              QStringLiteral("Stampare una copia per uso interno della fatturaPA?"))
                   : AskYesNo(parent_, kPrintTitle, QStringLiteral("Iniziare la stampa?"));
    if (!start) return false;
    PrintedDocument pages;
    {
        const WaitCursor wait;
        // Composed without the printer: the image is the same with a printer and without.
        pages = ComposeDocument(document, settings, vat, form, session_.money(), PageTextWidth());
    }
    const bool imageWritten = printPages(pages, document.entries.number, imageCopy);
    // Told once for all the copies, after the page is printed.
    tellSummaryRows(document, settings, vat, pages);
    return imageWritten;
}

bool PrintLoop::printPages(const PrintedDocument& pages, const std::string& number,
                           const std::string& imageCopy) {
    DocumentPrinter printer(session_, chosen_);
    QString problem;
    const bool printerReady = printer.ready(&problem);
    std::optional<QString> failure;
    bool imageWritten = false;
    {
        const WaitCursor wait;
        imageWritten = writeImages(pages, imageCopy);
        if (printerReady)
            failure = printer.print(
                pages, QStringLiteral("Fattura %1").arg(QString::fromStdString(number)));
    }
    if (!printerReady) failure = problem;
    if (failure) Warn(parent_, *failure);
    return imageWritten;
}

void PrintLoop::tellSummaryRows(const DocumentToPrint& document, const PrintSettings& settings,
                                const VatTable& vat, const PrintedDocument& pages) {
    if (summaryTold_ || pages.empty()) return;
    const std::string warning = SummaryRowsWarning(document, settings, vat, pages.back(),
                                                   session_.money(), PageTextWidth());
    if (warning.empty()) return;
    summaryTold_ = true;
    Warn(parent_, QString::fromStdString(warning), MsgIcon::Exclamation);
}

std::string DocumentImagePath(double serial) {
    return "c:\\qordoc" + PlainNumberText(serial) + ".rto";
}

void DispatchDocument(const Session& session, QWidget* parent, const PdfHandoffInput& input,
                      PdfJobs& jobs) {
    // The document's own image serves the run of qorxpdf alone: without one it goes at once.
    const bool ownImage = !input.printImage.empty() && input.printImage != kPrintImage;
    const std::filesystem::path image =
        ownImage ? session.paths.map(input.printImage) : std::filesystem::path();
    const auto dropImage = [&image] {
        if (!image.empty()) ::unlink(image.c_str());
    };
    if (!session.runSettings.electronicInvoices ||
        !AskYesNo(parent, QStringLiteral("Attenzione"),
                  QStringLiteral("Generare il file PDF ed eventualmente inviarlo tramite posta "
                                 "elettronica?"))) {
        dropImage();
        return;
    }
    const PdfHandoff handoff = BuildPdfHandoff(input);
    if (handoff.emailRefused)
        Warn(parent,
             QStringLiteral("L'indirizzo di posta elettronica del cliente non è valido: il PDF "
                            "sarà prodotto ma non inviato."),
             MsgIcon::Exclamation);
    if (handoff.emailMissing)
        Warn(parent,
             QStringLiteral("Il cliente non ha un indirizzo di posta elettronica: il PDF sarà "
                            "prodotto ma non inviato."),
             MsgIcon::Exclamation);
    QGuiApplication::restoreOverrideCursor();
    if (!jobs.start(PdfHandoffStart(session.paths, handoff), handoff.pdfFile, handoff.recipient,
                    image)) {
        dropImage();
        Warn(parent, QStringLiteral("Non è possibile eseguire il programma invio del documento a "
                                    "mezzo internet."));
    }
}

bool PrintLoop::writeImages(const PrintedDocument& pages, const std::string& imageCopy) {
    for (const std::string& name : {std::string(kPrintImage), imageCopy}) {
        if (name.empty()) continue;
        if (const Status written = WritePrintImage(session_.paths.map(name), name, pages);
            !written) {
            Warn(parent_, QString::fromStdString(written.message()));
            return false;
        }
    }
    return true;
}

}  // namespace qorvana
