#pragma once
// The e-invoice window and the exchange-system channel it drives (libcurl, OpenSSL, the
// notification schemas): a plugin, loaded when the e-invoice window is first opened or the
// first document with an e-invoice is stored.

#include <QtPlugin>
#include <memory>
#include <string>

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
    // Lists the e-invoice written for the document just stored (`fpaFile`, its suite path)
    // and, when the company's settings ask for it, sends it at once.
    virtual void einvoiceStored(QWidget* parent, Session& session, const std::string& fpaFile) = 0;
};

// The plugin's windows; nullptr, once the operator is told why, when it cannot be loaded.
EInvoiceWindows* LoadEInvoiceWindows(QWidget* parent);

}  // namespace qorvana

#define QORVANA_EINVOICE_WINDOWS_IID "org.qorvana.EInvoiceWindows/1"
Q_DECLARE_INTERFACE(qorvana::EInvoiceWindows, QORVANA_EINVOICE_WINDOWS_IID)
