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
    // Empties the references (Text4 and their dates) for a new document.
    void clearReferences();
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

  private:
    std::array<QComboBox*, 5> combo8_{};
    QComboBox* combo7_ = nullptr;
    QComboBox* combo6_ = nullptr;
    std::array<QLineEdit*, 16> text4_{};            // indices 1..15
    std::array<DatePicker*, 11> referenceDates_{};  // dsca indices 6..10
    QCheckBox* art73_ = nullptr;
    QLabel* correctedLabel_ = nullptr;
    QLineEdit* correctedNumber_ = nullptr;
    QLineEdit* correctedDate_ = nullptr;
    QPushButton* close_ = nullptr;  // ccomando(1)
};

}  // namespace qorvana
