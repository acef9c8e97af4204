// The e-invoice windows as the plugin the program loads when they are first needed.

#include <QObject>
#include <memory>

#include "forms/common/einvoice_windows.h"
#include "forms/sdi/einvoice_list_form.h"
#include "forms/sdi/einvoice_sending_form.h"

namespace qorvana {

class EInvoiceWindowsPlugin : public QObject, public EInvoiceWindows {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QORVANA_EINVOICE_WINDOWS_IID)
    Q_INTERFACES(qorvana::EInvoiceWindows)

  public:
    std::unique_ptr<QorForm> makeListForm(Session& session, FormSet& forms) override {
        return std::make_unique<EInvoiceListForm>(session, forms);
    }
    void einvoiceStored(QWidget* parent, Session& session, const std::string& fpaFile) override {
        EInvoiceStored(parent, session, fpaFile);
    }
};

}  // namespace qorvana

#include "einvoice_windows_plugin.moc"
