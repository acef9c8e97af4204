#pragma once
// The window qorfec: the shown customer's e-invoice data that the customer record has no
// room for (recipient code, certified mail address, split payment, foreign tax identifier),
// kept in qorvana.fec. Opened from the start form's "Dati fattura elettronica".

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
    // Hides the window; the start form's name box takes the focus again.
    void leave();

    int customer_ = 0;
    QLabel* nome_ = nullptr;
    QLineEdit* codice_ = nullptr;
    QLineEdit* pec_ = nullptr;
    QCheckBox* scissione_ = nullptr;
    QLineEdit* idEstero_ = nullptr;
};

}  // namespace qorvana
