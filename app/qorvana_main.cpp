// qorvana: the invoice-issuing program. Parses the command line, creates the forms and lets
// the start form run start-up; then either the operator works or an operator script runs.

#include <QApplication>
#include <iostream>
#include <memory>

#include "app/create_forms.h"
#include "app/font_warm_up.h"
#include "app/operator_script.h"
#include "app/program_options.h"
#include "app/safe_application.h"
#include "core/session.h"
#include "forms/common/form_names.h"
#include "forms/common/program_parts.h"
#include "forms/start/start_form.h"

namespace {

QtMessageHandler& StandardHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}

// The offscreen platform warns about window operations it cannot do; nothing is wrong then.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("This plugin does not support"))) return;
    if (StandardHandler()) {
        StandardHandler()(type, context, text);
    } else {
        std::cerr << qFormatLogMessage(type, context, text).toStdString() << std::endl;
    }
}

// The program once its options are read: start-up, then the operator or the script.
int RunProgram(const qorvana::ProgramOptions& options,
               const std::optional<qorvana::CivilDateTime>& now, qorvana::FontWarmUp& fonts) {
    using namespace qorvana;
    Session session;
    session.paths = PathMapper(PathMapper::DriveRootFrom(options.drive));
    if (now) session.clock = SessionClock(*now);
    if (options.printTo) session.printTo = std::filesystem::path(*options.printTo);

    FormSet forms;
    fonts.wait();
    ProgramForms created = CreateForms(session, forms);
    StartForm* start = created.start;

    std::unique_ptr<OperatorScript> replay;
    if (options.replay) {
        QString error;
        auto* player =
            LoadProgramPart<OperatorScriptReplay>(QStringLiteral("libqorvana_replay.so"), error);
        if (!player) {
            std::cerr << "qorvana: the operator-script replay cannot be loaded: "
                      << error.toStdString() << "\n";
            return 1;
        }
        replay = player->load(forms, QString::fromStdString(*options.replay),
                              QString::fromStdString(options.printTo.value_or("")));
        replay->takeMessages();
    }
    if (!start->load(ChosenCompany(options))) {
        if (replay) std::cerr << "line 0: the program did not start (see the message above)\n";
        session.files.closeAll();
        return 1;
    }

    int status = 0;
    if (options.checkStart) {
        // As an operator would see it: the form shown and drawn, then nothing more.
        forms.show(QString(form_name::kStart));
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        std::cout << "shown" << std::endl;
    } else if (replay) {
        QObject::connect(start, &StartForm::programEnded, [&replay] { replay->programEnded(); });
        forms.show(QString(form_name::kStart));
        status = replay->run();
    } else {
        QObject::connect(start, &StartForm::programEnded, qApp, &QApplication::quit,
                         Qt::QueuedConnection);
        forms.show(QString(form_name::kStart));
        status = QApplication::exec();
    }
    session.files.closeAll();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qorvana;
    const Result<ProgramOptions> parsed =
        ParseProgramOptions(std::vector<std::string>(argv + 1, argv + argc));
    const ProgramOptions& options = parsed.value();
    if (options.help) {
        std::cout << kProgramHelp;
        return 0;
    }
    if (!parsed) {
        std::cerr << "qorvana: " << parsed.message() << "\n(qorvana --help)\n";
        return 2;
    }
    std::optional<CivilDateTime> now;
    if (options.now) {
        now = CivilDateTime::Parse(*options.now);
        if (!now) {
            std::cerr << "qorvana: --now vuole \"gg/mm/aaaa hh:nn\" (wants \"dd/mm/yyyy hh:nn\")\n";
            return 2;
        }
    }

    FontWarmUp fonts;
    if (options.replay || options.checkStart)
        StandardHandler() = qInstallMessageHandler(QuietMessages);
    SafeApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("qorvana"));
    // Only the start form ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    try {
        return RunProgram(options, now, fonts);
    } catch (const std::exception& e) {
        TellUnexpectedError(e.what());
    } catch (...) {
        TellUnexpectedError("eccezione sconosciuta");
    }
    return 1;
}
