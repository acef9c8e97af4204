#include "forms/start/einvoice_customer_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/session.h"
#include "fatturapa/einvoice_terms.h"
#include "forms/common/company_lock.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/start/start_form.h"

namespace qorvana {

EInvoiceCustomerForm::EInvoiceCustomerForm(Session& session, FormSet& forms)
    : QorForm(QString(form_name::kEInvoiceCustomer), session, forms) {
    setWindowTitle(QStringLiteral("Dati fattura elettronica del cliente"));
    auto* column = new QVBoxLayout(this);
    nome_ = new QLabel;
    column->addWidget(nome_);
    auto* fields = new QFormLayout;
    codice_ = new QLineEdit;
    codice_->setMaxLength(7);
    pec_ = new QLineEdit;
    pec_->setMaxLength(256);
    scissione_ = new QCheckBox(QStringLiteral("Scissione dei pagamenti (split payment)"));
    idEstero_ = new QLineEdit;
    idEstero_->setMaxLength(28);
    nomeFe_ = new QLineEdit;
    nomeFe_->setMaxLength(60);
    cognomeFe_ = new QLineEdit;
    cognomeFe_->setMaxLength(60);
    intento_ = new QLineEdit;
    intento_->setMaxLength(24);
    intento_->setPlaceholderText(QStringLiteral("08060120341234567-000001"));
    dataIntento_ = new QLineEdit;
    dataIntento_->setMaxLength(10);
    dataIntento_->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    fields->addRow(QStringLiteral("&Codice destinatario:"), codice_);
    fields->addRow(QStringLiteral("&PEC:"), pec_);
    fields->addRow(QString(), scissione_);
    fields->addRow(QStringLiteral("&Identificativo fiscale estero:"), idEstero_);
    // A private person is written by first name and surname, which a card of one name line
    // cannot tell apart.
    fields->addRow(QStringLiteral("&Nome (persona fisica):"), nomeFe_);
    fields->addRow(QStringLiteral("Co&gnome (persona fisica):"), cognomeFe_);
    // A habitual exporter buys without VAT (N3.5) on a declaration of intent, which its
    // invoices name by the protocol and date of the Agenzia's receipt.
    fields->addRow(QStringLiteral("P&rotocollo dichiarazione d'intento:"), intento_);
    fields->addRow(QStringLiteral("&Data ricevuta dichiarazione:"), dataIntento_);
    column->addLayout(fields);
    auto* buttons = new QHBoxLayout;
    auto* salva = new QPushButton(QStringLiteral("&Salva"));
    auto* annulla = new QPushButton(QStringLiteral("&Annulla"));
    buttons->addStretch(1);
    buttons->addWidget(salva);
    buttons->addWidget(annulla);
    column->addLayout(buttons);
    registerControl(QStringLiteral("nome"), nome_);
    registerControl(QStringLiteral("codice"), codice_);
    registerControl(QStringLiteral("pec"), pec_);
    registerControl(QStringLiteral("scissione"), scissione_);
    registerControl(QStringLiteral("idestero"), idEstero_);
    registerControl(QStringLiteral("nomefe"), nomeFe_);
    registerControl(QStringLiteral("cognomefe"), cognomeFe_);
    registerControl(QStringLiteral("intento"), intento_);
    registerControl(QStringLiteral("dataintento"), dataIntento_);
    registerControl(QStringLiteral("salva"), salva);
    registerControl(QStringLiteral("annulla"), annulla);
    connect(salva, &QPushButton::clicked, this, &EInvoiceCustomerForm::save);
    connect(annulla, &QPushButton::clicked, this, &EInvoiceCustomerForm::leave);
}

void EInvoiceCustomerForm::setCustomer(int record, const QString& name) {
    customer_ = record;
    nome_->setText(name);
}

void EInvoiceCustomerForm::activate() {
    const Result<EInvoiceCustomer> read = ReadEInvoiceCustomer(session(), customer_);
    if (!read) Warn(this, Q(read.message()));
    const EInvoiceCustomer data = read.valueOr(EInvoiceCustomer{});
    codice_->setText(Q(data.recipientCode));
    pec_->setText(Q(data.pec));
    scissione_->setChecked(data.splitPayment);
    idEstero_->setText(Q(data.foreignTaxId));
    nomeFe_->setText(Q(data.firstName));
    cognomeFe_->setText(Q(data.surname));
    intento_->setText(Q(data.intentProtocol));
    dataIntento_->setText(Q(data.intentDate));
    CentreOnScreen(this);
    codice_->setFocus();
}

void EInvoiceCustomerForm::save() {
    EInvoiceCustomer data{S(codice_->text()),   S(pec_->text()),        scissione_->isChecked(),
                          S(idEstero_->text()), S(nomeFe_->text()),     S(cognomeFe_->text()),
                          S(intento_->text()),  S(dataIntento_->text())};
    if (const std::string wrong = NormaliseEInvoiceCustomer(data); !wrong.empty()) {
        Warn(this, Q(wrong));
        return;
    }
    if (!officeCodeAccepted(data)) return;
    // Another workstation may save another customer's data at the same moment.
    std::optional<PostingLock> lock = LockCompanyForPosting(this, session());
    if (!lock) return;
    const Status saved = SaveEInvoiceCustomer(session(), customer_, data);
    lock->release();
    if (!saved) {
        Warn(this, Q(saved.message()));
        return;
    }
    leave();
}

void EInvoiceCustomerForm::leave() {
    hide();
    if (auto* start = forms().get<StartForm>(QString(form_name::kStart))) start->focusNameBox();
}

bool EInvoiceCustomerForm::officeCodeAccepted(const EInvoiceCustomer& data) {
    std::string warning;
    try {
        warning = OfficeCodeWarning(session().files.read<CustomersFile>(customer_), data);
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
        return false;
    }
    if (warning.empty()) return true;
    warning[0] = 'I';  // the sentence opens the message
    return AskYesNo(this, QStringLiteral("Attenzione"),
                    Q(warning) + QStringLiteral(".\nMemorizzare ugualmente i dati?"));
}

void EInvoiceCustomerForm::closeEvent(QCloseEvent* event) {
    event->ignore();
    leave();
}

}  // namespace qorvana
