// The e-invoice windows as the plugin the program loads when they are first needed.

#include <QObject>
#include <memory>

#include "core/paths.h"
#include "core/session.h"
#include "fatturapa/fpa_checks.h"
#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_store.h"
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
    Result<PostingInput::WholeFile> sendingListWith(const Session& session,
                                                    const std::string& fpaFile) override {
        Result<std::string> list =
            StoreWithEInvoice(session.companyFolder(), session.paths.map(fpaFile), fpaFile);
        if (!list) return *list.failure();
        return PostingInput::WholeFile{FindInFolder(session.companyFolder(), kSdiStoreFile),
                                       kSdiStoreFile, std::move(*list)};
    }
    void sendAtOnce(QWidget* parent, Session& session, const std::string& fpaFile) override {
        SendEInvoiceAtOnce(parent, session, fpaFile);
    }
    FpaFileCheck fileCheck() override { return CheckWithProgramSchema; }
};

}  // namespace qorvana

#include "einvoice_windows_plugin.moc"
