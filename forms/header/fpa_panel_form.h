#pragma once
// Frame5, the electronic-invoice panel of the header form: document type, withholding,
// payment condition and mode, references to delivery note, order, contract, convention and
// reception, CUP and CIG, carrier and vehicle kind, and the Art73 mark. The header form
// registers its controls under their names and opens and closes it.

#include <QFrame>
#include <array>

#include "document/document_draft.h"
#include "fatturapa/fpa_tables.h"
#include "forms/common/qor_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qorvana {

class DatePicker;

// The boxes of one reference of the electronic invoice; a delivery note has no line number
// and no job code.
struct ReferenceBoxes {
    DatePicker* date = nullptr;
    QLineEdit* id = nullptr;
    QLineEdit* lineNumber = nullptr;
    QLineEdit* jobCode = nullptr;
};

class FpaPanel : public QFrame {
    Q_OBJECT
  public:
    explicit FpaPanel(QWidget* parent = nullptr);

    // Fills Combo6 from the carriers and the fixed lists (Combo7, Combo8(0..4)).
    void fillLists(const HeaderTables& tables);
    // The defaults of a new document.
    void presetForDocument(DocumentKind documentKind, double secondInstalment,
                           int paymentModeDigit);
    // The payment condition and mode that go with the payment terms chosen in the header.
    void presetPayment(double secondInstalment, int paymentModeDigit);
    // The entries as the operator left them.
    PanelEntries entries() const;
    // Shows the references of `entries` (a copy: showing them may change the draft they came
    // from) in Text4, their dates and the corrected invoice: empty
    // for a new document, as the operator left them when the header is shown again.
    void showReferences(PanelEntries entries);
    // Shows the corrected invoice's boxes (e-invoices to every customer).
    void showCorrectedInvoice(bool shown);
    // Fills the corrected invoice's boxes with `invoice` when both are empty.
    void proposeCorrectedInvoice(const InvoiceReference& invoice);

    // Registers Frame5 (the panel), Combo8(0..4), Combo7, Combo6, Text4(1..15), dsca(6..10),
    // art73, fattrett and datarett (the corrected invoice) and ccomando(1).
    void registerControls(const ControlRegistry& add);
    // The field the focus goes to when the panel opens.
    QWidget* firstField() const;

  signals:
    void closeRequested();  // ccomando(1)
    // Another document type (Combo8(0)) was chosen.
    void documentTypeChanged();

  private:
    // Combo8(0..4), in this order.
    std::array<QComboBox**, 5> lists() {
        return {&documentType_, &withholdingReason_, &withholdingType_, &paymentCondition_,
                &paymentMode_};
    }

    QComboBox* documentType_ = nullptr;
    QComboBox* withholdingReason_ = nullptr;
    QComboBox* withholdingType_ = nullptr;
    QComboBox* paymentCondition_ = nullptr;
    QComboBox* paymentMode_ = nullptr;
    QComboBox* vehicleKind_ = nullptr;  // Combo7
    QComboBox* carrier_ = nullptr;      // Combo6
    // Delivery note, purchase order, contract, convention, reception: Text4(1..13), dsca(6..10).
    std::array<ReferenceBoxes, 5> references_{};
    QLineEdit* cup_ = nullptr;  // Text4(14)
    QLineEdit* cig_ = nullptr;  // Text4(15)
    QCheckBox* art73_ = nullptr;
    QLabel* correctedLabel_ = nullptr;
    QLineEdit* correctedNumber_ = nullptr;
    QLineEdit* correctedDate_ = nullptr;
    QPushButton* close_ = nullptr;  // ccomando(1)
};

}  // namespace qorvana
