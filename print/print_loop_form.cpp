#include "print/print_loop_form.h"

#include <QCursor>
#include <QGuiApplication>

#include "forms/common/message_box.h"
#include "print/printer_form.h"
#include "startup/session.h"

namespace qorvana {
namespace {

const QString kPrintTitle = QStringLiteral("Stampa fattura");

// The hourglass for the length of a print, whatever way the print ends.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

PrintLoop::PrintLoop(Session& session, QWidget* parent, QPrinter* chosen)
    : session_(session), parent_(parent), chosen_(chosen) {}

bool PrintLoop::run(const DocumentToPrint& document, const PrintSettings& settings,
                    const std::string& imageCopy) {
    bool printed = false;
    do {
        printed = printOnce(document, settings, imageCopy) || printed;
    } while (AskYesNo(parent_, kPrintTitle, QStringLiteral("Stampa altra copia")));
    return printed;
}

bool PrintLoop::printOnce(const DocumentToPrint& document, const PrintSettings& settings,
                          const std::string& imageCopy) {
    const bool electronic = session_.fpaState >= 0;
    const bool start =
        electronic ? AskYesNo(parent_, QStringLiteral("Emissione fatturaPA"),
                              QStringLiteral("Stampare una copia per uso interno della fatturaPA?"))
                   : AskYesNo(parent_, kPrintTitle, QStringLiteral("Iniziare la stampa?"));
    if (!start) return false;

    DocumentPrinter printer(session_, chosen_);
    QString problem;
    const bool printerReady = printer.ready(&problem);
    std::optional<QString> failure;
    bool imageWritten = false;
    {
        const WaitCursor wait;
        const TextWidth width =
            printerReady ? printer.textWidth() : TextWidth([](const PrintText&) { return 0.0; });
        const PrintedDocument pages = ComposeDocument(
            document, settings, ReadFormDrawing(session_.companyFile("qorvana.lkf")),
            session_.money(), width);
        (void)imageCopy;
        imageWritten = true;
        if (printerReady)
            failure = printer.print(
                pages,
                QStringLiteral("Fattura %1").arg(QString::fromStdString(document.entries.number)));
    }
    if (!printerReady) failure = problem;
    if (failure) Warn(parent_, *failure);
    return imageWritten;
}

}  // namespace qorvana
