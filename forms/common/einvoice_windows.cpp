#include "forms/common/einvoice_windows.h"

#include <iostream>

#include "forms/common/message_box.h"
#include "forms/common/program_parts.h"

namespace qorvana {

EInvoiceWindows* LoadEInvoiceWindows(QWidget* parent) {
    const QString file = QStringLiteral("libqorvana_einvoices.so");
    QString error;
    EInvoiceWindows* windows = LoadProgramPart<EInvoiceWindows>(file, error);
    if (!windows) {
        std::cerr << "qorvana: " << error.toStdString() << "\n";
        Warn(parent, QStringLiteral("Le fatture elettroniche non si possono usare: il modulo ") +
                         file +
                         QStringLiteral(" manca o non si può caricare. Reinstallare il "
                                        "programma."));
    }
    return windows;
}

}  // namespace qorvana
