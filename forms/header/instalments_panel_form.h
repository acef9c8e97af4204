#pragma once
// The header form's instalments: the payment condition (Combo1) and up to six instalments,
// each a due date typed (dsca) or picked (ddsca) and an amount (sca). Choosing a condition
// splits the amount due and computes the due dates; a due date typed wrong keeps the focus
// until it is corrected.

#include <QGroupBox>
#include <QString>
#include <array>
#include <functional>
#include <optional>

#include "document/document_draft.h"
#include "document/payment_terms.h"
#include "forms/common/qor_form.h"

class QComboBox;
class QLineEdit;

namespace qorvana {

struct Session;
class DatePicker;
class TypedNumberBoxes;

class InstalmentsPanel : public QGroupBox {
    Q_OBJECT
  public:
    // The amounts take part in `amounts`, the header's typed numbers; the due dates count from
    // the date `documentDate` gives (today when it is not a valid date).
    InstalmentsPanel(Session& session, TypedNumberBoxes& amounts,
                     std::function<QString()> documentDate, QWidget* parent = nullptr);

    // Registers Combo1 and dsca, ddsca, sca with their indices 0..5.
    void registerControls(const ControlRegistry& add) const;
    // Fills the conditions from the company's payment terms (an empty one cannot be chosen).
    void fillConditions();
    // A new document: the condition at list entry `entry` (the first when the customer gave
    // none), the instalments of `total` and their due dates.
    void startDocument(std::optional<int> entry, double total);
    // The due dates again, as after a new document date.
    void computeDueDates();

    // The condition chosen, parsed.
    PaymentCode chosenCode() const;
    // The amount of the second instalment as typed.
    double secondInstalment() const;
    // Puts the condition, the due dates and the amounts into `entries`.
    void fillEntries(HeaderEntries& entries) const;
    void focusCondition();
    void focusDueDate(int i);

  signals:
    // The operator chose another payment condition: the instalments and due dates are its.
    void conditionChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void splitInstalments();
    void conditionChosen();
    void dueDateChanged(int i);
    void dueDatePicked(int i);
    void dueDateEntered(int i);
    void dueDateLeft(int i);

    Session& session_;
    QComboBox* paymentTerms_ = nullptr;            // Combo1
    std::array<QLineEdit*, 6> dueDates_{};         // dsca(0..5)
    std::array<DatePicker*, 6> dueDatePickers_{};  // ddsca(0..5), their calendars
    std::array<QLineEdit*, 6> amounts_{};          // sca(0..5), the instalments' amounts
    std::function<QString()> documentDate_;
    double total_ = 0;
    int chosenEntry_ = 0;   // the condition chosen last, which an empty one leaves
    int heldDueDate_ = -1;  // the due date about to get its focus back for correction
};

}  // namespace qorvana
