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
    combo1_ = new QComboBox;
    grid->addWidget(new QLabel(QStringLiteral("Tipo di pagamento")), 0, 0);
    grid->addWidget(combo1_, 0, 1, 1, 4);
    for (int i = 0; i < 6; ++i) {
        dsca_[i] = new QLineEdit;
        dsca_[i]->setMaxLength(10);
        dsca_[i]->setMinimumWidth(
            dsca_[i]->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
        ddsca_[i] = new DatePicker;
        sca_[i] = new QLineEdit;
        sca_[i]->setAlignment(Qt::AlignRight);
        sca_[i]->setMinimumWidth(
            sca_[i]->fontMetrics().horizontalAdvance(QStringLiteral("0.000.000,00")) + 12);
        dsca_[i]->installEventFilter(this);
        grid->addWidget(new QLabel(QStringLiteral("Data %1' scadenza").arg(i + 1)), i + 1, 0);
        grid->addWidget(dsca_[i], i + 1, 1);
        grid->addWidget(ddsca_[i], i + 1, 2);
        grid->addWidget(new QLabel(QStringLiteral("Importo")), i + 1, 3);
        grid->addWidget(sca_[i], i + 1, 4);
        connect(dsca_[i], &QLineEdit::textChanged, this, [this, i] { dueDateChanged(i); });
        connect(ddsca_[i], &DatePicker::edited, this, [this, i] { dueDatePicked(i); });
        // Amounts typed by the operator show, once left, the value read, as the split writes
        // it.
        amounts.add(sca_[i], [](double value) { return Q(InstalmentText(value)); });
    }
    // Enter moves from a due date to its amount, and from the first amounts to the next date.
    for (int i = 0; i < 6; ++i) {
        QLineEdit* amount = sca_[i];
        connect(dsca_[i], &QLineEdit::returnPressed, this,
                [amount] { amount->setFocus(Qt::TabFocusReason); });
    }
    for (int i = 0; i < 3; ++i) {
        QLineEdit* next = dsca_[i + 1];
        connect(sca_[i], &QLineEdit::returnPressed, this,
                [next] { next->setFocus(Qt::TabFocusReason); });
    }
    connect(combo1_, qOverload<int>(&QComboBox::activated), this,
            &InstalmentsPanel::conditionChosen);
}

void InstalmentsPanel::registerControls(const ControlRegistry& add) const {
    add(QStringLiteral("Combo1"), combo1_, -1);
    for (int i = 0; i < 6; ++i) {
        add(QStringLiteral("dsca"), dsca_[i], i);
        add(QStringLiteral("ddsca"), ddsca_[i], i);
        add(QStringLiteral("sca"), sca_[i], i);
    }
}

void InstalmentsPanel::fillConditions() {
    const PaymentTerms& terms = SettingsOf(session_).paymentTerms;
    auto* conditions = qobject_cast<QStandardItemModel*>(combo1_->model());
    auto* dropDown = qobject_cast<QListView*>(combo1_->view());
    for (int row = 1; row <= PaymentTerms::kTerms; ++row) {
        combo1_->addItem(Q(terms.description(row)));
        // An empty condition keeps its place in the list (records and scripts name an entry by
        // its position) but is neither shown in the drop-down nor chosen.
        if (terms.offered(row)) continue;
        if (conditions) conditions->item(row - 1)->setEnabled(false);
        if (dropDown) dropDown->setRowHidden(row - 1, true);
    }
}

void InstalmentsPanel::startDocument(std::optional<int> entry, double total) {
    if (combo1_->count() > 0) combo1_->setCurrentIndex(0);
    if (entry) combo1_->setCurrentIndex(*entry);
    chosenEntry_ = combo1_->currentIndex();
    total_ = total;
    splitInstalments();
    computeDueDates();
}

PaymentCode InstalmentsPanel::chosenCode() const {
    return SettingsOf(session_).paymentTerms.parsed(combo1_->currentIndex() + 1);
}

double InstalmentsPanel::secondInstalment() const {
    return TypedValue(S(sca_[1]->text()));
}

void InstalmentsPanel::fillEntries(HeaderEntries& entries) const {
    entries.paymentTerms = combo1_->currentIndex();
    entries.paymentTermsText = S(combo1_->currentText());
    for (int i = 0; i < 6; ++i) {
        entries.dueDates[i] = S(dsca_[i]->text());
        entries.instalmentAmounts[i] = S(sca_[i]->text());
    }
}

void InstalmentsPanel::focusCondition() {
    combo1_->setFocus();
}

void InstalmentsPanel::focusDueDate(int i) {
    dsca_[i]->setFocus();
}

void InstalmentsPanel::splitInstalments() {
    const auto amounts = SplitInstalments(chosenCode(), total_, session_.money());
    for (int i = 0; i < 6; ++i)
        if (amounts[i]) sca_[i]->setText(Q(InstalmentText(*amounts[i])));
}

void InstalmentsPanel::computeDueDates() {
    const CivilDate base = DueDateBase(S(documentDate_()), session_.clock.today());
    const auto dates = ComputeDueDates(chosenCode(), base, SettingsOf(session_).postponeRules);
    for (int i = 0; i < 6; ++i) {
        if (dates[i]) {
            dsca_[i]->setText(Q(*dates[i]));
        } else {
            dsca_[i]->clear();
            sca_[i]->clear();
        }
    }
}

void InstalmentsPanel::conditionChosen() {
    // An empty condition cannot be chosen: the list goes back to the one chosen before.
    if (!SettingsOf(session_).paymentTerms.offered(combo1_->currentIndex() + 1)) {
        combo1_->setCurrentIndex(chosenEntry_);
        return;
    }
    chosenEntry_ = combo1_->currentIndex();
    computeDueDates();
    splitInstalments();
    emit conditionChanged();
}

void InstalmentsPanel::dueDateChanged(int i) {
    // An equal text is not set again, so the box being typed in keeps its cursor.
    const QString text = dsca_[i]->text();
    if ((text.isEmpty() || IsValidDate(S(text)) == 0) && ddsca_[i]->text() != text)
        ddsca_[i]->setText(text);
}

void InstalmentsPanel::dueDatePicked(int i) {
    const auto date = ddsca_[i]->date();
    if (date && dsca_[i]->text() != Q(date->text())) dsca_[i]->setText(Q(date->text()));
}

void InstalmentsPanel::dueDateEntered(int i) {
    // While a due date is held back for correction, neither it nor a due date passed on the
    // way is filled in.
    if (heldDueDate_ >= 0) return;
    if (IsValidDate(S(dsca_[i]->text())) != 0) dsca_[i]->setText(Q(session_.clock.today().text()));
}

void InstalmentsPanel::dueDateLeft(int i) {
    QString text = dsca_[i]->text();
    if (text.size() == 10) {
        text[2] = QLatin1Char('/');
        text[5] = QLatin1Char('/');
        dsca_[i]->setText(text);
        return;
    }
    if (text.isEmpty() || !text.at(0).isDigit()) return;
    // A date being typed keeps the focus until it is corrected; only a move inside this
    // window is held back, never a message box or another window taking the focus.
    heldDueDate_ = i;
    QTimer::singleShot(0, this, [this, i, text] {
        QWidget* focused = QApplication::focusWidget();
        if (isVisible() && focused && focused->window() == window() && focused != dsca_[i]) {
            dsca_[i]->setFocus(Qt::OtherFocusReason);
            Warn(window(), QStringLiteral("La data di scadenza %1 non è valida: scriverla come "
                                          "gg/mm/aaaa, ad esempio 05/09/2026")
                               .arg(text));
        }
        heldDueDate_ = -1;
    });
}

bool InstalmentsPanel::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 6; ++i) {
        if (watched != dsca_[i]) continue;
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
