#pragma once
// The start form qoremf: the program's first window. It runs start-up, finds the customer
// (by name, by scrolling the name index or from the customer list), takes the transport data
// and hands the document over to the body form. The program ends only here.

#include <QVector>
#include <optional>

#include "core/settings.h"
#include "customers/customer_index.h"
#include "document/document_draft.h"
#include "forms/common/qor_form.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QCloseEvent;
class QGroupBox;

namespace qorvana {

class CustomerSuggestions;
class DatePicker;

class StartForm : public QorForm {
    Q_OBJECT
  public:
    StartForm(Session& session, FormSet& forms);

    // Start-up, as the form loads: company, settings, tables, data files. False when the
    // program cannot start; the operator has been told why.
    bool load(std::optional<int> company);
    void activate() override;

    // Shows the customer at the current position in the name index.
    void ShowCustomerAt();
    // Copies the loaded customer into the boxes text2(0..21).
    void ShowCustomerFields();
    void ShowDeletedWarning();
    // The customer list's choice: the record number of the customer picked.
    void setChosenCustomer(int record) { chosenRecord_ = record; }

    // Puts a name into the search box (nome), as the customer list does.
    void setSearchName(const QString& name);
    // Shows the document's total weight in the weight box.
    void showWeight(const QString& text);
    // Back from a window opened over this one: the focus goes to the name box.
    void focusNameBox();

  signals:
    // The operator ended the program; every file is closed.
    void programEnded();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    QGroupBox* buildRegisteredOffice();
    QGroupBox* buildAdministrativeOffice();
    QGroupBox* buildShipping();
    void fillTables(const StartTables& tables);

    void searchByName();
    // The name box's text edited by the operator: the customers it suggests.
    void suggest(const QString& text);
    // A key of the name box while the suggestions show; true when it was theirs.
    bool onSuggestionKey(int key);
    void takeSuggestion(int record);
    void positionOn(int found);
    void showChosenCustomer();
    void scrolled(int value);
    void carrierChosen(int index);
    void transportDateTyped(const QString& text);
    void documentButton(int button);
    // The transport entries as shown, for the draft of a document started.
    TransportEntries transport() const;
    // False when the shown customer's identifiers would make its e-invoices refused and the
    // operator, told, does not go on.
    bool customerFitForEInvoice();
    void openList();
    // The e-invoice terms of the shown customer: the company's setting and the customer's data;
    // nullopt when the operator, told what the customer's data lack, gives up the document.
    std::optional<EInvoiceTerms> readEInvoiceTerms();
    void openEInvoiceData();
    void endProgram();
    // The transport data as shown: what the operator typed or chose differs from the proposal.
    QStringList transportShown() const;
    // True when nothing typed would be lost, or the operator agrees to end the program anyway.
    bool mayEnd();
    int indexCount();

    QLineEdit* nome_ = nullptr;
    CustomerSuggestions* suggerimenti_ = nullptr;
    QPushButton* cerca_ = nullptr;
    QPushButton* lista_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    // text2(0..21): the shown customer's card in its fields' order, 17..21 the carrier.
    QVector<QLineEdit*> customerFields_;
    // text3(0..6), in TransportBox order.
    enum TransportBox {
        kDeliveryNote,
        kOrder,
        kPackages,
        kWeight,
        kStartDate,
        kStartTime,
        kWarehouse
    };
    QVector<QLineEdit*> transportBoxes_;
    QLabel* deletedWarning_ = nullptr;       // label2
    QComboBox* transportReason_ = nullptr;   // Combo1
    QComboBox* goodsAppearance_ = nullptr;   // Combo2
    QComboBox* carrier_ = nullptr;           // Combo3
    DatePicker* startDatePicker_ = nullptr;  // text5, beside the start date
    QVector<QRadioButton*> shippedBy_;       // sped(0..2): sender, recipient, carrier
    QPushButton* bottone_[10] = {};
    QPushButton* datiFe_ = nullptr;
    QStringList proposedTransport_;  // transportShown() as the form proposed it

    int listPosition_ = 0;
    int shownCustomer_ = 0;
    CustomerCard shownCard_;
    std::array<std::array<std::string, 6>, 41> carrierRows_{};
    bool carrierLoading_ = false;
    bool paEnabled_ = false;
    int chosenRecord_ = 0;
    bool ended_ = false;
    bool countReported_ = false;  // a damaged index count is said once per run
};

}  // namespace qorvana
