#include "forms/registration/registration_form.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScopedValueRollback>

#include "core/cp1252.h"
#include "core/money.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/text.h"
#include "forms/common/company_lock.h"
#include "forms/common/date_picker.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/typed_number_boxes.h"
#include "forms/common/wait_cursor.h"
#include "forms/registration/account_list_model.h"

namespace qorvana {
namespace {

// What a box of a line is, kept as a property for the event filter.
enum Part { kCn1 = 1, kCn2, kCn3, kDs, kDare, kAvere, kDescription, kSearch };

constexpr int kTop = 150;
constexpr int kRowHeight = 24;
constexpr int kX[] = {16, 46, 76, 130, 470, 600};  // cn1, cn2, cn3, ds, dare, avere

double Amount(const QLineEdit* box) {
    return TypedValue(S(box->text()));
}

QString AmountText(double amount) {
    return amount == 0 ? QString() : Q(PlainNumberText(amount));
}

// A code part as the number it holds, with leading zeros to `digits`; empty for 0.
QString CodePart(const QString& typed, int digits) {
    const double value = Val(S(typed));
    if (value == 0) return {};
    const std::string text = "0000" + PlainNumberText(value);
    return Q(text.substr(text.size() - static_cast<std::size_t>(digits)));
}

}  // namespace

RegistrationForm::RegistrationForm(Session& session, FormSet& forms)
    : QorForm(QString(form_name::kRegistration), session, forms),
      amounts_(new TypedNumberBoxes(this)) {
    setWindowTitle(QStringLiteral("Estremi movimento contabile"));
    buildControls();
    CentreOnScreen(this);
}

QLineEdit* RegistrationForm::addBox(const QString& name, int line, int x, int width,
                                    int maxLength) {
    auto* box = new QLineEdit(this);
    box->setGeometry(x, kTop + line * kRowHeight, width, kRowHeight - 2);
    box->setMaxLength(maxLength);
    box->setProperty("line", line);
    box->installEventFilter(this);
    registerControl(name, box, line);
    return box;
}

void RegistrationForm::buildControls() {
    resize(740, 640);
    auto* header = new QGroupBox(QStringLiteral("Estremi del movimento contabile"), this);
    header->setGeometry(8, 4, 724, 100);
    auto* detail = new QGroupBox(QStringLiteral("Dettaglio conti movimenti"), this);
    detail->setGeometry(8, 108, 724, kLines * kRowHeight + 52);
    auto* listFrame = new QGroupBox(QStringLiteral("Elenco conti"), this);
    listFrame->setGeometry(8, 420, 724, 170);

    const auto caption = [this](const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->move(x, y);
        return l;
    };
    caption(QStringLiteral("Data"), 16, 28);
    entryDate_ = new DatePicker(this);
    entryDate_->setGeometry(130, 24, 140, 24);
    registerControl(QStringLiteral("text2"), entryDate_);
    caption(QStringLiteral("Descrizione del movimento"), 16, 52);
    caption(QStringLiteral("Documento"), 16, 76);
    for (int i = 0; i < 2; ++i) {
        QLineEdit*& box = i == 0 ? description_ : reference_;
        box = new QLineEdit(this);
        box->setGeometry(190, 48 + 24 * i, i == 0 ? 400 : 220, 22);
        box->setMaxLength(i == 0 ? 40 : 20);
        box->installEventFilter(this);
        registerControl(QStringLiteral("Text1"), box, i);
    }
    description_->setProperty("part", kDescription);

    caption(QStringLiteral("Conto"), kX[0], kTop - 18);
    caption(QStringLiteral("Descrizione del conto"), kX[3], kTop - 18);
    caption(QStringLiteral("Dare"), kX[4], kTop - 18);
    caption(QStringLiteral("Avere"), kX[5], kTop - 18);
    for (int k = 0; k < kLines; ++k) {
        codePart1_[k] = addBox(QStringLiteral("cn1"), k, kX[0], 28, 2);
        codePart2_[k] = addBox(QStringLiteral("cn2"), k, kX[1], 28, 2);
        codePart3_[k] = addBox(QStringLiteral("cn3"), k, kX[2], 50, 4);
        ds_[k] = addBox(QStringLiteral("ds"), k, kX[3], 336, 40);
        dare_[k] = addBox(QStringLiteral("dare"), k, kX[4], 126, 20);
        avere_[k] = addBox(QStringLiteral("avere"), k, kX[5], 126, 20);
        dare_[k]->setAlignment(Qt::AlignRight);
        avere_[k]->setAlignment(Qt::AlignRight);
        for (QLineEdit* amount : {dare_[k], avere_[k]})
            amounts_->add(amount, [](double value) { return AmountText(value); });
        const std::array<std::pair<QLineEdit*, int>, 6> parts{{{codePart1_[k], kCn1},
                                                               {codePart2_[k], kCn2},
                                                               {codePart3_[k], kCn3},
                                                               {ds_[k], kDs},
                                                               {dare_[k], kDare},
                                                               {avere_[k], kAvere}}};
        for (auto [box, part] : parts) box->setProperty("part", part);
        connect(codePart1_[k], &QLineEdit::textEdited, this, [this, k] { onCodeTyped(k, 1); });
        connect(codePart2_[k], &QLineEdit::textEdited, this, [this, k] { onCodeTyped(k, 2); });
        connect(codePart3_[k], &QLineEdit::textEdited, this, [this, k] { onCodeTyped(k, 3); });
    }
    ccerca_ = new QLineEdit(this);
    ccerca_->setProperty("part", kSearch);
    ccerca_->installEventFilter(this);
    ccerca_->hide();
    registerControl(QStringLiteral("ccerca"), ccerca_);
    connect(ccerca_, &QLineEdit::textEdited, this, &RegistrationForm::onSearchTyped);

    imbalanceCaption_ = caption(QStringLiteral("Sbilancio"), kX[3], kTop + kLines * kRowHeight + 4);
    registerControl(QStringLiteral("Label1"), imbalanceCaption_, 7);
    imbalance_ = new QLabel(this);
    imbalance_->setGeometry(kX[4], kTop + kLines * kRowHeight + 2, 126, 20);
    imbalance_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    registerControl(QStringLiteral("Label1"), imbalance_, 5);

    model_ = new AccountListModel(this);
    accountList_ = new QListView(this);
    accountList_->setModel(model_);
    accountList_->setUniformItemSizes(true);
    accountList_->setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 9));
    accountList_->setGeometry(16, 440, 708, 142);
    registerControl(QStringLiteral("List1"), accountList_);
    connect(accountList_, &QListView::clicked, this,
            [this](const QModelIndex& index) { takeListItem(index.row()); });

    // Alt + the underlined letter presses a button from the keyboard.
    struct Command {
        int index;  // of bottone
        QString text;
        void (RegistrationForm::*action)();
    };
    const Command commands[] = {
        {0, QStringLiteral("&Esci"), &RegistrationForm::exit},
        {1, QStringLiteral("&Registra"), &RegistrationForm::registerEntry},
        {3, QStringLiteral("&Inserisci riga"), &RegistrationForm::insertLine},
        {4, QStringLiteral("E&limina riga"), &RegistrationForm::deleteLine}};
    int x = 16;
    for (const Command& command : commands) {
        auto* b = new QPushButton(command.text, this);
        b->setGeometry(x, 600, 130, 28);
        x += 140;
        registerControl(QStringLiteral("bottone"), b, command.index);
        connect(b, &QPushButton::clicked, this, command.action);
    }
}

void RegistrationForm::setLine(int line, const EntryLine& value) {
    const std::string code =
        value.code + std::string(8 - std::min<std::size_t>(8, value.code.size()), ' ');
    codePart1_[line]->setText(Q(Trim(code.substr(0, 2))));
    codePart2_[line]->setText(Q(Trim(code.substr(2, 2))));
    codePart3_[line]->setText(Q(Trim(code.substr(4, 4))));
    ds_[line]->clear();
    dare_[line]->setText(AmountText(value.dare));
    avere_[line]->setText(AmountText(value.avere));
}

void RegistrationForm::clearLine(int line) {
    setLine(line, EntryLine{});
}

void RegistrationForm::copyLine(int from, int to) {
    for (auto* boxes : {&codePart1_, &codePart2_, &codePart3_, &ds_, &dare_, &avere_})
        (*boxes)[to]->setText((*boxes)[from]->text());
}

bool RegistrationForm::lineInUse(int line) const {
    return !codeOf(line).empty() || !Trim(S(ds_[line]->text())).empty() ||
           Amount(dare_[line]) != 0 || Amount(avere_[line]) != 0;
}

std::string RegistrationForm::codeOf(int line) const {
    return Trim(S(codePart1_[line]->text() + codePart2_[line]->text() + codePart3_[line]->text()));
}

void RegistrationForm::propose(const JournalEntry& entry, double postedAt) {
    postedAt_ = postedAt;
    for (int k = 0; k < kLines; ++k) setLine(k, entry.lines[static_cast<std::size_t>(k)]);
    description_->setText(Q(entry.description));
    reference_->setText(Q(entry.reference));
    entryDate_->setText(Q(entry.date));
    shownProposal_ = this->entry();
}

JournalEntry RegistrationForm::entry() const {
    JournalEntry e;
    e.date = Trim(S(entryDate_->text()));
    e.description = S(description_->text());
    e.reference = S(reference_->text());
    for (int k = 0; k < kLines; ++k) {
        EntryLine& line = e.lines[static_cast<std::size_t>(k)];
        line.code = codeOf(k);
        line.dare = Amount(dare_[k]);
        line.avere = Amount(avere_[k]);
    }
    return e;
}

void RegistrationForm::activate() {
    ccerca_->hide();
    model_->setAccounts(AccountList::Load(session().files));
    for (int k = 0; k < kLines; ++k)
        if (Val(S(codePart1_[k]->text())) != 0) showAccountName(k);
    updateImbalance();
    currentLine_ = 0;
    codePart1_[0]->setFocus();
}

bool RegistrationForm::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || !box->property("part").isValid()) return QorForm::eventFilter(watched, event);
    const int part = box->property("part").toInt();
    const int line = box->property("line").toInt();
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (part == kSearch && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                onSearchEnter();
                return true;
            }
            return onKey(box, line, key);
        }
        case QEvent::FocusIn:
            if (part <= kCn3) currentLine_ = line;
            if (part == kDs) onNameFocus(line);
            if (part == kDare || part == kAvere) onAmountFocus(line);
            break;
        case QEvent::FocusOut:
            if (part == kCn1 || part == kCn2) onCodeFocusLost(box, 2);
            if (part == kCn3) onCodeFocusLost(box, 4);
            if (part == kDare || part == kAvere) updateImbalance();
            break;
        default:
            break;
    }
    return QorForm::eventFilter(watched, event);
}

bool RegistrationForm::onKey(QLineEdit* box, int line, int key) {
    const int part = box->property("part").toInt();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (key == Qt::Key_Backspace && box->text().isEmpty() && (part == kCn2 || part == kCn3)) {
        (part == kCn2 ? codePart1_ : codePart2_)[line]->setFocus();
        return true;
    }
    if (!enter) return false;
    switch (part) {
        case kCn1:
            codePart2_[line]->setFocus();
            return true;
        case kCn2:
            codePart3_[line]->setFocus();
            return true;
        case kCn3:
            confirmCode(line);
            return true;
        case kDare:
        case kAvere: {
            if (Amount(box) != 0) {
                if (line + 1 < kLines) codePart1_[line + 1]->setFocus();
            } else {
                (part == kDare ? avere_ : dare_)[line]->setFocus();
            }
            return true;
        }
        case kDescription:
            reference_->setFocus();
            return true;
        default:
            return false;
    }
}

void RegistrationForm::onCodeFocusLost(QLineEdit* box, int digits) {
    box->setText(CodePart(box->text(), digits));
}

void RegistrationForm::selectFirst(const QString& prefix, int from) {
    const auto& entries = model_->accounts().entries();
    const std::string wanted = UpperCase(S(prefix));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string part = entries[i].item.substr(static_cast<std::size_t>(from));
        if (UpperCase(part).starts_with(wanted)) {
            const QModelIndex index = model_->index(static_cast<int>(i));
            accountList_->setCurrentIndex(index);
            accountList_->scrollTo(index);
            return;
        }
    }
}

void RegistrationForm::onCodeTyped(int line, int part) {
    QString typed = codePart1_[line]->text();
    if (part >= 2) typed += QLatin1Char('.') + codePart2_[line]->text();
    if (part >= 3) typed += QLatin1Char('.') + codePart3_[line]->text();
    selectFirst(typed, 0);
}

void RegistrationForm::confirmCode(int line) {
    if (codeOf(line).empty()) {
        ds_[line]->setFocus();
        return;
    }
    (avere_[line]->text().isEmpty() ? dare_ : avere_)[line]->setFocus();
}

void RegistrationForm::onNameFocus(int line) {
    searchLine_ = line;
    // Laid over the name box as its child, so that the box keeps the focus it was given.
    ccerca_->setParent(ds_[line]);
    ccerca_->setGeometry(ds_[line]->rect());
    ccerca_->setText(ds_[line]->text());
    ccerca_->show();
    ccerca_->raise();
    ccerca_->setFocus();
}

void RegistrationForm::onSearchTyped() {
    // The name part of an item follows its first 11 characters ("01.02.0003 ").
    selectFirst(ccerca_->text(), 11);
}

void RegistrationForm::onSearchEnter() {
    ccerca_->hide();
    const int line = searchLine_ < 0 ? currentLine_ : searchLine_;
    if (ccerca_->text().isEmpty()) {
        codePart1_[line]->setFocus();
        return;
    }
    currentLine_ = line;
    if (accountList_->currentIndex().isValid()) takeListItem(accountList_->currentIndex().row());
}

void RegistrationForm::takeListItem(int row) {
    const auto& entries = model_->accounts().entries();
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return;
    const QString item = Q(entries[static_cast<std::size_t>(row)].item);
    if (Val(S(item.left(2))) <= 0) return;
    const int line = currentLine_;
    codePart1_[line]->setText(item.mid(0, 2));
    codePart2_[line]->setText(item.mid(3, 2));
    codePart3_[line]->setText(item.mid(6, 4));
    accountList_->clearSelection();
    accountList_->setCurrentIndex(QModelIndex());
    confirmCode(line);
}

void RegistrationForm::showAccountName(int line) {
    if (const AccountEntry* a = model_->accounts().find(codeOf(line)))
        ds_[line]->setText(Q(a->name));
}

void RegistrationForm::onAmountFocus(int line) {
    ccerca_->hide();
    if (checking_) return;
    if (codeOf(line).empty() || model_->accounts().find(codeOf(line))) {
        showAccountName(line);
        return;
    }
    const QScopedValueRollback<bool> checking(checking_, true);
    Warn(this, QStringLiteral("Il conto selezionato non esiste"));
    codePart1_[line]->clear();
    codePart2_[line]->clear();
    codePart3_[line]->clear();
    currentLine_ = line;
    codePart1_[line]->setFocus();
}

void RegistrationForm::updateImbalance() {
    const Money money = session().money();
    const double rounded = EntryImbalance(entry(), money);
    const bool shown = rounded != 0;
    imbalance_->setText(shown ? Q(money.FormatAmount(rounded)) : QString());
    // Colour values of the suite: 255 is red, 9 a dark red close to black.
    imbalance_->setStyleSheet(rounded < 0 ? QStringLiteral("color: rgb(255, 0, 0)")
                                          : QStringLiteral("color: rgb(9, 0, 0)"));
    imbalance_->setVisible(shown);
    imbalanceCaption_->setVisible(shown);
}

void RegistrationForm::insertLine() {
    if (lineInUse(kLines - 1)) {
        Warn(this, QStringLiteral("L'ultima riga del movimento è occupata: non si può inserire "
                                  "un'altra riga"));
        return;
    }
    for (int k = kLines - 1; k > currentLine_; --k) copyLine(k - 1, k);
    clearLine(currentLine_);
    codePart1_[currentLine_]->setFocus();
}

void RegistrationForm::deleteLine() {
    for (int k = currentLine_; k + 1 < kLines; ++k) copyLine(k + 1, k);
    clearLine(kLines - 1);
    updateImbalance();
    codePart1_[currentLine_]->setFocus();
}

void RegistrationForm::registerEntry() {
    if (!amounts_->commitFocused()) return;
    JournalEntry e = entry();
    const EntryCheck dateCheck = CheckEntry(e, AccountList{});
    if (dateCheck.problem == EntryProblem::Date) {
        Warn(this, Q(dateCheck.message));
        entryDate_->lineEdit()->setFocus();
        return;
    }
    for (int k = 0; k < kLines; ++k) {
        if (e.lines[static_cast<std::size_t>(k)].hasAmount()) continue;
        codePart1_[k]->clear();
        codePart2_[k]->clear();
        codePart3_[k]->clear();
        e.lines[static_cast<std::size_t>(k)].code.clear();
    }
    const EntryCheck check = CheckEntry(e, model_->accounts());
    if (check.problem != EntryProblem::None) {
        Warn(this, Q(check.message));
        if (check.problem == EntryProblem::NegativeAmount)
            (check.inAvere ? avere_ : dare_)[static_cast<std::size_t>(check.line)]->setFocus();
        else
            codePart1_[0]->setFocus();
        return;
    }
    // The journal counter and the accounts are read and written under the company's lock.
    std::optional<PostingLock> lock = LockCompanyForPosting(this, session());
    if (!lock) return;
    const Result<int> result = [&] {
        const WaitCursor wait;
        return PostJournalEntry(session().files, e, check.accounts, postedAt_);
    }();
    lock->release();  // before the operator is told anything
    if (!result) {
        Warn(this, Q(result.message()));
        // Nothing written: the operator may correct and register again. Once something was
        // written, registering again would count the amounts twice.
        if (!result.partlyDone()) return;
    }
    leave();
}

void RegistrationForm::leave() {
    ccerca_->hide();
    session().returnPending = 0;
    forms().handOver(this, QString(form_name::kStart));
}

void RegistrationForm::exit() {
    // Leaving the proposal as it came writes nothing and loses nothing; changes are lost.
    if (entry() != shownProposal_ &&
        !AskBeforeLosingWork(this, QStringLiteral("Le modifiche al movimento contabile andranno "
                                                  "perse: uscire senza registrarlo?")))
        return;
    leave();
}

void RegistrationForm::closeEvent(QCloseEvent* event) {
    // Forms live for the whole run: closing hides this one and the start form resumes.
    event->ignore();
    exit();
}

}  // namespace qorvana
