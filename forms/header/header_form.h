#pragma once
// The header form qoremft: document number and dates, payment condition, instalments and
// due dates, commission, VAT options, the electronic-invoice panel (Frame5), and the
// buttons that hand back to the body form with an action code. The five totals come from
// the draft's figures.
//
// Members are named by meaning; the operator scripts address the controls by the suite's names
// (noted beside each member). Banks (Combo2..Combo4) show the 100-entry list of qorvana.tab,
// the series (Combo5) the first column of its nine-entry table: their positions go into the
// document record as they are.

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
    // Every edit of a control goes into the draft at once.
    void connectDraft();
    // The header's and the electronic-invoice panel's entries as shown, into the draft (the
    // numbers proposed stay as the form set them).
    void storeEntries();
    // Sizes the window to its content, within the screen's free area.
    void fitToScreen();

    void loadOnce();
    void startNewDocument();
    // The totals and the amount due of the draft's figures in total(0..4).
    void showTotals();
    // The document type chosen on the panel decides whether the document is a credit note,
    // which is never charged the stamp duty: the figures, the totals and the instalments
    // follow it.
    void followDocumentType();
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
    QPushButton* preview_ = nullptr;         // anteprima
    QPushButton* previewReprint_ = nullptr;  // anteprima_ristampa

    // --- controls, named by meaning; registered under the suite's names ---
    QLineEdit* documentNumber_ = nullptr;            // text2(0)
    QLineEdit* vatRegisterNumber_ = nullptr;         // text2(3)
    QLineEdit* transmissionNumber_ = nullptr;        // text2(4), electronic invoices
    std::array<QLineEdit*, 2> additionalAmounts_{};  // text2(11), text2(12)
    QLabel* progressiveLabel_ = nullptr;
    DatePicker* documentDate_ = nullptr;       // text3(1)
    DatePicker* registrationDate_ = nullptr;   // text3(2)
    QCheckBox* separateSeries_ = nullptr;      // numera
    std::array<QLineEdit*, 5> totals_{};       // total(0..4)
    std::array<QComboBox*, 3> banks_{};        // Combo2..Combo4
    QComboBox* series_ = nullptr;              // Combo5
    InstalmentsPanel* instalments_ = nullptr;  // Combo1, dsca, ddsca, sca
    QLineEdit* commissionRate_ = nullptr;      // pro(0)
    QLineEdit* commissionAmount_ = nullptr;    // pro(1)
    QCheckBox* bankReceipt_ = nullptr;         // rib
    QCheckBox* deferredVat_ = nullptr;         // esig
    std::array<QCheckBox*, 5> vatOptions_{};   // xxiva(0..4)
    QPushButton* createXml_ = nullptr;         // comando(7)
    QPushButton* openPanel_ = nullptr;         // ccomando(0)
    FpaPanel* panel_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    TypedNumberBoxes* amounts_;  // the instalments, the commission and the additional amounts

    // --- state ---
    bool loaded_ = false;
    bool filling_ = false;  // combos and dates being set by the form itself
    double documentTotal_ = 0;
    std::optional<InvoiceReference> agreedCorrection_;  // a mismatch the operator went on with
    std::unique_ptr<QPrinter> printer_;
    bool printerChosen_ = false;
};

}  // namespace qorvana
