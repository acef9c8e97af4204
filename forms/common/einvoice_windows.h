#pragma once
// The e-invoice window and the exchange-system channel it drives (libcurl, OpenSSL, libxml2
// and the schemas): a plugin, loaded when the e-invoice window is first opened, the first
// e-invoice file is written or the first document with an e-invoice is stored.

#include <QtPlugin>
#include <memory>
#include <string>

#include "core/result.h"
#include "fatturapa/fpa_export.h"
#include "posting/posting.h"

class QWidget;

namespace qorvana {

class FormSet;
class QorForm;
struct Session;

class EInvoiceWindows {
  public:
    virtual ~EInvoiceWindows() = default;
    // The e-invoice window qorsdi.
    virtual std::unique_ptr<QorForm> makeListForm(Session& session, FormSet& forms) = 0;
    // The list of the e-invoices to send (qorvana.sdi, as the file will hold it) with the
    // document's e-invoice `fpaFile` (its suite path) added: posting writes it with the document.
    virtual Result<PostingInput::WholeFile> sendingListWith(const Session& session,
                                                            const std::string& fpaFile) = 0;
    // Sends the e-invoice of the document just stored at once, when the company's settings ask.
    virtual void sendAtOnce(QWidget* parent, Session& session, const std::string& fpaFile) = 0;
    // The check of an e-invoice file before it is written (CheckWithProgramSchema).
    virtual FpaFileCheck fileCheck() = 0;
};

// The plugin's windows; nullptr, once the operator is told why, when it cannot be loaded.
EInvoiceWindows* LoadEInvoiceWindows(QWidget* parent);

}  // namespace qorvana

#define QORVANA_EINVOICE_WINDOWS_IID "org.qorvana.EInvoiceWindows/2"
Q_DECLARE_INTERFACE(qorvana::EInvoiceWindows, QORVANA_EINVOICE_WINDOWS_IID)
