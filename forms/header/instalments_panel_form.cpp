#include "forms/header/instalments_panel_form.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QStandardItemModel>
#include <QTimer>

#include "company/company_settings.h"
#include "core/civil_date.h"
#include "core/money.h"
#include "core/session.h"
#include "document/due_dates.h"
#include "forms/common/date_picker.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/typed_number_boxes.h"

namespace qorvana {

InstalmentsPanel::InstalmentsPanel(Session& session, TypedNumberBoxes& amounts,
                                   std::function<QString()> documentDate, QWidget* parent)
    : QGroupBox(QStringLiteral("Rateizzazione e scadenze"), parent),
      session_(session),
      documentDate_(std::move(documentDate)) {
    auto* grid = new QGridLayout(this);
    paymentTerms_ = new QComboBox;
    grid->addWidget(new QLabel(QStringLiteral("Tipo di pagamento")), 0, 0);
    grid->addWidget(paymentTerms_, 0, 1, 1, 4);
    for (int i = 0; i < 6; ++i) {
        dueDates_[i] = new QLineEdit;
        dueDates_[i]->setMaxLength(10);
        dueDates_[i]->setMinimumWidth(
            dueDates_[i]->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
        dueDatePickers_[i] = new DatePicker;
        amounts_[i] = new QLineEdit;
        amounts_[i]->setAlignment(Qt::AlignRight);
        amounts_[i]->setMinimumWidth(
            amounts_[i]->fontMetrics().horizontalAdvance(QStringLiteral("0.000.000,00")) + 12);
        dueDates_[i]->installEventFilter(this);
        grid->addWidget(new QLabel(QStringLiteral("Data %1' scadenza").arg(i + 1)), i + 1, 0);
        grid->addWidget(dueDates_[i], i + 1, 1);
        grid->addWidget(dueDatePickers_[i], i + 1, 2);
        grid->addWidget(new QLabel(QStringLiteral("Importo")), i + 1, 3);
        grid->addWidget(amounts_[i], i + 1, 4);
        connect(dueDates_[i], &QLineEdit::textChanged, this, [this, i] { dueDateChanged(i); });
        connect(dueDatePickers_[i], &DatePicker::edited, this, [this, i] { dueDatePicked(i); });
        // Amounts typed by the operator show, once left, the value read, as the split writes
        // it.
        amounts.add(amounts_[i], [](double value) { return Q(InstalmentText(value)); });
    }
    // Enter moves from a due date to its amount, and from the first amounts to the next date.
    for (int i = 0; i < 6; ++i) {
        QLineEdit* amount = amounts_[i];
        connect(dueDates_[i], &QLineEdit::returnPressed, this,
                [amount] { amount->setFocus(Qt::TabFocusReason); });
    }
    for (int i = 0; i < 3; ++i) {
        QLineEdit* next = dueDates_[i + 1];
        connect(amounts_[i], &QLineEdit::returnPressed, this,
                [next] { next->setFocus(Qt::TabFocusReason); });
    }
    connect(paymentTerms_, qOverload<int>(&QComboBox::activated), this,
            &InstalmentsPanel::conditionChosen);
}

void InstalmentsPanel::registerControls(const ControlRegistry& add) const {
    add(QStringLiteral("Combo1"), paymentTerms_, -1);
    for (int i = 0; i < 6; ++i) {
        add(QStringLiteral("dsca"), dueDates_[i], i);
        add(QStringLiteral("ddsca"), dueDatePickers_[i], i);
        add(QStringLiteral("sca"), amounts_[i], i);
    }
}

void InstalmentsPanel::fillConditions() {
    const PaymentTerms& terms = SettingsOf(session_).paymentTerms;
    auto* conditions = qobject_cast<QStandardItemModel*>(paymentTerms_->model());
    auto* dropDown = qobject_cast<QListView*>(paymentTerms_->view());
    for (int row = 1; row <= PaymentTerms::kTerms; ++row) {
        paymentTerms_->addItem(Q(terms.description(row)));
        // An empty condition keeps its place in the list (records and scripts name an entry by
        // its position) but is neither shown in the drop-down nor chosen.
        if (terms.offered(row)) continue;
        if (conditions) conditions->item(row - 1)->setEnabled(false);
        if (dropDown) dropDown->setRowHidden(row - 1, true);
    }
}

void InstalmentsPanel::startDocument(std::optional<int> entry, double total) {
    if (paymentTerms_->count() > 0) paymentTerms_->setCurrentIndex(0);
    if (entry) paymentTerms_->setCurrentIndex(*entry);
    chosenEntry_ = paymentTerms_->currentIndex();
    total_ = total;
    splitInstalments();
    computeDueDates();
}

PaymentCode InstalmentsPanel::chosenCode() const {
    return SettingsOf(session_).paymentTerms.parsed(paymentTerms_->currentIndex() + 1);
}

double InstalmentsPanel::secondInstalment() const {
    return TypedValue(S(amounts_[1]->text()));
}

void InstalmentsPanel::fillEntries(HeaderEntries& entries) const {
    entries.paymentTerms = paymentTerms_->currentIndex();
    entries.paymentTermsText = S(paymentTerms_->currentText());
    for (int i = 0; i < 6; ++i) {
        entries.dueDates[i] = S(dueDates_[i]->text());
        entries.instalmentAmounts[i] = S(amounts_[i]->text());
    }
}

void InstalmentsPanel::focusCondition() {
    paymentTerms_->setFocus();
}

void InstalmentsPanel::focusDueDate(int i) {
    dueDates_[i]->setFocus();
}

void InstalmentsPanel::splitInstalments() {
    const auto amounts = SplitInstalments(chosenCode(), total_, session_.money());
    for (int i = 0; i < 6; ++i)
        if (amounts[i]) amounts_[i]->setText(Q(InstalmentText(*amounts[i])));
}

void InstalmentsPanel::computeDueDates() {
    const CivilDate base = DueDateBase(S(documentDate_()), session_.clock.today());
    const auto dates = ComputeDueDates(chosenCode(), base, SettingsOf(session_).postponeRules);
    for (int i = 0; i < 6; ++i) {
        if (dates[i]) {
            dueDates_[i]->setText(Q(*dates[i]));
        } else {
            dueDates_[i]->clear();
            amounts_[i]->clear();
        }
    }
}

void InstalmentsPanel::conditionChosen() {
    // An empty condition cannot be chosen: the list goes back to the one chosen before.
    if (!SettingsOf(session_).paymentTerms.offered(paymentTerms_->currentIndex() + 1)) {
        paymentTerms_->setCurrentIndex(chosenEntry_);
        return;
    }
    chosenEntry_ = paymentTerms_->currentIndex();
    computeDueDates();
    splitInstalments();
    emit conditionChanged();
}

void InstalmentsPanel::dueDateChanged(int i) {
    // An equal text is not set again, so the box being typed in keeps its cursor.
    const QString text = dueDates_[i]->text();
    if ((text.isEmpty() || IsValidDate(S(text)) == 0) && dueDatePickers_[i]->text() != text)
        dueDatePickers_[i]->setText(text);
}

void InstalmentsPanel::dueDatePicked(int i) {
    const auto date = dueDatePickers_[i]->date();
    if (date && dueDates_[i]->text() != Q(date->text())) dueDates_[i]->setText(Q(date->text()));
}

void InstalmentsPanel::dueDateEntered(int i) {
    // While a due date is held back for correction, neither it nor a due date passed on the
    // way is filled in.
    if (heldDueDate_ >= 0) return;
    if (IsValidDate(S(dueDates_[i]->text())) != 0)
        dueDates_[i]->setText(Q(session_.clock.today().text()));
}

void InstalmentsPanel::dueDateLeft(int i) {
    QString text = dueDates_[i]->text();
    if (text.size() == 10) {
        text[2] = QLatin1Char('/');
        text[5] = QLatin1Char('/');
        dueDates_[i]->setText(text);
        return;
    }
    if (text.isEmpty() || !text.at(0).isDigit()) return;
    // A date being typed keeps the focus until it is corrected; only a move inside this
    // window is held back, never a message box or another window taking the focus.
    heldDueDate_ = i;
    QTimer::singleShot(0, this, [this, i, text] {
        QWidget* focused = QApplication::focusWidget();
        if (isVisible() && focused && focused->window() == window() && focused != dueDates_[i]) {
            dueDates_[i]->setFocus(Qt::OtherFocusReason);
            Warn(window(), QStringLiteral("La data di scadenza %1 non è valida: scriverla come "
                                          "gg/mm/aaaa, ad esempio 05/09/2026")
                               .arg(text));
        }
        heldDueDate_ = -1;
    });
}

bool InstalmentsPanel::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 6; ++i) {
        if (watched != dueDates_[i]) continue;
        if (event->type() == QEvent::FocusIn) dueDateEntered(i);
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                dueDateLeft(i);
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

}  // namespace qorvana
