#pragma once
// The e-invoice window qorsdi, reached from the start form: the company's e-invoices and
// their states, filtered by state, each with its transmissions and their notifications, and the
// notifications and messages still waiting. A rejected one shows its errors; from here the operator
// sends an e-invoice written but not sent, writes a rejected one again from its stored document
// once the customer's data are corrected and sends it, and
// reads the system's notifications from the certified mailbox.

#include <optional>
#include <string>

#include "fatturapa/sdi_state.h"
#include "forms/common/qor_form.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableView;
class QCloseEvent;

namespace qorvana {

class EInvoiceListModel;

class EInvoiceListForm : public QorForm {
    Q_OBJECT
  public:
    EInvoiceListForm(Session& session, FormSet& forms);
    void activate() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // Reads the store again and shows it with the chosen filter.
    void reload();
    void showChosen();
    const EInvoiceEntry* chosen() const;
    void send();
    void resend();
    void readMailbox();
    void backToStart();

    QComboBox* stato_ = nullptr;
    QTableView* elenco_ = nullptr;
    QListWidget* errori_ = nullptr;
    QLabel* sospeseLabel_ = nullptr;
    QListWidget* sospese_ = nullptr;
    QPushButton* invia_ = nullptr;
    QPushButton* rinvia_ = nullptr;
    QPushButton* ricevute_ = nullptr;
    QPushButton* chiudi_ = nullptr;
    EInvoiceListModel* model_ = nullptr;
};

}  // namespace qorvana
