#include "forms/sdi/einvoice_list_form.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/session.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/sdi/einvoice_list_model.h"
#include "forms/sdi/einvoice_sending_form.h"

namespace qorvana {
namespace {

QPushButton* Button(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(true);
    return button;
}

// What the window says of an e-invoice below the grid, a line each: each transmission with
// its notifications and their errors.
QStringList Details(const EInvoiceEntry& e) {
    QStringList lines;
    if (!e.replaces.empty()) lines << Q("Corregge la fattura scartata " + e.replaces + ".");
    if (!e.replacedBy.empty()) lines << Q("Inviata di nuovo, corretta, con " + e.replacedBy + ".");
    for (const SendingRecord& s : e.sendings) {
        lines << Q("Inviata il " + DisplayMoment(s.time) + " a " + s.to + " (" + s.fileSent + ")" +
                   (s.sdiId.empty() ? "" : ", identificativo SdI " + s.sdiId) + ": " +
                   StateText(TransmissionState(e, s)) + ".");
        for (const NotificationRecord* n : NotificationsOf(e, s)) {
            SdiNotification plain = *n;
            plain.errors.clear();
            const std::string said = NotificationDetails(plain);
            lines << Q(
                "Notifica " + KindCode(n->kind) + " (" + NotificationStateText(&e, *n) + ")" +
                (n->moment.empty() ? "" : " del " + DisplayMoment(n->moment)) +
                (said.empty() ? "" : ": " + said) +
                (n->schema == MessageSchema::None ? " (non verificata con uno schema)" : ""));
            for (const SdiError& error : n->errors) {
                lines << Q("Errore " + error.code + ": " + error.description);
                if (!error.suggestion.empty()) lines << Q("Suggerimento: " + error.suggestion);
            }
        }
    }
    return lines;
}

// The notifications waiting for their sending and the messages kept to be read again.
QStringList Waiting(const SdiStore& store) {
    QStringList lines;
    for (const NotificationRecord& n : store.unmatched)
        lines << Q("Notifica " + KindCode(n.kind) + " di " + n.invoiceFile +
                   (n.moment.empty() ? "" : " del " + DisplayMoment(n.moment)) +
                   ", non abbinata: " + UnmatchedReason(store, n) + ".");
    for (const KeptMessage& k : store.kept)
        lines << Q("Messaggio " + k.origin + ", conservato il " + DisplayMoment(k.keptAt) +
                   " per una nuova lettura: " + k.reason);
    return lines;
}

}  // namespace

EInvoiceListForm::EInvoiceListForm(Session& session, FormSet& forms)
    : QorForm(QString(form_name::kEInvoices), session, forms) {
    setWindowTitle(QStringLiteral("Fatture elettroniche"));
    auto* column = new QVBoxLayout(this);

    auto* filter = new QHBoxLayout;
    stato_ = new QComboBox;
    stato_->addItem(QStringLiteral("Tutte"));
    for (EInvoiceState state : kAllStates) stato_->addItem(Q(StateText(state)));
    auto* statoLabel = new QLabel(QStringLiteral("&Stato:"));
    statoLabel->setBuddy(stato_);
    filter->addWidget(statoLabel);
    filter->addWidget(stato_);
    filter->addStretch(1);
    column->addLayout(filter);

    model_ = new EInvoiceListModel(this);
    elenco_ = new QTableView;
    elenco_->setModel(model_);
    elenco_->setSelectionBehavior(QAbstractItemView::SelectRows);
    elenco_->setSelectionMode(QAbstractItemView::SingleSelection);
    elenco_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    elenco_->verticalHeader()->hide();
    elenco_->horizontalHeader()->setStretchLastSection(true);
    column->addWidget(elenco_, 1);

    errori_ = new QListWidget;
    errori_->setMaximumHeight(140);
    column->addWidget(errori_);

    sospeseLabel_ = new QLabel(QStringLiteral("Notifiche non abbinate e messaggi da rileggere:"));
    sospese_ = new QListWidget;
    sospese_->setMaximumHeight(90);
    sospeseLabel_->setBuddy(sospese_);
    column->addWidget(sospeseLabel_);
    column->addWidget(sospese_);

    auto* buttons = new QHBoxLayout;
    invia_ = Button(QStringLiteral("&Invia"));
    rinvia_ = Button(QStringLiteral("&Rinvia corretta"));
    ricevute_ = Button(QStringLiteral("&Leggi notifiche"));
    chiudi_ = Button(QStringLiteral("&Chiudi"));
    for (QPushButton* b : {invia_, rinvia_, ricevute_}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(chiudi_);
    column->addLayout(buttons);

    registerControl(QStringLiteral("stato"), stato_);
    registerControl(QStringLiteral("elenco"), elenco_);
    registerControl(QStringLiteral("errori"), errori_);
    registerControl(QStringLiteral("sospese"), sospese_);
    registerControl(QStringLiteral("invia"), invia_);
    registerControl(QStringLiteral("rinvia"), rinvia_);
    registerControl(QStringLiteral("ricevute"), ricevute_);
    registerControl(QStringLiteral("chiudi"), chiudi_);

    connect(stato_, qOverload<int>(&QComboBox::activated), this, [this] { reload(); });
    connect(elenco_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showChosen(); });
    connect(invia_, &QPushButton::clicked, this, &EInvoiceListForm::send);
    connect(rinvia_, &QPushButton::clicked, this, &EInvoiceListForm::resend);
    connect(ricevute_, &QPushButton::clicked, this, &EInvoiceListForm::readMailbox);
    connect(chiudi_, &QPushButton::clicked, this, &EInvoiceListForm::backToStart);
    resize(900, 520);
}

void EInvoiceListForm::activate() {
    stato_->setCurrentIndex(0);
    reload();
    elenco_->setFocus();
}

void EInvoiceListForm::reload() {
    const Result<SdiStore> store = LoadSdiStore(session().companyFolder());
    if (!store) Warn(this, Q(store.message()));
    const int chosenState = stato_->currentIndex();
    model_->setStore(store.valueOr(SdiStore{}),
                     chosenState <= 0 ? std::nullopt : std::optional(kAllStates[chosenState - 1]));
    sospese_->clear();
    if (store) sospese_->addItems(Waiting(*store));
    sospeseLabel_->setVisible(sospese_->count() > 0);
    sospese_->setVisible(sospese_->count() > 0);
    elenco_->resizeColumnsToContents();
    if (model_->rowCount() > 0) elenco_->selectRow(0);
    showChosen();
}

const EInvoiceEntry* EInvoiceListForm::chosen() const {
    return model_->entryAt(elenco_->currentIndex().row());
}

void EInvoiceListForm::showChosen() {
    const EInvoiceEntry* e = chosen();
    errori_->clear();
    if (e) errori_->addItems(Details(*e));
    const EInvoiceState state = e ? StateOf(*e) : EInvoiceState::Sent;
    invia_->setEnabled(e && state == EInvoiceState::Written);
    rinvia_->setEnabled(e && state == EInvoiceState::Rejected && e->replacedBy.empty());
}

void EInvoiceListForm::send() {
    if (const EInvoiceEntry* e = chosen()) SendListedEInvoice(this, session(), e->fileName);
    reload();
}

void EInvoiceListForm::resend() {
    if (const EInvoiceEntry* e = chosen()) CorrectRejectedEInvoice(this, session(), e->fileName);
    reload();
}

void EInvoiceListForm::readMailbox() {
    ReadMailboxNotifications(this, session());
    reload();
}

void EInvoiceListForm::backToStart() {
    // The start form keeps the customer it showed.
    session().returnPending = 1;
    forms().handOver(this, QString(form_name::kStart));
}

void EInvoiceListForm::closeEvent(QCloseEvent* event) {
    // Forms live for the whole run: the window is hidden and the start form resumes.
    event->ignore();
    backToStart();
}

}  // namespace qorvana
