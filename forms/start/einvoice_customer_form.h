#pragma once
// The window qorfec: the shown customer's e-invoice data that the customer record has no
// room for (recipient code, certified mail address, split payment, foreign tax identifier, a
// person's first name and surname), kept in qorvana.fec. Opened from the start form's "Dati
// fattura elettronica".

#include "customers/einvoice_customers.h"
#include "forms/common/qor_form.h"

class QCheckBox;
class QCloseEvent;
class QLabel;
class QLineEdit;

namespace qorvana {

class EInvoiceCustomerForm : public QorForm {
    Q_OBJECT
  public:
    EInvoiceCustomerForm(Session& session, FormSet& forms);

    // The customer whose data the window shows next (record number and name).
    void setCustomer(int record, const QString& name);
    void activate() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void save();
    // The question before a code the customer's e-invoices will not use is stored.
    bool officeCodeAccepted(const EInvoiceCustomer& data);
    // Hides the window; the start form's name box takes the focus again.
    void leave();

    int customer_ = 0;
    QLabel* nome_ = nullptr;
    QLineEdit* codice_ = nullptr;
    QLineEdit* pec_ = nullptr;
    QCheckBox* scissione_ = nullptr;
    QLineEdit* idEstero_ = nullptr;
    QLineEdit* nomeFe_ = nullptr;
    QLineEdit* cognomeFe_ = nullptr;
    QLineEdit* intento_ = nullptr;
    QLineEdit* dataIntento_ = nullptr;
};

}  // namespace qorvana
