#include "forms/header/header_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <optional>

#include "company/company_settings.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/text.h"
#include "document/document_kind.h"
#include "document/document_setup.h"
#include "document/einvoice_amounts.h"
#include "document/header_checks.h"
#include "document/numbering.h"
#include "fatturapa/fpa_export.h"
#include "forms/common/date_picker.h"
#include "forms/common/document_caption.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/typed_number_boxes.h"
#include "forms/header/fpa_panel_form.h"
#include "forms/header/instalments_panel_form.h"
#include "forms/header/xml_creation_form.h"
#include "sources/source_documents.h"

namespace qorvana {
namespace {

const QString kXmlQuestion = QStringLiteral(
    "Il quadro relativo al riepilogo dati fatturaPA non è ancora stato compilato: creare "
    "ugualmente il file XML?");
const QString kStoreQuestion = QStringLiteral(
    "La fatturaPA non è stata creata: memorizzare il documento senza generare il file XML?");

QLineEdit* AmountBox(bool readOnly) {
    auto* box = new QLineEdit;
    box->setAlignment(Qt::AlignRight);
    box->setReadOnly(readOnly);
    if (readOnly) box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

HeaderForm::HeaderForm(Session& session, FormSet& forms)
    : QorForm(QString(form_name::kHeader), session, forms), amounts_(new TypedNumberBoxes(this)) {
    setWindowTitle(DocumentCaption(DocumentKind::Invoice, kFpaOrdinary));
    buildControls();
    for (QLineEdit* box : total_) box->setText(QStringLiteral("0 "));
}

HeaderForm::~HeaderForm() = default;

// --- building --------------------------------------------------------------------------------

void HeaderForm::buildControls() {
    // Everything but the buttons scrolls, so that the buttons stay on a small screen even
    // with the electronic-invoice panel open.
    auto* outer = new QVBoxLayout(this);
    scroll_ = new QScrollArea;
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    top->addWidget(buildDocumentBox());
    top->addWidget(buildTotalsBox());
    column->addLayout(top);
    auto* middle = new QHBoxLayout;
    middle->addWidget(buildInstalmentsBox());
    middle->addWidget(buildOptionsBox());
    column->addLayout(middle);
    panel_ = new FpaPanel(this);
    panel_->hide();
    column->addWidget(panel_);
    scroll_->setWidget(content);
    outer->addWidget(scroll_, 1);
    outer->addWidget(buildButtons());

    panel_->registerControls(controlRegistry());
    connect(panel_, &FpaPanel::closeRequested, this, &HeaderForm::closePanel);
    connect(panel_, &FpaPanel::documentTypeChanged, this, [this] {
        if (!filling_) followDocumentType();
    });

    // Amounts typed by the operator show, once left, the value read, as the split writes it.
    const auto asInstalment = [](double value) { return Q(InstalmentText(value)); };
    for (QLineEdit* box : {pro_[1], text2_[11], text2_[12]}) amounts_->add(box, asInstalment);

    connectKeys();
}

QWidget* HeaderForm::buildDocumentBox() {
    auto* box = new QGroupBox(QStringLiteral("Documento"));
    auto* grid = new QGridLayout(box);
    for (int i : {0, 3, 4, 11, 12}) {
        text2_[i] = new QLineEdit;
        registerControl(QStringLiteral("text2"), text2_[i], i);
    }
    text2_[0]->setMaxLength(static_cast<int>(kDocumentNumberLength));
    text2_[4]->setMaxLength(6);
    for (int i : {1, 2}) {
        text3_[i] = new DatePicker;
        registerControl(QStringLiteral("text3"), text3_[i], i);
    }
    numera_ = new QCheckBox(QStringLiteral("Numerazione separata fatturaPA"));
    registerControl(QStringLiteral("numera"), numera_);
    connect(numera_, &QCheckBox::toggled, this, &HeaderForm::seriesToggled);
    progressiveLabel_ = new QLabel(QStringLiteral("Progressivo invio"));

    int row = 0;
    auto add = [&](const QString& caption, QWidget* w, Qt::Alignment align = {}) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(w, row++, 1, align);
    };
    add(QStringLiteral("Numero del documento"), text2_[0]);
    // The calendar button stays beside its date.
    add(QStringLiteral("Data di emissione"), text3_[1], Qt::AlignLeft);
    add(QStringLiteral("Data di registrazione"), text3_[2], Qt::AlignLeft);
    add(QStringLiteral("Numero registro iva"), text2_[3]);
    grid->addWidget(progressiveLabel_, row, 0);
    grid->addWidget(text2_[4], row++, 1);
    grid->addWidget(numera_, row++, 0, 1, 2);

    const char* captions[] = {nullptr, nullptr, "Banca 1", "Banca 2", "Banca 3", "Sezionale"};
    for (int i = 2; i <= 5; ++i) {
        combo_[i] = new QComboBox;
        registerControl(QStringLiteral("Combo%1").arg(i), combo_[i]);
        add(QString::fromUtf8(captions[i]), combo_[i]);
    }
    add(QStringLiteral("Importo aggiuntivo 1"), text2_[11]);
    add(QStringLiteral("Importo aggiuntivo 2"), text2_[12]);
    grid->setRowStretch(row, 1);  // any spare height goes below the fields
    return box;
}

QWidget* HeaderForm::buildTotalsBox() {
    auto* box = new QGroupBox(QStringLiteral("Totali"));
    auto* grid = new QGridLayout(box);
    const char* captions[] = {"Totale imponibile", "Totale imposta",
                              "Totale importi esenti / non imponibili",
                              "Importo complessivo del documento", "Importo dovuto"};
    for (int i = 0; i < 5; ++i) {
        total_[i] = AmountBox(true);
        registerControl(QStringLiteral("total"), total_[i], i);
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i])), i, 0);
        grid->addWidget(total_[i], i, 1);
    }
    grid->setRowStretch(5, 1);  // the totals stay together at the top
    return box;
}

QWidget* HeaderForm::buildInstalmentsBox() {
    instalments_ = new InstalmentsPanel(session(), *amounts_, [this] { return text3_[1]->text(); });
    instalments_->registerControls(controlRegistry());
    // The e-invoice's payment condition and mode follow the terms chosen in the header.
    connect(instalments_, &InstalmentsPanel::conditionChanged, this, [this] {
        panel_->presetPayment(instalments_->secondInstalment(),
                              instalments_->chosenCode().paymentModeDigit);
    });
    return instalments_;
}

QWidget* HeaderForm::buildOptionsBox() {
    auto* box = new QGroupBox(QStringLiteral("Provvigione e iva"));
    auto* grid = new QGridLayout(box);
    pro_[0] = AmountBox(false);
    pro_[1] = AmountBox(false);
    registerControl(QStringLiteral("pro"), pro_[0], 0);
    registerControl(QStringLiteral("pro"), pro_[1], 1);
    grid->addWidget(new QLabel(QStringLiteral("Aliquota provvigione")), 0, 0);
    grid->addWidget(pro_[0], 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Importo provvigione")), 1, 0);
    grid->addWidget(pro_[1], 1, 1);
    rib_ = new QCheckBox(QStringLiteral("Ricevuta bancaria"));
    esig_ = new QCheckBox(QStringLiteral("Iva ad esigibilità differita"));
    registerControl(QStringLiteral("rib"), rib_);
    registerControl(QStringLiteral("esig"), esig_);
    grid->addWidget(rib_, 2, 0, 1, 2);
    grid->addWidget(esig_, 3, 0, 1, 2);
    const char* captions[] = {
        "Riporta il documento nello spesometro", "Documento relativo a noleggi o leasing",
        "Documento con iva non esposta in fattura", "Autofattura", "Documento riepilogativo"};
    for (int i = 0; i < 5; ++i) {
        xxiva_[i] = new QCheckBox(QString::fromUtf8(captions[i]));
        registerControl(QStringLiteral("xxiva"), xxiva_[i], i);
        grid->addWidget(xxiva_[i], 4 + i, 0, 1, 2);
    }
    return box;
}

QWidget* HeaderForm::buildButtons() {
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    struct Button {
        int index;
        const char* caption;
        const char* tip;
    };
    const Button buttons[] = {
        {1, "&Conferma", "Memorizza il documento"},
        {4, "&Torna alle righe", "Torna al corpo del documento"},
        {3, "&Ristampa", "Stampa di nuovo il documento"},
        {2, "&Stampante", "Sceglie la stampante"},
        {7, "Crea file &XML", "Crea il file XML della fatturaPA"},
        {0, "&Abbandona", "Abbandona il documento"},
    };
    for (const auto& b : buttons) {
        comando_[b.index] = new QPushButton(QString::fromUtf8(b.caption));
        comando_[b.index]->setToolTip(QString::fromUtf8(b.tip));
        registerControl(QStringLiteral("comando"), comando_[b.index], b.index);
        row->addWidget(comando_[b.index]);
    }
    ccomando0_ = new QPushButton(QStringLiteral("&Dati fatturaPA"));
    ccomando0_->setToolTip(QStringLiteral("Apre il riepilogo dati fatturaPA"));
    registerControl(QStringLiteral("ccomando"), ccomando0_, 0);
    row->insertWidget(0, ccomando0_);

    connect(comando_[0], &QPushButton::clicked, this, &HeaderForm::abandon);
    connect(comando_[1], &QPushButton::clicked, this, &HeaderForm::confirm);
    connect(comando_[2], &QPushButton::clicked, this, &HeaderForm::choosePrinter);
    connect(comando_[3], &QPushButton::clicked, this, [this] { handBack(ReturnAction::Reprint); });
    connect(comando_[4], &QPushButton::clicked, this,
            [this] { handBack(ReturnAction::BackToLines); });
    connect(comando_[7], &QPushButton::clicked, this, &HeaderForm::createXml);
    connect(ccomando0_, &QPushButton::clicked, this, &HeaderForm::openPanel);
    return bar;
}

void HeaderForm::connectKeys() {
    auto enterMoves = [this](QLineEdit* from, QWidget* to) {
        connect(from, &QLineEdit::returnPressed, this, [to] { to->setFocus(Qt::TabFocusReason); });
    };
    enterMoves(text2_[0], text3_[2]);
    enterMoves(text3_[2]->lineEdit(), text3_[1]);
    enterMoves(text3_[1]->lineEdit(), text2_[3]);
    enterMoves(pro_[0], pro_[1]);
    connect(text3_[1], &DatePicker::textChanged, this, &HeaderForm::documentDateChanged);
}

// --- load and activation ---------------------------------------------------------------------

void HeaderForm::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    Session& s = session();
    const std::vector<std::string> problems = RereadHeaderSettings(s);
    const CompanySettings& settings = SettingsOf(s);

    const QScopedValueRollback<bool> filling(filling_, true);
    instalments_->fillConditions();
    const HeaderTables& tables = settings.headerTables;
    for (int i = 2; i <= 4; ++i)
        for (const auto& entry : tables.listEntries) combo_[i]->addItem(Q(entry));
    for (int entry = 1; entry <= 9; ++entry) combo_[5]->addItem(Q(tables.seriesTable[entry][0]));
    panel_->fillLists(tables);

    fitToScreen();
    CentreOnScreen(this);
    WarnOnce(this, problems, s.toldProblems);
}

void HeaderForm::fitToScreen() {
    // The whole content when the screen has room for it, else as much as fits: the rest
    // scrolls.
    QWidget* content = scroll_->widget();
    content->adjustSize();
    const int scrollBar = scroll_->verticalScrollBar()->sizeHint().width();
    QSize wanted = content->sizeHint() + QSize(scrollBar, 0);
    wanted.rheight() += layout()->itemAt(1)->sizeHint().height() + layout()->spacing();
    const QMargins m = layout()->contentsMargins();
    wanted += QSize(m.left() + m.right(), m.top() + m.bottom());
    if (const QScreen* screen = this->screen()) {
        // Room for the window's frame and title bar.
        const QSize frame = frameGeometry().size() - geometry().size();
        const QSize room = screen->availableGeometry().size() - frame.expandedTo(QSize(16, 40));
        wanted = wanted.boundedTo(room);
    }
    resize(wanted);
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (!area.contains(frameGeometry())) move(area.topLeft());
    }
}

void HeaderForm::activate() {
    loadOnce();
    Session& s = session();
    if (s.returnPending != 0) return;
    s.returnPending = 1;
    try {
        startNewDocument();
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
    }
}

void HeaderForm::startNewDocument() {
    Session& s = session();
    const QScopedValueRollback<bool> filling(filling_, true);
    for (int i = 2; i <= 5; ++i)
        if (combo_[i]->count() > 0) combo_[i]->setCurrentIndex(0);

    const DocumentDraft& draft = forms().draft();
    showTotals();

    const bool fpa = s.fpaState != kFpaOrdinary;
    setWindowTitle(DocumentCaption(s.documentKind, s.fpaState));

    for (QWidget* w :
         std::initializer_list<QWidget*>{comando_[7], ccomando0_, text2_[4], progressiveLabel_})
        w->setVisible(fpa);
    const CompanySettings& settings = SettingsOf(s);
    // The panel's Art73 mark starts unticked with the panel's other defaults, below.
    if (fpa) {
        const int position = settings.fpaSeriesPosition();
        if (position >= 0 && position < combo_[5]->count()) combo_[5]->setCurrentIndex(position);
    }

    const NumberingScope scope =
        numberingScope(s.clock.today().year, settings.fpaSeparateNumbering());
    numera_->setChecked(scope.separateSeries);
    // A counter or customer that cannot be read is reported once, after the set-up; the
    // fields it feeds keep what they held and everything else is set up as usual.
    const HeaderSetup setup = ReadHeaderSetup(s, scope);
    const NumberProposal& proposal = setup.numbers;
    if (proposal.transmissionNumber)
        text2_[4]->setText(QString::number(*proposal.transmissionNumber));
    else if (const auto last = proposal.transmissionCounterOutOfRange) {
        text2_[4]->clear();
        Warn(this, QStringLiteral("Il contatore dei progressivi di invio della fatturaPA "
                                  "(qorvana.tot, record %1) %2: non si può proporre il "
                                  "progressivo di invio.")
                       .arg(tot::kFatturaPa)
                       .arg(*last < 0 ? QStringLiteral("è danneggiato (vale %1)").arg(*last)
                                      : QStringLiteral("è pieno (vale %1)").arg(*last)));
    }
    proposedProgressive_ = text2_[4]->text();
    showNumber(proposal, scope.year);

    const QString today = Q(s.clock.today().text());
    text3_[1]->setText(today);
    text3_[2]->setText(today);
    text2_[11]->clear();
    text2_[12]->clear();

    if (setup.bankReceipt) rib_->setChecked(*setup.bankReceipt);
    esig_->setChecked(false);
    // VAT on payment does not go with split payment.
    esig_->setEnabled(documentHasTaxableSlot() && !SplitPayment(draft));

    instalments_->startDocument(setup.paymentEntry, documentTotal_);

    agreedCorrection_.reset();
    panel_->hide();
    fitToScreen();
    // The panel's defaults are set for every document, so that its lists always match the
    // document's kind and terms, also while the panel is not shown.
    panel_->showCorrectedInvoice(draft.einvoice.everyCustomer);
    // A credit note copied from an invoice corrects that invoice, unless the operator named one.
    if (draft.einvoice.everyCustomer && s.documentKind == DocumentKind::CreditNote &&
        draft.imports.invoice)
        panel_->proposeCorrectedInvoice(draft.imports.copiedInvoice);
    panel_->presetForDocument(s.documentKind, instalments_->secondInstalment(),
                              instalments_->chosenCode().paymentModeDigit);
    followDocumentType();
    text2_[0]->setFocus();
    if (!setup.readError.empty()) Warn(this, Q(setup.readError));
}

void HeaderForm::showTotals() {
    const Money money = session().money();
    const DocumentDraft& draft = forms().draft();
    const DocumentFigures& figures = draft.figures;
    // Split payment and a stamp duty charged change what the customer pays.
    const double due = AmountDue(draft, money);
    const double totals[] = {figures.taxableWithVat(), figures.vatTotal(), figures.outsideVat(),
                             figures.documentTotal, due};
    for (int i = 0; i < 5; ++i) total_[i]->setText(Q(AmountText(money, totals[i])));
    documentTotal_ = ShownAmount(money, due);
}

void HeaderForm::followDocumentType() {
    const Session& s = session();
    DocumentDraft& draft = forms().draft();
    draft.panel.documentType = panelEntries().documentType;
    if (!ChargeStampDuty(draft.figures, IsCreditNote(s.documentKind, draft.panel.documentType),
                         draft.einvoice, s.money()))
        return;
    showTotals();
    HeaderEntries chosen;
    instalments_->fillEntries(chosen);
    instalments_->startDocument(
        chosen.paymentTerms >= 0 ? std::optional<int>(chosen.paymentTerms) : std::nullopt,
        documentTotal_);
}

NumberingScope HeaderForm::numberingScope(int year, bool separateSeriesChosen) const {
    const Session& s = session();
    return {year, NumberedInSeparateSeries(separateSeriesChosen, s.documentKind),
            SettingsOf(session()).fpaSeparateNumbering()};
}

void HeaderForm::showNumber(const NumberProposal& proposal, int year) {
    const QString number =
        proposal.documentNumber ? QString::number(*proposal.documentNumber) : QString();
    text2_[0]->setText(number);
    text2_[3]->setText(number);
    proposedNumber_ = number;
    proposedYear_ = year;
    if (proposal.yearFull)
        Warn(this, QStringLiteral("Nel %1 è già stato usato il numero %2, l'ultimo che si può "
                                  "memorizzare: non si può proporre il numero del documento.")
                       .arg(year)
                       .arg(kMaxCountedRecords));
    if (proposal.counterOutOfRange)
        Warn(this, QStringLiteral("L'ultimo numero della serie (qorvana.tot, record %1) vale %2, "
                                  "fuori dai limiti da 0 a %3: non si può proporre il numero "
                                  "del documento.")
                       .arg(numera_->isChecked() ? tot::kFatturaPa : tot::kInvoices)
                       .arg(*proposal.counterOutOfRange)
                       .arg(kMaxCountedRecords - 1));
}

void HeaderForm::seriesToggled() {
    // The number follows the series chosen, and posting advances that series.
    if (filling_) return;
    proposeNumberAgain();
}

void HeaderForm::proposeNumberAgain() {
    Session& s = session();
    const auto date = CivilDate::Parse(S(text3_[1]->text()));
    const int year = date ? date->year : s.clock.today().year;
    try {
        const StoredSeriesRead series = ReadCompanySeries(s);
        if (!series.series) Warn(this, Q(series.problem));
        showNumber(ReadNumberProposal(s.files, series.series.value_or(StoredSeries{}),
                                      numberingScope(year, numera_->isChecked()), s.fpaState),
                   year);
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
    }
}

bool HeaderForm::documentHasTaxableSlot() {
    return HasTaxableSlot(forms().draft().figures.breakdown);
}

bool HeaderForm::numberProposed() const {
    return !proposedNumber_.isEmpty() && text2_[0]->text() == proposedNumber_ &&
           session().fpaState <= kFpaXmlNotWritten;
}

void HeaderForm::showStoredNumbers(const QString& number, const QString& vatRegisterNumber) {
    text2_[0]->setText(number);
    text2_[3]->setText(vatRegisterNumber);
    proposedNumber_ = number;
}

HeaderEntries HeaderForm::entries() const {
    HeaderEntries e;
    e.documentNumber = S(text2_[0]->text());
    e.vatRegisterNumber = S(text2_[3]->text());
    e.transmissionNumber = S(text2_[4]->text());
    e.additionalAmount1 = S(text2_[11]->text());
    e.additionalAmount2 = S(text2_[12]->text());
    e.documentDate = S(text3_[1]->text());
    e.registrationDate = S(text3_[2]->text());
    instalments_->fillEntries(e);
    e.bank1 = combo_[2]->currentIndex();
    e.bank2 = combo_[3]->currentIndex();
    e.bank3 = combo_[4]->currentIndex();
    e.series = combo_[5]->currentIndex();
    e.commissionRate = S(pro_[0]->text());
    e.commissionAmount = S(pro_[1]->text());
    e.bankReceipt = rib_->isChecked();
    e.deferredVat = esig_->isChecked();
    e.separateSeries = numera_->isChecked();
    e.vatOptions = {xxiva_[0]->isChecked(), xxiva_[1]->isChecked(), xxiva_[2]->isChecked(),
                    xxiva_[3]->isChecked(), xxiva_[4]->isChecked()};
    return e;
}

PanelEntries HeaderForm::panelEntries() const {
    return panel_->entries();
}

void HeaderForm::clearPanelReferences() {
    panel_->clearReferences();
}

void HeaderForm::documentDateChanged() {
    const auto date = CivilDate::Parse(S(text3_[1]->text()));
    if (filling_ || !date) return;
    instalments_->computeDueDates();
    // A document of another year is numbered in that year, unless the operator typed a number.
    if (date->year != proposedYear_ && text2_[0]->text() == proposedNumber_ &&
        text2_[3]->text() == proposedNumber_)
        proposeNumberAgain();
}

// --- buttons ---------------------------------------------------------------------------------

void HeaderForm::handBack(ReturnAction action) {
    // The amounts the body prints or posts are read before it takes them.
    if (action != ReturnAction::Abandon && !amounts_->commitFocused()) return;
    Session& s = session();
    s.returnPending = 0;
    s.returnAction = action;
    forms().handOver(this, QString(form_name::kBody));
}

void HeaderForm::abandon() {
    if (MayDiscardDocument(this, forms().draft())) handBack(ReturnAction::Abandon);
}

void HeaderForm::confirm() {
    if (!amounts_->commitFocused()) return;
    Session& s = session();
    if (s.fpaState == kFpaXmlNotWritten && !AskBeforeLosingWork(this, kStoreQuestion)) return;

    const HeaderCheck check =
        CheckHeader(entries(), SettingsOf(s).paymentTerms, documentTotal_, s.money());
    const QString message = Q(MessageOf(check.fault));
    switch (check.fault) {
        case HeaderFault::None:
            break;
        case HeaderFault::SplitMismatch:
            if (!AskYesNo(this, QStringLiteral("Attenzione"), message)) return;
            break;
        case HeaderFault::DueDate:
            Warn(this, message);
            instalments_->focusDueDate(check.instalment);
            return;
        case HeaderFault::DocumentNumber:
            Warn(this, message);
            text2_[0]->setFocus();
            return;
        case HeaderFault::RegistrationBeforeIssue:
            Warn(this, message);
            text3_[2]->lineEdit()->setFocus();
            return;
        case HeaderFault::PaymentTerms:
            Warn(this, message);
            instalments_->focusCondition();
            return;
        default:
            Warn(this, message);
            return;
    }
    if (!correctedInvoiceAgreed()) return;
    if (!numberIsFree()) return;
    if (s.fpaState > kFpaXmlNotWritten && !xmlUpToDate()) return;
    handBack(ReturnAction::Confirm);
}

bool HeaderForm::correctedInvoiceAgreed() {
    Session& s = session();
    const InvoiceReference corrected = panel_->entries().correctedInvoice;
    if (s.documentKind != DocumentKind::CreditNote || Trim(corrected.id).empty()) return true;
    // An invoice copied into the credit note was agreed to in the picker.
    const ImportedSources& imported = forms().draft().imports;
    const auto same = [](const InvoiceReference& a, const InvoiceReference& b) {
        return Trim(a.id) == Trim(b.id) && Trim(a.date) == Trim(b.date);
    };
    if ((imported.invoice && same(corrected, imported.copiedInvoice)) ||
        (agreedCorrection_ && same(corrected, *agreedCorrection_)))
        return true;
    std::string mismatch;
    try {
        mismatch =
            CorrectedInvoiceMismatch(s.files, s.currentCustomer, corrected, S(text3_[1]->text()));
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
        return false;
    }
    if (mismatch.empty()) return true;
    if (ShowMessage(this, QStringLiteral("Attenzione"), Q(mismatch + " Continuare ugualmente?"),
                    MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return false;
    agreedCorrection_ = corrected;
    return true;
}

bool HeaderForm::numberIsFree() {
    // A proposed number another workstation took meanwhile is posting's to replace.
    if (numberProposed()) return true;
    Session& s = session();
    const auto date = CivilDate::Parse(S(text3_[1]->text()));
    try {
        // A damaged qorvana.num is said by posting, which then stores nothing.
        const StoredSeriesRead series = ReadCompanySeries(s);
        const Status free = NumberIsFree(
            s.files, series.series.value_or(StoredSeries{}),
            numberingScope(date ? date->year : 0, numera_->isChecked()), S(text2_[0]->text()));
        if (free) return true;
        // The file written with the number would carry a number that is not its document's.
        const QString removed = RemoveDocumentXml(s, forms().draft());
        Warn(this,
             Q(free.message()) + (removed.isEmpty() ? QString() : QStringLiteral("\n") + removed));
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
    }
    text2_[0]->setFocus();
    return false;
}

bool HeaderForm::xmlUpToDate() {
    Session& s = session();
    DocumentDraft& draft = forms().draft();
    draft.header = entries();
    draft.panel = panelEntries();
    if (XmlCreation(s, draft, this).bringUpToDate()) return true;
    if (!AskBeforeLosingWork(this, kStoreQuestion)) return false;
    // Stored without its file: the file written before says something else, and goes.
    const QString removed =
        RemoveDocumentXml(s, draft, QStringLiteral("il documento sarà memorizzato senza file XML"));
    if (!removed.isEmpty())
        ShowMessage(this, QStringLiteral("Attenzione"), removed, MsgIcon::Information);
    s.fpaState = kFpaXmlNotWritten;
    return true;
}

void HeaderForm::choosePrinter() {
    const Session& s = session();
    if (s.printTo) {
        ShowMessage(this, QStringLiteral("Attenzione"),
                    QStringLiteral("Le stampe vanno nei file PDF della cartella %1: non c'è una "
                                   "stampante da scegliere.")
                        .arg(QString::fromStdString(s.printTo->string())),
                    MsgIcon::Information);
        return;
    }
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        Warn(this, QStringLiteral("Nessuna stampante è installata."), MsgIcon::Exclamation);
        return;
    }
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Impostazione stampante"));
    if (dialog.exec() == QDialog::Accepted) printerChosen_ = true;
}

QPrinter* HeaderForm::chosenPrinter() const {
    return printerChosen_ ? printer_.get() : nullptr;
}

void HeaderForm::createXml() {
    if (!amounts_->commitFocused()) return;
    Session& s = session();
    if (s.fpaPanelOpened == 0 && !AskYesNo(this, QStringLiteral("Attenzione"), kXmlQuestion))
        return;
    if (!correctedInvoiceAgreed()) return;
    // The header's own part of the draft, as the operator left it; the lines, their figures
    // and the VAT-inclusive box are the body's.
    DocumentDraft& draft = forms().draft();
    draft.header = entries();
    draft.panel = panelEntries();

    const bool proposedKept =
        s.fpaState == kFpaXmlNotWritten && text2_[4]->text() == proposedProgressive_;
    const auto created = XmlCreation(s, draft, this).run(proposedProgressive_, proposedKept);
    if (!created) return;
    text2_[4]->setText(QString::number(created->progressive));
    if (!created->message.isEmpty())
        ShowMessage(this, created->title, created->message, MsgIcon::Information);
}

void HeaderForm::openPanel() {
    session().fpaPanelOpened = 1;
    panel_->show();
    fitToScreen();
    panel_->firstField()->setFocus();
    scroll_->ensureWidgetVisible(panel_->firstField());
}

void HeaderForm::closePanel() {
    panel_->hide();
    fitToScreen();  // the window shrinks back to the header without the panel
    text2_[0]->setFocus();
}

void HeaderForm::closeEvent(QCloseEvent* event) {
    // Forms live for the whole run: the window is hidden and the start form resumes.
    event->ignore();
    if (!MayDiscardDocument(this, forms().draft())) return;
    session().returnPending = 0;
    forms().handOver(this, QString(form_name::kStart));
}

}  // namespace qorvana
