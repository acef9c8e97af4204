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
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_customer_check.h"
#include "forms/common/company_lock.h"
#include "forms/common/date_picker.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/header/header_form.h"
#include "forms/start/customer_list_form.h"
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

    scroll_ = new QScrollBar(Qt::Horizontal);
    scroll_->setFocusPolicy(Qt::NoFocus);
    column->addWidget(scroll_);
    registerControl(QStringLiteral("HScroll1"), scroll_);

    text2_.resize(22);
    for (int i = 0; i < 22; ++i) {
        text2_[i] = ShownBox();
        registerControl(QStringLiteral("text2"), text2_[i], i);
    }
    label2_ = new QLabel(QStringLiteral("Attenzione:questo cliente è stato eliminato!"));
    QPalette warningColour = label2_->palette();
    warningColour.setColor(QPalette::WindowText, QColor(0xb0, 0x00, 0x00));
    label2_->setPalette(warningColour);
    // The warning keeps its place when hidden, so the form does not jump.
    QSizePolicy warningPolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    warningPolicy.setRetainSizeWhenHidden(true);
    label2_->setSizePolicy(warningPolicy);
    label2_->hide();
    registerControl(QStringLiteral("label2"), label2_);

    auto* offices = new QHBoxLayout;
    offices->addWidget(buildRegisteredOffice());
    offices->addWidget(buildAdministrativeOffice());
    column->addLayout(offices);
    column->addWidget(label2_);
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
    text5_->lineEdit()->installEventFilter(this);
    for (QLineEdit* box : text3_) box->installEventFilter(this);
    connect(cerca_, &QPushButton::clicked, this, &StartForm::searchByName);
    connect(lista_, &QPushButton::clicked, this, &StartForm::openList);
    connect(scroll_, &QScrollBar::valueChanged, this, &StartForm::scrolled);
    connect(combo3_, qOverload<int>(&QComboBox::activated), this, &StartForm::carrierChosen);
    connect(text3_[4], &QLineEdit::textChanged, this, &StartForm::transportDateTyped);
    // The calendar box hands over whole dates only: while the operator is still typing one,
    // the transport date would otherwise put today back into the box under the cursor.
    connect(text5_, &DatePicker::edited, this, [this](const QString& t) {
        if (CivilDate::Parse(t.trimmed().toStdString())) text3_[4]->setText(t);
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
    grid->addWidget(text2_[0], 0, 1, 1, 3);
    grid->addWidget(text2_[1], 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Indirizzo")), 2, 0);
    grid->addWidget(text2_[2], 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("CAP / Città")), 3, 0);
    grid->addWidget(text2_[3], 3, 1);
    grid->addWidget(text2_[4], 3, 2, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Codice fiscale")), 4, 0);
    grid->addWidget(text2_[5], 4, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Partita iva")), 5, 0);
    grid->addWidget(text2_[6], 5, 1);
    grid->addWidget(text2_[7], 5, 2, 1, 2);
    text2_[3]->setMaximumWidth(70);
    text2_[6]->setMaximumWidth(70);
    grid->setColumnStretch(2, 1);
    return frame;
}

QGroupBox* StartForm::buildAdministrativeOffice() {
    auto* frame = new QGroupBox(QStringLiteral("Sede ammistrativa e dati commerciali"));
    registerControl(QStringLiteral("Frame2"), frame);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Intestazione")), 0, 0);
    grid->addWidget(text2_[8], 0, 1, 1, 3);
    grid->addWidget(text2_[9], 1, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Indirizzo")), 2, 0);
    grid->addWidget(text2_[10], 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("CAP / Città")), 3, 0);
    auto* town = new QHBoxLayout;
    town->addWidget(text2_[11]);
    town->addWidget(text2_[12], 1);
    grid->addLayout(town, 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Telefoni")), 4, 0);
    grid->addWidget(text2_[13], 4, 1);
    grid->addWidget(text2_[14], 4, 2);
    grid->addWidget(text2_[15], 4, 3);
    grid->addWidget(new QLabel(QStringLiteral("E-mail")), 5, 0);
    grid->addWidget(text2_[16], 5, 1, 1, 3);
    text2_[11]->setMaximumWidth(70);
    return frame;
}

QGroupBox* StartForm::buildShipping() {
    auto* frame = new QGroupBox(QStringLiteral("Dati inerenti la fatturazione e la spedizione"));
    registerControl(QStringLiteral("Frame3"), frame);
    auto* grid = new QGridLayout(frame);

    combo3_ = new QComboBox;
    registerControl(QStringLiteral("Combo3"), combo3_);
    grid->addWidget(Caption(QStringLiteral("&Vettori"), combo3_), 0, 0);
    grid->addWidget(combo3_, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Vettore")), 1, 0);
    grid->addWidget(text2_[17], 1, 1, 1, 3);
    grid->addWidget(text2_[18], 2, 1, 1, 3);
    grid->addWidget(text2_[19], 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Note")), 4, 0);
    grid->addWidget(text2_[20], 4, 1, 1, 3);
    grid->addWidget(text2_[21], 5, 1, 1, 3);

    // The transport data; indices as the rest of the program reads them.
    const QString captions[7] = {QStringLiteral("&DDT"),
                                 QStringLiteral("&Ordine"),
                                 QStringLiteral("Nu&mero colli"),
                                 QStringLiteral("Pe&so"),
                                 QStringLiteral("Inizio t&rasporto"),
                                 QStringLiteral("Or&a"),
                                 QStringLiteral("Descrizione ma&gazzino")};
    text3_.resize(7);
    for (int i = 0; i < 7; ++i) {
        text3_[i] = new QLineEdit;
        registerControl(QStringLiteral("text3"), text3_[i], i);
    }
    text5_ = new DatePicker;
    registerControl(QStringLiteral("text5"), text5_);
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(Caption(captions[i], text3_[i]), i, 4);
        grid->addWidget(text3_[i], i, 5, 1, 2);
    }
    // Date and time are short: the date box, its calendar beside it, the time below.
    text3_[4]->setMaximumWidth(text5_->sizeHint().width());
    text3_[5]->setMaximumWidth(text5_->sizeHint().width() / 2);
    auto* start = new QHBoxLayout;
    start->addWidget(text3_[4]);
    start->addWidget(text5_);
    start->addStretch(1);
    grid->addWidget(Caption(captions[4], text3_[4]), 4, 4);
    grid->addLayout(start, 4, 5, 1, 2);
    grid->addWidget(Caption(captions[5], text3_[5]), 5, 4);
    grid->addWidget(text3_[5], 5, 5, 1, 2);
    grid->addWidget(Caption(captions[6], text3_[6]), 6, 0);
    grid->addWidget(text3_[6], 6, 1, 1, 6);

    combo1_ = new QComboBox;
    combo2_ = new QComboBox;
    // The operator may type a reason or an appearance of his own; Enter does not add it to
    // the list read from the tables.
    for (QComboBox* combo : {combo1_, combo2_}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    registerControl(QStringLiteral("Combo1"), combo1_);
    registerControl(QStringLiteral("Combo2"), combo2_);
    grid->addWidget(Caption(QStringLiteral("Ca&usale trasporto"), combo1_), 7, 0);
    grid->addWidget(combo1_, 7, 1, 1, 3);
    grid->addWidget(Caption(QStringLiteral("Aspetto dei &beni"), combo2_), 7, 4);
    grid->addWidget(combo2_, 7, 5, 1, 2);

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
        sped_.push_back(option);
        registerControl(QStringLiteral("sped"), option, i);
    }
    // Alt+Z reaches the chosen way; the arrow keys move among the three.
    shippingLabel->setBuddy(sped_[0]);
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
    session().workStrings[work_slot::kStartMarker] = "0";
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
    combo3_->clear();
    for (const auto& reason : tables.transportReasons) combo1_->addItem(Q(reason));
    for (const auto& look : tables.goodsAppearance) combo2_->addItem(Q(look));
    for (const auto& carrier : tables.carriers) combo3_->addItem(Q(carrier));
    carrierRows_ = tables.carrierRows;
    {
        const QScopedValueRollback<bool> loading(carrierLoading_, true);
        if (combo3_->count() > 0) combo3_->setCurrentIndex(0);
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
        for (QLineEdit* box : text3_) box->clear();
        const CivilDateTime now = session().clock.now();
        text3_[4]->setText(Q(now.date.text()));
        text3_[5]->setText(Q(now.timeText()));
        text3_[6]->setText(QStringLiteral("Scarico per vendita diretta"));
        if (combo1_->count() > 0) combo1_->setCurrentIndex(0);
        if (combo2_->count() > 0) combo2_->setCurrentIndex(0);
        sped_[0]->setChecked(true);
        const int n = indexCount();
        if (!countReported_) {
            countReported_ = true;
            if (const auto problem = CustomerIndex(session().files).countProblem())
                Warn(this, Q(*problem), MsgIcon::Exclamation);
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
    if (!label2_->font().bold()) {
        QFont bold = label2_->font();
        bold.setBold(true);
        label2_->setFont(bold);
    }
    label2_->show();
}

int StartForm::indexCount() {
    return CustomerIndex(session().files).count();
}

// --- customer -------------------------------------------------------------------------------

void StartForm::searchByName() {
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
        const bool paSwitch = Val(session().workStrings[work_slot::kFpaSwitch]) != 0;
        bottone_[kFpaButton]->setVisible(shownCard_.publicAdministration &&
                                         (paEnabled_ || paSwitch));
        // The first character of a deleted customer's name is a marker, not shown.
        if (shownCard_.deletedFlag == 1) text2_[0]->setText(text2_[0]->text().mid(1));
        if (shownCard_.deletedFlag == 1)
            ShowDeletedWarning();
        else
            label2_->hide();
    } else {
        for (QLineEdit* box : text2_) box->clear();
        bottone_[kFpaButton]->hide();
        label2_->hide();
    }
    nome_->setFocus();
}

void StartForm::ShowCustomerFields() {
    for (int i = 0; i < 22; ++i) text2_[i]->setText(Q(shownCard_.fields[i]));
}

void StartForm::carrierChosen(int index) {
    if (carrierLoading_ || index < 0 || index >= 40) return;
    for (int j = 0; j < 3; ++j) {
        const QString line = Q(carrierRows_[index + 1][j]).trimmed();
        // "*" keeps the customer's own line.
        if (line != QStringLiteral("*")) text2_[17 + j]->setText(line);
    }
}

// --- transport data -------------------------------------------------------------------------

void StartForm::transportDateTyped(const QString& text) {
    const auto date = CivilDate::Parse(text.trimmed().toStdString());
    text5_->setDate(date ? *date : session().clock.today());
}

bool StartForm::eventFilter(QObject* watched, QEvent* event) {
    // Left with an unfinished date, the calendar box shows the transport date again.
    if (watched == text5_->lineEdit() && event->type() == QEvent::FocusOut && !text5_->date())
        transportDateTyped(text3_[4]->text());
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
    const int i = text3_.indexOf(qobject_cast<QLineEdit*>(watched));
    if (i >= 0) {
        if (i < 6) text3_[i + 1]->setFocus();
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
    const QString time = text3_[5]->text().trimmed();
    if (!time.isEmpty() && !IsValidTime(S(time))) {
        Warn(this, QStringLiteral("L'ora di inizio trasporto non è valida: scrivere hh:mm (da "
                                  "00:00 a 23:59) o lasciarla vuota."));
        text3_[5]->setFocus();
        return;
    }
    // A header not built yet has no references to empty.
    if (auto* header = qobject_cast<HeaderForm*>(forms().built(QString(form_name::kHeader))))
        header->clearPanelReferences();
    // A customer list still open would later bring this form back over the body form.
    if (QorForm* list = forms().built(QString(form_name::kCustomerList));
        list && list->isVisible()) {
        list->hide();
        session().customerListMode = CustomerListMode::Closed;
    }
    // The document buttons are numbered by the kind they issue.
    const auto kind = static_cast<DocumentKind>(button);
    if (!takeEInvoiceTerms()) return;
    const bool einvoice = kind == DocumentKind::ElectronicInvoice || einvoiceTerms_.everyCustomer;
    // A customer whose identifiers the exchange system would refuse is told now, not at the
    // XML file.
    if (einvoice && !customerFitForEInvoice()) return;
    Session& s = session();
    s.returnPending = 0;
    s.returnAction = ReturnAction::NewDocument;
    s.documentKind = kind;
    s.currentCustomer = shownCustomer_;
    // With e-invoices to every customer, every invoice and credit note has its file.
    s.fpaState = einvoice ? kFpaXmlNotWritten : kFpaOrdinary;
    s.fpaPanelOpened = 0;
    forms().handOver(this, QString(form_name::kBody));
}

bool StartForm::takeEInvoiceTerms() {
    const CompanySettings& settings = SettingsOf(session());
    const EInvoiceTermsRead read =
        ReadEInvoiceTerms(session(), settings.einvoice, settings.headerTables, shownCustomer_);
    einvoiceTerms_ = read.terms;
    if (!read.problem.empty()) Warn(this, Q(read.problem), MsgIcon::Exclamation);
    if (read.missing.empty()) return true;
    // Told now, so that the data are completed before the document rather than at its file.
    QString list;
    for (const std::string& m : read.missing) list += QStringLiteral("\n- ") + Q(m);
    return AskYesNo(this, QStringLiteral("Attenzione"),
                    QStringLiteral("Per la fattura elettronica mancano i dati del cliente:%1\n"
                                   "Completarli nella scheda del cliente o con \"Dati fattura "
                                   "elettronica\". Iniziare ugualmente il documento?")
                        .arg(list));
}

void StartForm::openEInvoiceData() {
    if (shownCustomer_ <= 0) return;
    auto* form = forms().get<EInvoiceCustomerForm>(QString(form_name::kEInvoiceCustomer));
    if (!form) return;
    form->setCustomer(shownCustomer_, text2_[0]->text());
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

DraftCustomer StartForm::customer() const {
    return {session().currentCustomer, S(text2_[0]->text())};
}

TransportEntries StartForm::transport() const {
    TransportEntries t;
    t.deliveryNote = S(text3_[0]->text());
    t.order = S(text3_[1]->text());
    t.packages = S(text3_[2]->text());
    t.weight = S(text3_[3]->text());
    t.startDate = S(text3_[4]->text());
    t.startTime = S(text3_[5]->text());
    t.warehouseDescription = S(text3_[6]->text());
    t.reason = S(combo1_->currentText());
    t.reasonPosition = combo1_->currentIndex();
    t.goodsAppearance = S(combo2_->currentText());
    t.goodsAppearancePosition = combo2_->currentIndex();
    t.shipping = sped_[0]->isChecked()   ? Shipping::BySender
                 : sped_[1]->isChecked() ? Shipping::ByRecipient
                                         : Shipping::ByCarrier;
    for (std::size_t j = 0; j < t.carrierLines.size(); ++j)
        t.carrierLines[j] = S(text2_[17 + static_cast<int>(j)]->text());
    return t;
}

void StartForm::setSearchName(const QString& name) {
    nome_->setText(name);
}

void StartForm::showWeight(const QString& text) {
    text3_[3]->setText(text);
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
    for (const QLineEdit* box : text3_) shown << box->text();
    for (const QComboBox* combo : {combo1_, combo2_, combo3_}) shown << combo->currentText();
    for (const QRadioButton* way : sped_) shown << QString::number(way->isChecked());
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
