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
#include "forms/body/body_form.h"
#include "forms/common/customer_label.h"
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
    for (QLineEdit* box : totals_) box->setText(QStringLiteral("0 "));
}

HeaderForm::~HeaderForm() = default;

// --- building --------------------------------------------------------------------------------

void HeaderForm::buildControls() {
    // Everything but the buttons scrolls, so that the buttons stay on a small screen even
    // with the electronic-invoice panel open.
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(buildCustomerRow());
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
    for (QLineEdit* box : {commissionAmount_, additionalAmounts_[0], additionalAmounts_[1]})
        amounts_->add(box, asInstalment);

    connectKeys();
    connectDraft();
}

QLayout* HeaderForm::buildCustomerRow() {
    // Above what scrolls: whose document it is, and its preview.
    auto* row = new QHBoxLayout;
    cliente_ = new CustomerLabel;
    registerControl(QStringLiteral("cliente"), cliente_);
    row->addWidget(cliente_, 1);
    preview_ = new QPushButton(QStringLiteral("Ante&prima"));
    preview_->setToolTip(QStringLiteral("Mostra il documento come sarà stampato"));
    registerControl(QStringLiteral("anteprima"), preview_);
    row->addWidget(preview_);
    previewReprint_ = new QPushButton(QStringLiteral("Anteprima rista&mpa"));
    previewReprint_->setToolTip(
        QStringLiteral("Mostra il documento appena memorizzato e permette di ristamparlo"));
    registerControl(QStringLiteral("anteprima_ristampa"), previewReprint_);
    row->addWidget(previewReprint_);
    connect(preview_, &QPushButton::clicked, this, [this] { preview(false); });
    connect(previewReprint_, &QPushButton::clicked, this, [this] { preview(true); });
    return row;
}

QWidget* HeaderForm::buildDocumentBox() {
    auto* box = new QGroupBox(QStringLiteral("Documento"));
    auto* grid = new QGridLayout(box);
    const auto textBox = [this](QLineEdit*& box, int index) {
        box = new QLineEdit;
        registerControl(QStringLiteral("text2"), box, index);
    };
    textBox(documentNumber_, 0);
    textBox(vatRegisterNumber_, 3);
    textBox(transmissionNumber_, 4);
    textBox(additionalAmounts_[0], 11);
    textBox(additionalAmounts_[1], 12);
    documentNumber_->setMaxLength(static_cast<int>(kDocumentNumberLength));
    transmissionNumber_->setMaxLength(6);
    documentDate_ = new DatePicker;
    registrationDate_ = new DatePicker;
    registerControl(QStringLiteral("text3"), documentDate_, 1);
    registerControl(QStringLiteral("text3"), registrationDate_, 2);
    separateSeries_ = new QCheckBox(QStringLiteral("Numerazione separata fatturaPA"));
    registerControl(QStringLiteral("numera"), separateSeries_);
    connect(separateSeries_, &QCheckBox::toggled, this, &HeaderForm::seriesToggled);
    progressiveLabel_ = new QLabel(QStringLiteral("Progressivo invio"));

    int row = 0;
    auto add = [&](const QString& caption, QWidget* w, Qt::Alignment align = {}) {
        grid->addWidget(new QLabel(caption), row, 0);
        grid->addWidget(w, row++, 1, align);
    };
    add(QStringLiteral("Numero del documento"), documentNumber_);
    // The calendar button stays beside its date.
    add(QStringLiteral("Data di emissione"), documentDate_, Qt::AlignLeft);
    add(QStringLiteral("Data di registrazione"), registrationDate_, Qt::AlignLeft);
    add(QStringLiteral("Numero registro iva"), vatRegisterNumber_);
    grid->addWidget(progressiveLabel_, row, 0);
    grid->addWidget(transmissionNumber_, row++, 1);
    grid->addWidget(separateSeries_, row++, 0, 1, 2);

    // Combo2..Combo4 the banks, Combo5 the series.
    for (int i = 0; i < 3; ++i) {
        banks_[i] = new QComboBox;
        registerControl(QStringLiteral("Combo%1").arg(i + 2), banks_[i]);
        add(QStringLiteral("Banca %1").arg(i + 1), banks_[i]);
    }
    series_ = new QComboBox;
    registerControl(QStringLiteral("Combo5"), series_);
    add(QStringLiteral("Sezionale"), series_);
    add(QStringLiteral("Importo aggiuntivo 1"), additionalAmounts_[0]);
    add(QStringLiteral("Importo aggiuntivo 2"), additionalAmounts_[1]);
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
        totals_[i] = AmountBox(true);
        registerControl(QStringLiteral("total"), totals_[i], i);
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i])), i, 0);
        grid->addWidget(totals_[i], i, 1);
    }
    grid->setRowStretch(5, 1);  // the totals stay together at the top
    return box;
}

QWidget* HeaderForm::buildInstalmentsBox() {
    instalments_ =
        new InstalmentsPanel(session(), *amounts_, [this] { return documentDate_->text(); });
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
    commissionRate_ = AmountBox(false);
    commissionAmount_ = AmountBox(false);
    registerControl(QStringLiteral("pro"), commissionRate_, 0);
    registerControl(QStringLiteral("pro"), commissionAmount_, 1);
    grid->addWidget(new QLabel(QStringLiteral("Aliquota provvigione")), 0, 0);
    grid->addWidget(commissionRate_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Importo provvigione")), 1, 0);
    grid->addWidget(commissionAmount_, 1, 1);
    bankReceipt_ = new QCheckBox(QStringLiteral("Ricevuta bancaria"));
    deferredVat_ = new QCheckBox(QStringLiteral("Iva ad esigibilità differita"));
    registerControl(QStringLiteral("rib"), bankReceipt_);
    registerControl(QStringLiteral("esig"), deferredVat_);
    grid->addWidget(bankReceipt_, 2, 0, 1, 2);
    grid->addWidget(deferredVat_, 3, 0, 1, 2);
    const char* captions[] = {
        "Riporta il documento nello spesometro", "Documento relativo a noleggi o leasing",
        "Documento con iva non esposta in fattura", "Autofattura", "Documento riepilogativo"};
    for (int i = 0; i < 5; ++i) {
        vatOptions_[i] = new QCheckBox(QString::fromUtf8(captions[i]));
        registerControl(QStringLiteral("xxiva"), vatOptions_[i], i);
        grid->addWidget(vatOptions_[i], 4 + i, 0, 1, 2);
    }
    return box;
}

QWidget* HeaderForm::buildButtons() {
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    // The buttons, named comando(index) and ccomando(0).
    const auto button = [&](const char* name, int index, const char* caption, const char* tip) {
        auto* b = new QPushButton(QString::fromUtf8(caption));
        b->setToolTip(QString::fromUtf8(tip));
        registerControl(QString::fromUtf8(name), b, index);
        row->addWidget(b);
        return b;
    };
    auto* openPanel = button("ccomando", 0, "&Dati fatturaPA", "Apre il riepilogo dati fatturaPA");
    auto* confirm = button("comando", 1, "&Conferma", "Memorizza il documento");
    auto* backToLines = button("comando", 4, "&Torna alle righe", "Torna al corpo del documento");
    auto* reprint = button("comando", 3, "&Ristampa", "Stampa di nuovo il documento");
    auto* choosePrinter = button("comando", 2, "&Stampante", "Sceglie la stampante");
    createXml_ = button("comando", 7, "Crea file &XML", "Crea il file XML della fatturaPA");
    auto* abandon = button("comando", 0, "&Abbandona", "Abbandona il documento");
    openPanel_ = openPanel;

    connect(abandon, &QPushButton::clicked, this, &HeaderForm::abandon);
    connect(confirm, &QPushButton::clicked, this, &HeaderForm::confirm);
    connect(choosePrinter, &QPushButton::clicked, this, &HeaderForm::choosePrinter);
    connect(reprint, &QPushButton::clicked, this, [this] { handBack(ReturnAction::Reprint); });
    connect(backToLines, &QPushButton::clicked, this,
            [this] { handBack(ReturnAction::BackToLines); });
    connect(createXml_, &QPushButton::clicked, this, &HeaderForm::createXml);
    connect(openPanel, &QPushButton::clicked, this, &HeaderForm::openPanel);
    return bar;
}

void HeaderForm::connectKeys() {
    auto enterMoves = [this](QLineEdit* from, QWidget* to) {
        connect(from, &QLineEdit::returnPressed, this, [to] { to->setFocus(Qt::TabFocusReason); });
    };
    enterMoves(documentNumber_, registrationDate_);
    enterMoves(registrationDate_->lineEdit(), documentDate_);
    enterMoves(documentDate_->lineEdit(), vatRegisterNumber_);
    enterMoves(commissionRate_, commissionAmount_);
    connect(documentDate_, &DatePicker::textChanged, this, &HeaderForm::documentDateChanged);
}

void HeaderForm::connectDraft() {
    const auto store = [this] { storeEntries(); };
    for (QLineEdit* box : findChildren<QLineEdit*>()) connect(box, &QLineEdit::textChanged, store);
    for (QComboBox* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, store);
    for (QCheckBox* tick : findChildren<QCheckBox*>()) connect(tick, &QCheckBox::toggled, store);
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
    for (QComboBox* bank : banks_)
        for (const auto& entry : tables.listEntries) bank->addItem(Q(entry));
    for (int entry = 1; entry <= 9; ++entry) series_->addItem(Q(tables.seriesTable[entry][0]));
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
    // The customer's row above the scrolling part, the buttons below it.
    for (const int fixed : {0, 2})
        wanted.rheight() += layout()->itemAt(fixed)->sizeHint().height() + layout()->spacing();
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
    storeEntries();
}

void HeaderForm::startNewDocument() {
    Session& s = session();
    const QScopedValueRollback<bool> filling(filling_, true);
    DocumentDraft& draft = forms().draft();
    // The references typed are kept while the operator goes back to the lines and returns.
    panel_->showReferences(draft.panel);
    for (QComboBox* list : {banks_[0], banks_[1], banks_[2], series_})
        if (list->count() > 0) list->setCurrentIndex(0);

    cliente_->showCustomer(draft.customer);
    showTotals();

    const bool fpa = draft.electronic();
    setWindowTitle(DocumentCaption(draft.kind, draft.fpaState));

    for (QWidget* w : std::initializer_list<QWidget*>{createXml_, openPanel_, transmissionNumber_,
                                                      progressiveLabel_})
        w->setVisible(fpa);
    const CompanySettings& settings = SettingsOf(s);
    // The panel's Art73 mark starts unticked with the panel's other defaults, below.
    if (fpa) {
        const int position = settings.fpaSeriesPosition();
        if (position >= 0 && position < series_->count()) series_->setCurrentIndex(position);
    }

    const NumberingScope scope =
        numberingScope(s.clock.today().year, settings.fpaSeparateNumbering());
    separateSeries_->setChecked(scope.separateSeries);
    // A counter or customer that cannot be read is reported once, after the set-up; the
    // fields it feeds keep what they held and everything else is set up as usual.
    const Result<HeaderSetup> read = ReadHeaderSetup(s.files, ReadCompanySeries(s), draft, scope);
    const HeaderSetup& setup = read.value();
    const NumberProposal& proposal = setup.numbers;
    if (proposal.transmissionNumber)
        transmissionNumber_->setText(QString::number(*proposal.transmissionNumber));
    else if (const auto last = proposal.transmissionCounterOutOfRange) {
        transmissionNumber_->clear();
        Warn(this, QStringLiteral("Il contatore dei progressivi di invio della fatturaPA "
                                  "(qorvana.tot, record %1) %2: non si può proporre il "
                                  "progressivo di invio.")
                       .arg(tot::kFatturaPa)
                       .arg(*last < 0 ? QStringLiteral("è danneggiato (vale %1)").arg(*last)
                                      : QStringLiteral("è pieno (vale %1)").arg(*last)));
    }
    draft.header.proposedProgressive = S(transmissionNumber_->text());
    showNumber(proposal, scope.year);

    const QString today = Q(s.clock.today().text());
    documentDate_->setText(today);
    registrationDate_->setText(today);
    additionalAmounts_[0]->clear();
    additionalAmounts_[1]->clear();

    if (setup.bankReceipt) bankReceipt_->setChecked(*setup.bankReceipt);
    deferredVat_->setChecked(false);
    // VAT on payment does not go with split payment.
    deferredVat_->setEnabled(documentHasTaxableSlot() && !SplitPayment(draft));

    instalments_->startDocument(setup.paymentEntry, documentTotal_);

    agreedCorrection_.reset();
    panel_->hide();
    fitToScreen();
    // The panel's defaults are set for every document, so that its lists always match the
    // document's kind and terms, also while the panel is not shown.
    panel_->showCorrectedInvoice(draft.einvoice.everyCustomer);
    // A credit note copied from an invoice corrects that invoice, unless the operator named one.
    if (draft.einvoice.everyCustomer && draft.kind == DocumentKind::CreditNote &&
        draft.imports.invoice)
        panel_->proposeCorrectedInvoice(draft.imports.copiedInvoice);
    panel_->presetForDocument(draft.kind, instalments_->secondInstalment(),
                              instalments_->chosenCode().paymentModeDigit);
    followDocumentType();
    documentNumber_->setFocus();
    if (!read) Warn(this, Q(read.message()));
}

void HeaderForm::showTotals() {
    const Money money = session().money();
    const DocumentDraft& draft = forms().draft();
    const DocumentFigures& figures = draft.figures;
    // Split payment and a stamp duty charged change what the customer pays.
    const double due = AmountDue(draft, money);
    const double totals[] = {figures.taxableWithVat(), figures.vatTotal(), figures.outsideVat(),
                             figures.documentTotal, due};
    for (int i = 0; i < 5; ++i) totals_[i]->setText(Q(AmountText(money, totals[i])));
    documentTotal_ = ShownAmount(money, due);
}

void HeaderForm::followDocumentType() {
    DocumentDraft& draft = forms().draft();
    draft.panel.documentType = panel_->entries().documentType;
    if (!ChargeStampDuty(draft.figures, IsCreditNote(draft.kind, draft.panel.documentType),
                         draft.einvoice, session().money()))
        return;
    showTotals();
    HeaderEntries chosen;
    instalments_->fillEntries(chosen);
    instalments_->startDocument(
        chosen.paymentTerms >= 0 ? std::optional<int>(chosen.paymentTerms) : std::nullopt,
        documentTotal_);
}

NumberingScope HeaderForm::numberingScope(int year, bool separateSeriesChosen) const {
    return {year, NumberedInSeparateSeries(separateSeriesChosen, forms().draft().kind),
            SettingsOf(session()).fpaSeparateNumbering()};
}

void HeaderForm::showNumber(const NumberProposal& proposal, int year) {
    const QString number =
        proposal.documentNumber ? QString::number(*proposal.documentNumber) : QString();
    documentNumber_->setText(number);
    vatRegisterNumber_->setText(number);
    HeaderEntries& header = forms().draft().header;
    header.proposedNumber = S(number);
    header.proposedYear = year;
    if (proposal.yearFull)
        Warn(this, QStringLiteral("Nel %1 è già stato usato il numero %2, l'ultimo che si può "
                                  "memorizzare: non si può proporre il numero del documento.")
                       .arg(year)
                       .arg(kMaxCountedRecords));
    if (proposal.counterOutOfRange)
        Warn(this, QStringLiteral("L'ultimo numero della serie (qorvana.tot, record %1) vale %2, "
                                  "fuori dai limiti da 0 a %3: non si può proporre il numero "
                                  "del documento.")
                       .arg(separateSeries_->isChecked() ? tot::kFatturaPa : tot::kInvoices)
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
    const auto date = CivilDate::Parse(S(documentDate_->text()));
    const int year = date ? date->year : s.clock.today().year;
    try {
        const Result<StoredSeries> series = ReadCompanySeries(s);
        if (!series) Warn(this, Q(series.message()));
        showNumber(ReadNumberProposal(s.files, series.valueOr(StoredSeries{}),
                                      numberingScope(year, separateSeries_->isChecked()),
                                      forms().draft().fpaState),
                   year);
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
    }
}

bool HeaderForm::documentHasTaxableSlot() {
    return HasTaxableSlot(forms().draft().figures.breakdown);
}

void HeaderForm::storeEntries() {
    if (filling_) return;
    HeaderEntries& e = forms().draft().header;
    e.documentNumber = S(documentNumber_->text());
    e.vatRegisterNumber = S(vatRegisterNumber_->text());
    e.transmissionNumber = S(transmissionNumber_->text());
    e.additionalAmount1 = S(additionalAmounts_[0]->text());
    e.additionalAmount2 = S(additionalAmounts_[1]->text());
    e.documentDate = S(documentDate_->text());
    e.registrationDate = S(registrationDate_->text());
    instalments_->fillEntries(e);
    e.bank1 = banks_[0]->currentIndex();
    e.bank2 = banks_[1]->currentIndex();
    e.bank3 = banks_[2]->currentIndex();
    e.series = series_->currentIndex();
    e.commissionRate = S(commissionRate_->text());
    e.commissionAmount = S(commissionAmount_->text());
    e.bankReceipt = bankReceipt_->isChecked();
    e.deferredVat = deferredVat_->isChecked();
    e.separateSeries = separateSeries_->isChecked();
    e.vatOptions = {vatOptions_[0]->isChecked(), vatOptions_[1]->isChecked(),
                    vatOptions_[2]->isChecked(), vatOptions_[3]->isChecked(),
                    vatOptions_[4]->isChecked()};
    forms().draft().panel = panel_->entries();
}

void HeaderForm::documentDateChanged() {
    const auto date = CivilDate::Parse(S(documentDate_->text()));
    if (filling_ || !date) return;
    instalments_->computeDueDates();
    // A document of another year is numbered in that year, unless the operator typed a number.
    const HeaderEntries& header = forms().draft().header;
    if (date->year != header.proposedYear && header.documentNumber == header.proposedNumber &&
        header.vatRegisterNumber == header.proposedNumber)
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
    const DocumentDraft& draft = forms().draft();
    if (draft.fpaState == kFpaXmlNotWritten && !AskBeforeLosingWork(this, kStoreQuestion)) return;

    const HeaderCheck check =
        CheckHeader(draft.header, SettingsOf(s).paymentTerms, documentTotal_, s.money());
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
            documentNumber_->setFocus();
            return;
        case HeaderFault::RegistrationBeforeIssue:
            Warn(this, message);
            registrationDate_->lineEdit()->setFocus();
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
    if (draft.fpaState > kFpaXmlNotWritten && !xmlUpToDate()) return;
    handBack(ReturnAction::Confirm);
}

bool HeaderForm::correctedInvoiceAgreed() {
    Session& s = session();
    const DocumentDraft& draft = forms().draft();
    const InvoiceReference corrected = draft.panel.correctedInvoice;
    if (draft.kind != DocumentKind::CreditNote || Trim(corrected.id).empty()) return true;
    // An invoice copied into the credit note was agreed to in the picker.
    const ImportedSources& imported = draft.imports;
    const auto same = [](const InvoiceReference& a, const InvoiceReference& b) {
        return Trim(a.id) == Trim(b.id) && Trim(a.date) == Trim(b.date);
    };
    if ((imported.invoice && same(corrected, imported.copiedInvoice)) ||
        (agreedCorrection_ && same(corrected, *agreedCorrection_)))
        return true;
    std::string mismatch;
    try {
        mismatch = CorrectedInvoiceMismatch(s.files, draft.customer.record, corrected,
                                            draft.header.documentDate);
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
    if (forms().draft().numberProposed()) return true;
    Session& s = session();
    const auto date = CivilDate::Parse(S(documentDate_->text()));
    try {
        // A damaged qorvana.num is said by posting, which then stores nothing.
        const Result<StoredSeries> series = ReadCompanySeries(s);
        const Status free =
            NumberIsFree(s.files, series.valueOr(StoredSeries{}),
                         numberingScope(date ? date->year : 0, separateSeries_->isChecked()),
                         S(documentNumber_->text()));
        if (free) return true;
        // The file written with the number would carry a number that is not its document's.
        const QString removed = RemoveDocumentXml(s, forms().draft());
        Warn(this,
             Q(free.message()) + (removed.isEmpty() ? QString() : QStringLiteral("\n") + removed));
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
    }
    documentNumber_->setFocus();
    return false;
}

bool HeaderForm::xmlUpToDate() {
    Session& s = session();
    DocumentDraft& draft = forms().draft();
    if (XmlCreation(s, draft, this).bringUpToDate()) return true;
    if (!AskBeforeLosingWork(this, kStoreQuestion)) return false;
    // Stored without its file: the file written before says something else, and goes.
    const QString removed =
        RemoveDocumentXml(s, draft, QStringLiteral("il documento sarà memorizzato senza file XML"));
    if (!removed.isEmpty())
        ShowMessage(this, QStringLiteral("Attenzione"), removed, MsgIcon::Information);
    draft.fpaState = kFpaXmlNotWritten;
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

void HeaderForm::preview(bool reprint) {
    if (!amounts_->commitFocused()) return;
    auto* body = forms().get<BodyForm>(form_name::kBody);
    if (!body) return;
    try {
        if (reprint)
            body->cycle().previewReprint(this);
        else
            body->cycle().previewDraft(this);
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
    }
}

QPrinter* HeaderForm::chosenPrinter() const {
    return printerChosen_ ? printer_.get() : nullptr;
}

void HeaderForm::createXml() {
    if (!amounts_->commitFocused()) return;
    DocumentDraft& draft = forms().draft();
    if (!draft.fpaPanelOpened && !AskYesNo(this, QStringLiteral("Attenzione"), kXmlQuestion))
        return;
    if (!correctedInvoiceAgreed()) return;
    const auto created = XmlCreation(session(), draft, this).run();
    if (!created) return;
    transmissionNumber_->setText(QString::number(created->progressive));
    if (!created->message.isEmpty())
        ShowMessage(this, created->title, created->message, MsgIcon::Information);
}

void HeaderForm::openPanel() {
    forms().draft().fpaPanelOpened = true;
    panel_->show();
    fitToScreen();
    panel_->firstField()->setFocus();
    scroll_->ensureWidgetVisible(panel_->firstField());
}

void HeaderForm::closePanel() {
    panel_->hide();
    fitToScreen();  // the window shrinks back to the header without the panel
    documentNumber_->setFocus();
}

void HeaderForm::closeEvent(QCloseEvent* event) {
    // Forms live for the whole run: the window is hidden and the start form resumes.
    event->ignore();
    if (!MayDiscardDocument(this, forms().draft())) return;
    session().returnPending = 0;
    forms().handOver(this, QString(form_name::kStart));
}

}  // namespace qorvana
