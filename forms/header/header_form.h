#pragma once
// The header form qoremft: document number and dates, payment condition, instalments and
// due dates, commission, VAT options, the electronic-invoice panel (Frame5), and the
// buttons that hand back to the body form with an action code. The five totals come from
// the draft's figures.
//
// Controls whose meaning belongs to the suite's other programs (they go into the document
// record as they are): Combo2, Combo3 and Combo4 show the 100-entry list of qorvana.tab
// (banks), Combo5 the first column of its nine-entry table (series); text2(11) and
// text2(12) are amounts.

#include <QString>
#include <array>
#include <memory>
#include <optional>

#include "core/session_codes.h"
#include "document/document_draft.h"
#include "document/due_dates.h"
#include "document/numbering.h"
#include "document/payment_terms.h"
#include "forms/common/qor_form.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace qorvana {

class CustomerLabel;
class DatePicker;
class FpaPanel;
class InstalmentsPanel;
class TypedNumberBoxes;

class HeaderForm : public QorForm {
    Q_OBJECT
  public:
    HeaderForm(Session& session, FormSet& forms);
    ~HeaderForm() override;

    void activate() override;

    // The printer chosen with comando(2); nullptr until the operator chose one.
    QPrinter* chosenPrinter() const;
    // The amount due the instalments are split from and checked against.
    double documentTotal() const { return documentTotal_; }
    // The header's and the electronic-invoice panel's entries, for the draft.
    HeaderEntries entries() const;
    PanelEntries panelEntries() const;
    // Empties the panel's references (dates, numbers) for a new document.
    void clearPanelReferences();
    // True while the document number is the one proposed (the operator did not type another)
    // and no XML file holds it: posting may take the next free one instead.
    bool numberProposed() const;
    // Shows the numbers a document was stored under when posting had to take another one.
    void showStoredNumbers(const QString& number, const QString& vatRegisterNumber);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    QLayout* buildCustomerRow();
    QWidget* buildDocumentBox();
    QWidget* buildTotalsBox();
    QWidget* buildInstalmentsBox();
    QWidget* buildOptionsBox();
    QWidget* buildButtons();
    void connectKeys();
    // Sizes the window to its content, within the screen's free area.
    void fitToScreen();

    void loadOnce();
    void startNewDocument();
    bool documentHasTaxableSlot();
    // The year and series a number is proposed in, with the series chosen or not.
    NumberingScope numberingScope(int year, bool separateSeriesChosen) const;
    // Shows the number proposed in `year` in text2(0) and text2(3), or says why there is none.
    void showNumber(const NumberProposal& proposal, int year);
    void seriesToggled();
    // The proposal again, for the issue date's year and the series chosen now.
    void proposeNumberAgain();

    void documentDateChanged();

    void handBack(ReturnAction action);
    // Back to the start form through the body, once the operator agrees to lose the lines.
    void abandon();
    void confirm();
    // True unless a credit note names, typed by hand, an invoice the archive does not back (not
    // there, another customer's, dated after it) and the operator, told, does not go on.
    bool correctedInvoiceAgreed();
    // A number typed, or held by the XML file, that a stored document of its year and series
    // holds is refused, as posting would refuse it.
    bool numberIsFree();
    // The XML file written for the document brought up to date with it; when it cannot be,
    // the operator may store the document without it (the file then goes).
    bool xmlUpToDate();
    void choosePrinter();
    // The preview of the document as it would print now, or of the document posted last.
    void preview(bool reprint);
    void createXml();
    void openPanel();
    void closePanel();

    CustomerLabel* cliente_ = nullptr;
    QPushButton* anteprima_ = nullptr;
    QPushButton* anteprimaRistampa_ = nullptr;

    // --- controls, by the names the suite gives them ---
    std::array<QLineEdit*, 13> text2_{};  // indices 0, 3, 4, 11, 12
    QLabel* progressiveLabel_ = nullptr;
    std::array<DatePicker*, 3> text3_{};  // indices 1, 2
    QCheckBox* numera_ = nullptr;
    std::array<QLineEdit*, 5> total_{};
    std::array<QComboBox*, 6> combo_{};        // Combo2..Combo5
    InstalmentsPanel* instalments_ = nullptr;  // Combo1, dsca, ddsca, sca
    std::array<QLineEdit*, 2> pro_{};
    QCheckBox* rib_ = nullptr;
    QCheckBox* esig_ = nullptr;
    std::array<QCheckBox*, 5> xxiva_{};
    std::array<QPushButton*, 8> comando_{};  // indices 0..4 and 7
    QPushButton* ccomando0_ = nullptr;
    FpaPanel* panel_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TypedNumberBoxes* amounts_;  // sca, pro(1), text2(11), text2(12)

    // --- state ---
    bool loaded_ = false;
    bool filling_ = false;  // combos and dates being set by the form itself
    double documentTotal_ = 0;
    QString proposedProgressive_;  // the progressive proposed in text2(4)
    QString proposedNumber_;       // the number proposed in text2(0) and text2(3)
    int proposedYear_ = 0;         // and the year it was proposed in
    std::optional<InvoiceReference> agreedCorrection_;  // a mismatch the operator went on with
    std::unique_ptr<QPrinter> printer_;
    bool printerChosen_ = false;
};

}  // namespace qorvana
