#include "app/safe_application.h"

#include <exception>
#include <iostream>

#include "forms/common/message_box.h"

namespace qorvana {

SafeApplication::SafeApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool SafeApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        TellUnexpectedError(e.what());
    } catch (...) {
        TellUnexpectedError("eccezione sconosciuta");
    }
    return false;
}

void TellUnexpectedError(const char* what) {
    std::cerr << "qorvana: errore imprevisto: " << what << std::endl;
    Warn(nullptr, QStringLiteral("Si è verificato un errore imprevisto: l'operazione non è stata "
                                 "completata. Avvisare l'assistenza."));
}

}  // namespace qorvana
