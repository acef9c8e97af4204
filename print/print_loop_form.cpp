#include "print/print_loop_form.h"

#include <QCursor>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "forms/common/message_box.h"
#include "forms/common/wait_cursor.h"
#include "print/page_painter.h"
#include "print/print_image.h"
#include "print/printer_form.h"
#include "startup/numbers.h"
#include "startup/session.h"

namespace qorvana {
namespace {

const QString kPrintTitle = QStringLiteral("Stampa fattura");

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
        // Composed without the printer: the image is the same with a printer and without.
        const PrintedDocument pages = ComposeDocument(
            document, settings, ReadFormDrawing(session_.companyFile("qorvana.lkf")),
            session_.money(), PageTextWidth());
        imageWritten = writeImages(pages, imageCopy);
        if (printerReady)
            failure = printer.print(
                pages,
                QStringLiteral("Fattura %1").arg(QString::fromStdString(document.entries.number)));
    }
    if (!printerReady) failure = problem;
    if (failure) Warn(parent_, *failure);
    return imageWritten;
}

std::string DocumentImagePath(double serial) {
    return "c:\\qordoc" + PlainNumberText(serial) + ".rto";
}

void DispatchDocument(const Session& session, QWidget* parent, const PdfHandoffInput& input) {
    if (!PdfHandoffEnabled(session.workStrings[6])) return;
    if (!AskYesNo(parent, QStringLiteral("Attenzione"),
                  QStringLiteral("Generare il file PDF ed eventualmente inviarlo tramite posta "
                                 "elettronica?")))
        return;
    const PdfHandoff handoff = BuildPdfHandoff(input);
    if (handoff.emailRefused)
        Warn(parent,
             QStringLiteral("L'indirizzo di posta elettronica del cliente non è valido: il PDF "
                            "sarà prodotto ma non inviato."),
             MsgIcon::Exclamation);
    const ProgramStart start = PdfHandoffStart(session.paths, handoff);
    QProcess program;
    program.setProgram(QString::fromStdString(start.program.string()));
    QStringList arguments;
    for (const std::string& a : start.arguments) arguments << QString::fromStdString(a);
    program.setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kDriveVariable),
                       QString::fromStdString(start.driveRoot));
    program.setProcessEnvironment(environment);
    QGuiApplication::restoreOverrideCursor();
    if (!program.startDetached())
        Warn(parent, QStringLiteral("Non è possibile eseguire il programma invio del documento a "
                                    "mezzo internet."));
}

bool PrintLoop::writeImages(const PrintedDocument& pages, const std::string& imageCopy) {
    for (const std::string& name : {std::string(kPrintImage), imageCopy}) {
        if (name.empty()) continue;
        if (const auto error = WritePrintImage(session_.paths.map(name), pages)) {
            Warn(parent_, QString::fromStdString(error->message));
            return false;
        }
    }
    return true;
}

}  // namespace qorvana
