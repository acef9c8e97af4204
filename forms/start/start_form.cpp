#include "forms/start/start_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "company/company_settings.h"
#include "core/company_check.h"
#include "core/numbers.h"
#include "core/session.h"
#include "customers/customer_index.h"
#include "document/document_setup.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_customer_check.h"
#include "forms/common/company_lock.h"
#include "forms/common/date_picker.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/start/customer_list_form.h"
#include "forms/start/customer_suggestions_form.h"
#include "forms/start/einvoice_customer_form.h"

namespace qorvana {
namespace {

// bottone(9) ends the program; the other buttons are numbered by the kind they issue.
constexpr int kExitButton = 9;
constexpr int kEInvoicesButton = 8;
constexpr int kFpaButton = static_cast<int>(DocumentKind::ElectronicInvoice);

constexpr int kTwipsPerPixel = 15;

bool IsEnter(QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// A label whose mnemonic (Alt + the underlined letter) puts the focus on `buddy`.
QLabel* Caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

// Enter on a focused button presses it, as Space does.
QPushButton* Button(const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setAutoDefault(true);
    return button;
}

QLineEdit* ShownBox() {
    auto* box = new QLineEdit;
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::ClickFocus);
    // A palette, not a style sheet: a style sheet on each of the 22 boxes costs more to build
    // and to draw than the rest of the form.
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, QColor(0xf3, 0xf3, 0xf0));
    box->setPalette(palette);
    return box;
}

}  // namespace

StartForm::StartForm(Session& session, FormSet& forms)
    : QorForm(QString(form_name::kStart), session, forms) {
    setWindowTitle(QStringLiteral("Qorvana - Emissione documenti"));
    buildControls();
}

// --- layout ---------------------------------------------------------------------------------

void StartForm::buildControls() {
    // The background picture: a plain panel of the form's own colour here, so it draws nothing.
    auto* background = new QLabel(this);
    registerControl(QStringLiteral("xsfondo"), background);

    auto* column = new QVBoxLayout(this);

    auto* search = new QHBoxLayout;
    nome_ = new QLineEdit;
    nome_->setPlaceholderText(QStringLiteral("inizio del nominativo, poi Invio"));
    cerca_ = Button(QStringLiteral("&Cerca"));
    // Alt+E lists the customers; the program ends with Alt+I ("Esc&i").
    lista_ = Button(QStringLiteral("&Elenco"));
    auto* nomeLabel = new QLabel(QStringLiteral("C&liente:"));
    nomeLabel->setBuddy(nome_);
    search->addWidget(nomeLabel);
    search->addWidget(nome_, 1);
    search->addWidget(cerca_);
    search->addWidget(lista_);
    column->addLayout(search);
    registerControl(QStringLiteral("nome"), nome_);
    registerControl(QStringLiteral("b_cerca"), cerca_);
    registerControl(QStringLiteral("b_lista"), lista_);
    nome_->setToolTip(
        QStringLiteral("Nome, città o partita iva: Giù sceglie tra i clienti "
                       "proposti, Invio cerca per inizio del nominativo"));
    suggerimenti_ = new CustomerSuggestions(session().files, nome_, this);
    registerControl(QStringLiteral("suggerimenti"), suggerimenti_);
    connect(nome_, &QLineEdit::textEdited, this, &StartForm::suggest);
    connect(suggerimenti_, &CustomerSuggestions::chosen, this, &StartForm::takeSuggestion);

    scroll_ = new QScrollBar(Qt::Horizontal);
    scroll_->setFocusPolicy(Qt::NoFocus);
    column->addWidget(scroll_);
    registerControl(QStringLiteral("HScroll1"), scroll_);

    customerFields_.resize(22);
    for (int i = 0; i < 22; ++i) {
        customerFields_[i] = ShownBox();
        registerControl(QStringLiteral("text2"), customerFields_[i], i);
    }
    deletedWarning_ = new QLabel(QStringLiteral("Attenzione:questo cliente è stato eliminato!"));
    QPalette warningColour = deletedWarning_->palette();
    warningColour.setColor(QPalette::WindowText, QColor(0xb0, 0x00, 0x00));
    deletedWarning_->setPalette(warningColour);
    // The warning keeps its place when hidden, so the form does not jump.
    QSizePolicy warningPolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    warningPolicy.setRetainSizeWhenHidden(true);
    deletedWarning_->setSizePolicy(warningPolicy);
    deletedWarning_->hide();
    registerControl(QStringLiteral("label2"), deletedWarning_);

    auto* offices = new QHBoxLayout;
    offices->addWidget(buildRegisteredOffice());
    offices->addWidget(buildAdministrativeOffice());
    column->addLayout(offices);
    column->addWidget(deletedWarning_);
    column->addWidget(buildShipping());
    column->addStretch(1);

    auto* buttons = new QHBoxLayout;
    const std::pair<int, QString> kinds[] = {
        {static_cast<int>(DocumentKind::Invoice), QStringLiteral("&Fattura")},
        {static_cast<int>(DocumentKind::CreditNote), QStringLiteral("&Nota credito")},
        {static_cast<int>(DocumentKind::ElectronicInvoice), QStringLiteral("Fattura&PA")},
        {kExitButton, QStringLiteral("Esc&i")}};
    for (const auto& [k, caption] : kinds) {
        bottone_[k] = Button(caption);
        bottone_[k]->setMinimumWidth(120);
        registerControl(QStringLiteral("bottone"), bottone_[k], k);
        if (k == kExitButton) buttons->addStretch(1);
        buttons->addWidget(bottone_[k]);
        connect(bottone_[k], &QPushButton::clicked, this, [this, k = k] { documentButton(k); });
    }
    bottone_[kFpaButton]->hide();
    // The e-invoices sent and their states, beside the document buttons.
    bottone_[kEInvoicesButton] = Button(QStringLiteral("Fatture elettronic&he"));
    registerControl(QStringLiteral("bottone"), bottone_[kEInvoicesButton], kEInvoicesButton);
    buttons->insertWidget(buttons->count() - 2, bottone_[kEInvoicesButton]);
    connect(bottone_[kEInvoicesButton], &QPushButton::clicked, this,
            [this] { forms().handOver(this, QString(form_name::kEInvoices)); });
    // The shown customer's e-invoice data, with e-invoices to every customer.
    datiFe_ = Button(QStringLiteral("Dati fattura ele&ttronica"));
    registerControl(QStringLiteral("datife"), datiFe_);
    buttons->insertWidget(buttons->count() - 2, datiFe_);
    datiFe_->hide();
    connect(datiFe_, &QPushButton::clicked, this, &StartForm::openEInvoiceData);
    column->addLayout(buttons);

    nome_->installEventFilter(this);
    startDatePicker_->lineEdit()->installEventFilter(this);
    for (QLineEdit* box : transportBoxes_) box->installEventFilter(this);
    connect(cerca_, &QPushButton::clicked, this, &StartForm::searchByName);
    connect(lista_, &QPushButton::clicked, this, &StartForm::openList);
    connect(scroll_, &QScrollBar::valueChanged, this, &StartForm::scrolled);
    connect(carrier_, qOverload<int>(&QComboBox::activated), this, &StartForm::carrierChosen);
    connect(transportBoxes_[kStartDate], &QLineEdit::textChanged, this,
            &StartForm::transportDateTyped);
    // The calendar box hands over whole dates only: while the operator is still typing one,
    // the transport date would otherwise put today back into the box under the cursor.
    connect(startDatePicker_, &DatePicker::edited, this, [this](const QString& t) {
        if (CivilDate::Parse(t.trimmed().toStdString())) transportBoxes_[kStartDate]->setText(t);
    });

    setTabOrder(nome_, cerca_);
    setTabOrder(cerca_, lista_);
    resize(980, 640);
}

QGroupBox* StartForm::buildRegisteredOffice() {
    auto* frame = new QGroupBox(QStringLiteral("Sede legale e dati fiscali"));
    registerControl(QStringLiteral("Frame1"), frame);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Ragione sociale")), 0, 0);
    grid->addWidget(customerFields_[0], 0, 1, 1, 3);
    grid->addWidget(customerFields_[1], 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Indirizzo")), 2, 0);
    grid->addWidget(customerFields_[2], 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("CAP / Città")), 3, 0);
    grid->addWidget(customerFields_[3], 3, 1);
    grid->addWidget(customerFields_[4], 3, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Codice fiscale")), 4, 0);
    grid->addWidget(customerFields_[5], 4, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Partita iva")), 5, 0);
    grid->addWidget(customerFields_[6], 5, 1);
    grid->addWidget(customerFields_[7], 5, 2, 1, 2);
    customerFields_[3]->setMaximumWidth(70);
    customerFields_[6]->setMaximumWidth(70);
    grid->setColumnStretch(2, 1);
    return frame;
}

QGroupBox* StartForm::buildAdministrativeOffice() {
    auto* frame = new QGroupBox(QStringLiteral("Sede ammistrativa e dati commerciali"));
    registerControl(QStringLiteral("Frame2"), frame);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Intestazione")), 0, 0);
    grid->addWidget(customerFields_[8], 0, 1, 1, 3);
    grid->addWidget(customerFields_[9], 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Indirizzo")), 2, 0);
    grid->addWidget(customerFields_[10], 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("CAP / Città")), 3, 0);
    auto* town = new QHBoxLayout;
    town->addWidget(customerFields_[11]);
    town->addWidget(customerFields_[12], 1);
    grid->addLayout(town, 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Telefoni")), 4, 0);
    grid->addWidget(customerFields_[13], 4, 1);
    grid->addWidget(customerFields_[14], 4, 2);
    grid->addWidget(customerFields_[15], 4, 3);
    grid->addWidget(new QLabel(QStringLiteral("E-mail")), 5, 0);
    grid->addWidget(customerFields_[16], 5, 1, 1, 3);
    customerFields_[11]->setMaximumWidth(70);
    return frame;
}

QGroupBox* StartForm::buildShipping() {
    auto* frame = new QGroupBox(QStringLiteral("Dati inerenti la fatturazione e la spedizione"));
    registerControl(QStringLiteral("Frame3"), frame);
    auto* grid = new QGridLayout(frame);

    carrier_ = new QComboBox;
    registerControl(QStringLiteral("Combo3"), carrier_);
    grid->addWidget(Caption(QStringLiteral("&Vettori"), carrier_), 0, 0);
    grid->addWidget(carrier_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Vettore")), 1, 0);
    grid->addWidget(customerFields_[17], 1, 1, 1, 3);
    grid->addWidget(customerFields_[18], 2, 1, 1, 3);
    grid->addWidget(customerFields_[19], 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Note")), 4, 0);
    grid->addWidget(customerFields_[20], 4, 1, 1, 3);
    grid->addWidget(customerFields_[21], 5, 1, 1, 3);

    // The transport data; indices as the rest of the program reads them.
    const QString captions[7] = {QStringLiteral("&DDT"),
                                 QStringLiteral("&Ordine"),
                                 QStringLiteral("Nu&mero colli"),
                                 QStringLiteral("Pe&so"),
                                 QStringLiteral("Inizio t&rasporto"),
                                 QStringLiteral("Or&a"),
                                 QStringLiteral("Descrizione ma&gazzino")};
    transportBoxes_.resize(7);
    for (int i = 0; i < 7; ++i) {
        transportBoxes_[i] = new QLineEdit;
        registerControl(QStringLiteral("text3"), transportBoxes_[i], i);
    }
    startDatePicker_ = new DatePicker;
    registerControl(QStringLiteral("text5"), startDatePicker_);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(Caption(captions[i], transportBoxes_[i]), i, 4);
        grid->addWidget(transportBoxes_[i], i, 5, 1, 2);
    }
    // Date and time are short: the date box, its calendar beside it, the time below.
    transportBoxes_[kStartDate]->setMaximumWidth(startDatePicker_->sizeHint().width());
    transportBoxes_[kStartTime]->setMaximumWidth(startDatePicker_->sizeHint().width() / 2);
    auto* start = new QHBoxLayout;
    start->addWidget(transportBoxes_[kStartDate]);
    start->addWidget(startDatePicker_);
    start->addStretch(1);
    grid->addWidget(Caption(captions[4], transportBoxes_[kStartDate]), 4, 4);
    grid->addLayout(start, 4, 5, 1, 2);
    grid->addWidget(Caption(captions[5], transportBoxes_[kStartTime]), 5, 4);
    grid->addWidget(transportBoxes_[kStartTime], 5, 5, 1, 2);
    grid->addWidget(Caption(captions[6], transportBoxes_[kWarehouse]), 6, 0);
    grid->addWidget(transportBoxes_[kWarehouse], 6, 1, 1, 6);

    transportReason_ = new QComboBox;
    goodsAppearance_ = new QComboBox;
    // The operator may type a reason or an appearance of his own; Enter does not add it to
    // the list read from the tables.
    for (QComboBox* combo : {transportReason_, goodsAppearance_}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    registerControl(QStringLiteral("Combo1"), transportReason_);
    registerControl(QStringLiteral("Combo2"), goodsAppearance_);
    grid->addWidget(Caption(QStringLiteral("Ca&usale trasporto"), transportReason_), 7, 0);
    grid->addWidget(transportReason_, 7, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Aspetto dei &beni"), goodsAppearance_), 7, 4);
    grid->addWidget(goodsAppearance_, 7, 5, 1, 2);

    auto* shipping = new QHBoxLayout;
    auto* shippingLabel = new QLabel(QStringLiteral("Spedi&zione a mezzo:"));
    shipping->addWidget(shippingLabel);
    auto* group = new QButtonGroup(frame);
    const QString ways[3] = {QStringLiteral("Mittente"), QStringLiteral("Destinatario"),
                             QStringLiteral("Vettore")};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(ways[i]);
        group->addButton(option, i);
        shipping->addWidget(option);
        shippedBy_.push_back(option);
        registerControl(QStringLiteral("sped"), option, i);
    }
    // Alt+Z reaches the chosen way; the arrow keys move among the three.
    shippingLabel->setBuddy(shippedBy_[0]);
    shipping->addStretch(1);
    grid->addLayout(shipping, 8, 0, 1, 7);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(5, 1);
    return frame;
}

// --- start-up -------------------------------------------------------------------------------

bool StartForm::load(std::optional<int> company) {
    CentreOnScreen(this);
    // The background: from the top left corner, 60 twips narrower than the form, 8550 high.
    if (QWidget* background = control(QStringLiteral("xsfondo")))
        background->setGeometry(0, 0, width() - 60 / kTwipsPerPixel, 8550 / kTwipsPerPixel);
    if (const Status checked = CheckCompanyNumber(company); !checked) {
        Warn(this, Q(checked.message()));
        return false;
    }
    session().companyNumber = *company;
    // A wrong or damaged folder is refused before anything is read or written in it.
    if (const Status checked = CheckCompanyFolder(session().paths, *company); !checked) {
        Warn(this, Q(checked.message()));
        return false;
    }
    session().returnPending = 0;
    show();
    const std::vector<std::string> problems = LoadCompanySettings(session());
    fillTables(SettingsOf(session()).start);
    session().files.open(session().companyFolder());
    WarnOnce(this, problems, session().toldProblems);
    RecoverInterruptedWrites(this, session());
    return true;
}

void StartForm::fillTables(const StartTables& tables) {
    carrier_->clear();
    for (const auto& reason : tables.transportReasons) transportReason_->addItem(Q(reason));
    for (const auto& look : tables.goodsAppearance) goodsAppearance_->addItem(Q(look));
    for (const auto& carrier : tables.carriers) carrier_->addItem(Q(carrier));
    carrierRows_ = tables.carrierRows;
    {
        const QScopedValueRollback<bool> loading(carrierLoading_, true);
        if (carrier_->count() > 0) carrier_->setCurrentIndex(0);
    }
    paEnabled_ = tables.paEnabled;
}

// --- activation -----------------------------------------------------------------------------

void StartForm::activate() {
    if (session().customerListMode == CustomerListMode::CustomerChosen) {
        session().customerListMode = CustomerListMode::Closed;
        showChosenCustomer();
        return;
    }
    if (session().returnPending != 0) return;
    session().returnPending = 1;
    datiFe_->setVisible(SettingsOf(session()).einvoice.everyCustomer);
    try {
        for (QLineEdit* box : transportBoxes_) box->clear();
        const CivilDateTime now = session().clock.now();
        transportBoxes_[kStartDate]->setText(Q(now.date.text()));
        transportBoxes_[kStartTime]->setText(Q(now.timeText()));
        transportBoxes_[kWarehouse]->setText(QStringLiteral("Scarico per vendita diretta"));
        if (transportReason_->count() > 0) transportReason_->setCurrentIndex(0);
        if (goodsAppearance_->count() > 0) goodsAppearance_->setCurrentIndex(0);
        shippedBy_[0]->setChecked(true);
        const int n = indexCount();
        if (!countReported_) {
            countReported_ = true;
            if (const Status held = CustomerIndex(session().files).countHolds(); !held)
                Warn(this, Q(held.message()), MsgIcon::Exclamation);
        }
        listPosition_ = n > 0 ? 1 : 0;
        {
            const QSignalBlocker quiet(scroll_);
            scroll_->setRange(1, std::max(n, 1));
            scroll_->setValue(1);
        }
        ShowCustomerAt();
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
    }
    proposedTransport_ = transportShown();
    nome_->setFocus();
}

// The warning is bold. Its face is loaded when it first shows, not while the program starts:
// a second face costs about 2 ms.
void StartForm::ShowDeletedWarning() {
    if (!deletedWarning_->font().bold()) {
        QFont bold = deletedWarning_->font();
        bold.setBold(true);
        deletedWarning_->setFont(bold);
    }
    deletedWarning_->show();
}

int StartForm::indexCount() {
    return CustomerIndex(session().files).count();
}

// --- customer -------------------------------------------------------------------------------

void StartForm::suggest(const QString& text) {
    try {
        suggerimenti_->suggest(text);
    } catch (const RecordIoError& e) {
        suggerimenti_->close();
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
    }
}

bool StartForm::onSuggestionKey(int key) {
    switch (key) {
        case Qt::Key_Down:
            suggerimenti_->walk(1);
            return true;
        case Qt::Key_Up:
            suggerimenti_->walk(-1);
            return true;
        case Qt::Key_PageDown:
            suggerimenti_->walk(10);
            return true;
        case Qt::Key_PageUp:
            suggerimenti_->walk(-10);
            return true;
        case Qt::Key_Escape:
            suggerimenti_->close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Only an entry the operator moved onto is taken; otherwise the name search runs.
            if (const int record = suggerimenti_->walkedRecord())
                takeSuggestion(record);
            else
                searchByName();
            return true;
        default:
            return false;
    }
}

void StartForm::takeSuggestion(int record) {
    suggerimenti_->close();
    chosenRecord_ = record;
    showChosenCustomer();
}

void StartForm::searchByName() {
    suggerimenti_->close();
    try {
        const int found = CustomerIndex(session().files).findByName(nome_->text().toStdString());
        if (found > 0) {
            positionOn(found);
        } else {
            Warn(this, QStringLiteral("Anagrafica non trovata"), MsgIcon::Exclamation);
            ShowCustomerAt();
        }
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
    }
    nome_->clear();
    nome_->setFocus();
}

void StartForm::positionOn(int found) {
    listPosition_ = found;
    if (scroll_->value() == found || indexCount() < 2) {
        scroll_->setValue(found);
        ShowCustomerAt();  // the scroll bar did not move, so its handler does not show it
    } else {
        scroll_->setValue(found);
    }
}

void StartForm::showChosenCustomer() {
    // The list hands back the record picked: that very customer is shown, even when other
    // names begin the same way.
    const int record = chosenRecord_;
    chosenRecord_ = 0;
    int found = 0;
    try {
        found = CustomerIndex(session().files).findByRecord(record);
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
    }
    if (found > 0) {
        positionOn(found);
        nome_->clear();
        nome_->setFocus();
    } else {
        searchByName();
    }
}

void StartForm::scrolled(int value) {
    try {
        if (indexCount() < 2) return;
        listPosition_ = value;
        ShowCustomerAt();
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
    }
}

void StartForm::ShowCustomerAt() {
    const CustomerIndex index(session().files);
    const int record = listPosition_ > 0 ? index.recordAt(listPosition_) : 0;
    shownCard_ = listPosition_ > 0 ? index.card(record) : CustomerCard{};
    shownCustomer_ = shownCard_.record;
    // An entry naming no readable customer is said, not shown as an empty customer.
    if (listPosition_ > 0 && listPosition_ <= index.count() && shownCustomer_ <= 0)
        Warn(this, Q(CustomerIndex::UnreadableMessage(listPosition_, record)));
    if (shownCustomer_ > 0) {
        ShowCustomerFields();
        bottone_[kFpaButton]->setVisible(shownCard_.publicAdministration &&
                                         (paEnabled_ || session().runSettings.electronicInvoices));
        // The first character of a deleted customer's name is a marker, not shown.
        if (shownCard_.deletedFlag == 1)
            customerFields_[0]->setText(customerFields_[0]->text().mid(1));
        if (shownCard_.deletedFlag == 1)
            ShowDeletedWarning();
        else
            deletedWarning_->hide();
    } else {
        for (QLineEdit* box : customerFields_) box->clear();
        bottone_[kFpaButton]->hide();
        deletedWarning_->hide();
    }
    nome_->setFocus();
}

void StartForm::ShowCustomerFields() {
    for (int i = 0; i < 22; ++i) customerFields_[i]->setText(Q(shownCard_.fields[i]));
}

void StartForm::carrierChosen(int index) {
    if (carrierLoading_ || index < 0 || index >= 40) return;
    for (int j = 0; j < 3; ++j) {
        const QString line = Q(carrierRows_[index + 1][j]).trimmed();
        // "*" keeps the customer's own line.
        if (line != QStringLiteral("*")) customerFields_[17 + j]->setText(line);
    }
}

// --- transport data -------------------------------------------------------------------------

void StartForm::transportDateTyped(const QString& text) {
    const auto date = CivilDate::Parse(text.trimmed().toStdString());
    startDatePicker_->setDate(date ? *date : session().clock.today());
}

bool StartForm::eventFilter(QObject* watched, QEvent* event) {
    // Left with an unfinished date, the calendar box shows the transport date again.
    if (watched == startDatePicker_->lineEdit() && event->type() == QEvent::FocusOut &&
        !startDatePicker_->date())
        transportDateTyped(transportBoxes_[kStartDate]->text());
    // The suggestions close when the name box is left (a click on one keeps them for it).
    if (watched == nome_ && event->type() == QEvent::FocusOut &&
        QApplication::focusWidget() != suggerimenti_)
        suggerimenti_->close();
    if (watched == nome_ && event->type() == QEvent::KeyPress && suggerimenti_->isVisible() &&
        onSuggestionKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    if (watched == nome_ && event->type() == QEvent::KeyPress) {
        // Up/Down and PageUp/PageDown step through the name index from the keyboard.
        const int steps[] = {-1, 1, -10, 10};
        const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
        const int key = static_cast<QKeyEvent*>(event)->key();
        for (int i = 0; i < 4; ++i) {
            if (key != keys[i]) continue;
            scroll_->setValue(scroll_->value() + steps[i]);
            return true;
        }
    }
    if (!IsEnter(event)) return QorForm::eventFilter(watched, event);
    if (watched == nome_) {
        searchByName();
        return true;
    }
    const int i = transportBoxes_.indexOf(qobject_cast<QLineEdit*>(watched));
    if (i >= 0) {
        if (i < kWarehouse) transportBoxes_[i + 1]->setFocus();
        return true;
    }
    return QorForm::eventFilter(watched, event);
}

// --- buttons --------------------------------------------------------------------------------

void StartForm::documentButton(int button) {
    if (button == kExitButton) {
        if (mayEnd()) endProgram();
        return;
    }
    if (shownCustomer_ <= 0 || shownCard_.deletedFlag != 0) return;
    const QString time = transportBoxes_[kStartTime]->text().trimmed();
    if (!time.isEmpty() && !IsValidTime(S(time))) {
        Warn(this, QStringLiteral("L'ora di inizio trasporto non è valida: scrivere hh:mm (da "
                                  "00:00 a 23:59) o lasciarla vuota."));
        transportBoxes_[kStartTime]->setFocus();
        return;
    }
    // A customer list still open would later bring this form back over the body form.
    if (QorForm* list = forms().built(QString(form_name::kCustomerList));
        list && list->isVisible()) {
        list->hide();
        session().customerListMode = CustomerListMode::Closed;
    }
    // The document buttons are numbered by the kind they issue.
    const auto kind = static_cast<DocumentKind>(button);
    const std::optional<EInvoiceTerms> terms = readEInvoiceTerms();
    if (!terms) return;
    // With e-invoices to every customer, every invoice and credit note has its file.
    const bool einvoice = kind == DocumentKind::ElectronicInvoice || terms->everyCustomer;
    // A customer whose identifiers the exchange system would refuse is told now, not at the
    // XML file.
    if (einvoice && !customerFitForEInvoice()) return;
    Session& s = session();
    try {
        forms().draft().begin(kind, einvoice, ReadDraftCustomer(s.files, shownCustomer_),
                              transport(), *terms);
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
        return;
    }
    s.returnPending = 0;
    s.returnAction = ReturnAction::NewDocument;
    forms().handOver(this, QString(form_name::kBody));
}

std::optional<EInvoiceTerms> StartForm::readEInvoiceTerms() {
    const CompanySettings& settings = SettingsOf(session());
    // Customers' data that cannot be read are told; the document starts without them.
    const Result<CustomerEInvoiceTerms> terms =
        ReadEInvoiceTerms(session(), settings.einvoice, settings.headerTables, shownCustomer_);
    if (!terms) Warn(this, Q(terms.message()), MsgIcon::Exclamation);
    const CustomerEInvoiceTerms& read = terms.value();
    if (read.missing.empty()) return read.terms;
    // Told now, so that the data are completed before the document rather than at its file.
    QString list;
    for (const std::string& m : read.missing) list += QStringLiteral("\n- ") + Q(m);
    if (!AskYesNo(this, QStringLiteral("Attenzione"),
                  QStringLiteral("Per la fattura elettronica mancano i dati del cliente:%1\n"
                                 "Completarli nella scheda del cliente o con \"Dati fattura "
                                 "elettronica\". Iniziare ugualmente il documento?")
                      .arg(list)))
        return std::nullopt;
    return read.terms;
}

void StartForm::openEInvoiceData() {
    if (shownCustomer_ <= 0) return;
    auto* form = forms().get<EInvoiceCustomerForm>(QString(form_name::kEInvoiceCustomer));
    if (!form) return;
    form->setCustomer(shownCustomer_, customerFields_[0]->text());
    forms().show(QString(form_name::kEInvoiceCustomer));
}

bool StartForm::customerFitForEInvoice() {
    std::string warning;
    try {
        warning = CustomerIdentityWarning(session().files.read<CustomersFile>(shownCustomer_));
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
        return false;
    }
    return warning.empty() || AskYesNo(this, QStringLiteral("Attenzione"),
                                       Q(warning + "\nEmettere ugualmente il documento?"));
}

TransportEntries StartForm::transport() const {
    TransportEntries t;
    t.deliveryNote = S(transportBoxes_[kDeliveryNote]->text());
    t.order = S(transportBoxes_[kOrder]->text());
    t.packages = S(transportBoxes_[kPackages]->text());
    t.weight = S(transportBoxes_[kWeight]->text());
    t.startDate = S(transportBoxes_[kStartDate]->text());
    t.startTime = S(transportBoxes_[kStartTime]->text());
    t.warehouseDescription = S(transportBoxes_[kWarehouse]->text());
    t.reason = S(transportReason_->currentText());
    t.reasonPosition = transportReason_->currentIndex();
    t.goodsAppearance = S(goodsAppearance_->currentText());
    t.goodsAppearancePosition = goodsAppearance_->currentIndex();
    t.shipping = shippedBy_[0]->isChecked()   ? Shipping::BySender
                 : shippedBy_[1]->isChecked() ? Shipping::ByRecipient
                                              : Shipping::ByCarrier;
    for (std::size_t j = 0; j < t.carrierLines.size(); ++j)
        t.carrierLines[j] = S(customerFields_[17 + static_cast<int>(j)]->text());
    return t;
}

void StartForm::setSearchName(const QString& name) {
    nome_->setText(name);
}

void StartForm::showWeight(const QString& text) {
    transportBoxes_[kWeight]->setText(text);
}

void StartForm::focusNameBox() {
    activateWindow();
    nome_->setFocus();
}

void StartForm::openList() {
    session().customerListMode = CustomerListMode::WaitingForChoice;
    auto* list = forms().get<CustomerListForm>(QString(form_name::kCustomerList));
    if (!list) return;
    list->setFilter(nome_->text().trimmed());
    forms().show(QString(form_name::kCustomerList));
}

void StartForm::hideEvent(QHideEvent* event) {
    suggerimenti_->close();
    QorForm::hideEvent(event);
}

void StartForm::resizeEvent(QResizeEvent* event) {
    // The suggestions follow the name box's width.
    suggerimenti_->close();
    QorForm::resizeEvent(event);
}

void StartForm::closeEvent(QCloseEvent* event) {
    if (!mayEnd()) {
        event->ignore();
        return;
    }
    event->accept();
    endProgram();
}

QStringList StartForm::transportShown() const {
    QStringList shown;
    for (const QLineEdit* box : transportBoxes_) shown << box->text();
    for (const QComboBox* combo : {transportReason_, goodsAppearance_, carrier_})
        shown << combo->currentText();
    for (const QRadioButton* way : shippedBy_) shown << QString::number(way->isChecked());
    return shown;
}

bool StartForm::mayEnd() {
    return transportShown() == proposedTransport_ ||
           AskBeforeLosingWork(this, QStringLiteral("I dati di trasporto scritti andranno persi: "
                                                    "uscire dal programma?"));
}

void StartForm::endProgram() {
    if (ended_) return;
    ended_ = true;
    session().files.closeAll();
    for (QorForm* form : forms().all())
        if (form != this) form->hide();
    hide();
    emit programEnded();
}

}  // namespace qorvana
