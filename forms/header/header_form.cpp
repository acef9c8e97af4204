#include "forms/header/header_form.h"

#include <QApplication>
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
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "core/counters.h"
#include "core/counters_record.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/tab_file.h"
#include "customers/customer_record.h"
#include "document/header_checks.h"
#include "document/numbering.h"
#include "fatturapa/fpa_export.h"
#include "fatturapa/fpa_file.h"
#include "forms/common/company_lock.h"
#include "forms/common/date_picker.h"
#include "forms/common/document_caption.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/typed_number_boxes.h"
#include "forms/header/fpa_panel_form.h"

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

    registerControl(QStringLiteral("Frame5"), panel_);
    for (int i = 0; i < 5; ++i) registerControl(QStringLiteral("Combo8"), panel_->combo8[i], i);
    registerControl(QStringLiteral("Combo7"), panel_->combo7);
    registerControl(QStringLiteral("Combo6"), panel_->combo6);
    for (int i = 1; i <= 15; ++i) registerControl(QStringLiteral("Text4"), panel_->text4[i], i);
    for (int i = 6; i <= 10; ++i)
        registerControl(QStringLiteral("dsca"), panel_->referenceDates[i], i);
    registerControl(QStringLiteral("art73"), panel_->art73);
    registerControl(QStringLiteral("ccomando"), panel_->close, 1);
    connect(panel_->close, &QPushButton::clicked, this, &HeaderForm::closePanel);

    // Amounts typed by the operator show, once left, the value read, as the split writes it.
    const auto asInstalment = [](double value) { return Q(InstalmentText(value)); };
    for (QLineEdit* box : sca_) amounts_->add(box, asInstalment);
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
    auto* box = new QGroupBox(QStringLiteral("Rateizzazione e scadenze"));
    auto* grid = new QGridLayout(box);
    combo_[1] = new QComboBox;
    registerControl(QStringLiteral("Combo1"), combo_[1]);
    grid->addWidget(new QLabel(QStringLiteral("Tipo di pagamento")), 0, 0);
    grid->addWidget(combo_[1], 0, 1, 1, 4);
    for (int i = 0; i < 6; ++i) {
        dsca_[i] = new QLineEdit;
        dsca_[i]->setMaxLength(10);
        dsca_[i]->setMinimumWidth(
            dsca_[i]->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 12);
        ddsca_[i] = new DatePicker;
        sca_[i] = AmountBox(false);
        sca_[i]->setMinimumWidth(
            sca_[i]->fontMetrics().horizontalAdvance(QStringLiteral("0.000.000,00")) + 12);
        registerControl(QStringLiteral("dsca"), dsca_[i], i);
        registerControl(QStringLiteral("ddsca"), ddsca_[i], i);
        registerControl(QStringLiteral("sca"), sca_[i], i);
        dsca_[i]->installEventFilter(this);
        grid->addWidget(new QLabel(QStringLiteral("Data %1' scadenza").arg(i + 1)), i + 1, 0);
        grid->addWidget(dsca_[i], i + 1, 1);
        grid->addWidget(ddsca_[i], i + 1, 2);
        grid->addWidget(new QLabel(QStringLiteral("Importo")), i + 1, 3);
        grid->addWidget(sca_[i], i + 1, 4);
        connect(dsca_[i], &QLineEdit::textChanged, this, [this, i] { dueDateChanged(i); });
        connect(ddsca_[i], &DatePicker::edited, this, [this, i] { dueDatePicked(i); });
    }
    connect(combo_[1], qOverload<int>(&QComboBox::activated), this, &HeaderForm::paymentChosen);
    return box;
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
    for (int i = 0; i < 6; ++i) enterMoves(dsca_[i], sca_[i]);
    for (int i = 0; i < 3; ++i) enterMoves(sca_[i], dsca_[i + 1]);
    connect(text3_[1], &DatePicker::textChanged, this, &HeaderForm::documentDateChanged);
}

// --- load and activation ---------------------------------------------------------------------

void HeaderForm::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    Session& s = session();
    std::vector<std::string> problems = RefreshSharedSettings(s);
    const TabFile tab = TabFile::Load(s.companyFile("qorvana.tab"));
    NoteReadError(problems, tab.readError(), s.companyPath("qorvana.tab"));
    tables_ = HeaderTables::FromTab(tab);
    vat_ = VatTable::FromTab(tab);
    terms_ = PaymentTerms::FromTab(tab);
    rules_ = PostponeRules::FromTerms(terms_);
    int fpaReadError = 0;
    fpa_ = LoadFpaRecord(s.companyFile("qorvana.fpa"), &fpaReadError);
    NoteReadError(problems, fpaReadError, s.companyPath("qorvana.fpa"));

    filling_ = true;
    auto* conditions = qobject_cast<QStandardItemModel*>(combo_[1]->model());
    for (int row = 1; row <= PaymentTerms::kTerms; ++row) {
        combo_[1]->addItem(Q(terms_.description(row)));
        // An empty condition stays in its place in the list but cannot be chosen.
        if (conditions && !terms_.offered(row)) conditions->item(row - 1)->setEnabled(false);
    }
    for (int i = 2; i <= 4; ++i)
        for (const auto& entry : tables_.listEntries) combo_[i]->addItem(Q(entry));
    for (int entry = 1; entry <= 9; ++entry) combo_[5]->addItem(Q(tables_.combo5Table[entry][0]));
    panel_->fillLists(tables_);
    filling_ = false;

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
        filling_ = false;
        Warn(this, QString::fromUtf8(e.what()));
    }
}

void HeaderForm::startNewDocument() {
    Session& s = session();
    const Money money = s.money();
    filling_ = true;
    for (int i = 1; i <= 5; ++i)
        if (combo_[i]->count() > 0) combo_[i]->setCurrentIndex(0);

    const DocumentFigures& figures = forms().draft().figures;
    const double totals[] = {figures.taxableWithVat(), figures.vatTotal(), figures.outsideVat(),
                             figures.documentTotal, figures.netToPay()};
    for (int i = 0; i < 5; ++i) total_[i]->setText(Q(AmountText(money, totals[i])));
    documentTotal_ = ShownAmount(money, figures.netToPay());

    // A counter or customer that cannot be read is reported once, after the set-up; the
    // fields it feeds keep what they held and everything else is set up as usual.
    QString readError;
    auto trapped = [&readError](auto read) {
        using Result = decltype(read());
        try {
            return std::optional<Result>(read());
        } catch (const RecordIoError& e) {
            if (readError.isEmpty()) readError = QString::fromUtf8(e.what());
            return std::optional<Result>();
        }
    };
    const auto invoices = trapped([&] { return s.files.read<CountersFile>(tot::kInvoices); });
    const auto customer = trapped([&] {
        const int n = s.currentCustomer;
        if (IsCustomerRecord(s.files, n)) return s.files.read<CustomersFile>(n);
        return CustomerRecord{};
    });

    const bool fpa = s.fpaState != kFpaOrdinary;
    setWindowTitle(DocumentCaption(s.documentKind, s.fpaState));

    for (QWidget* w :
         std::initializer_list<QWidget*>{comando_[7], ccomando0_, text2_[4], progressiveLabel_})
        w->setVisible(fpa);
    std::optional<CountersRecord> series;
    if (fpa) {
        series = trapped([&] { return s.files.read<CountersFile>(tot::kFatturaPa); });
        panel_->art73->setChecked(false);
        const int position = ToInt16OrZero(Val(fpa_.text(fpa::kCombo5Position)));
        if (position >= 0 && position < combo_[5]->count()) combo_[5]->setCurrentIndex(position);
    }

    const bool separateSeries =
        InSeparateSeries(Val(fpa_.text(fpa::kSeparateSeries)) == 1, s.fpaState);
    numera_->setChecked(separateSeries);
    const int year = s.clock.today().year;
    const auto stored = trapped([&] { return storedNumbers(year, separateSeries); });
    const NumberProposal proposal = ProposeNumbers(invoices, series, separateSeries, s.fpaState,
                                                   stored.value_or(SeriesNumbers{}));
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
    showNumber(proposal, year);

    const QString today = Q(s.clock.today().text());
    text3_[1]->setText(today);
    text3_[2]->setText(today);
    text2_[11]->clear();
    text2_[12]->clear();

    if (customer) rib_->setChecked(customer->int16(cli::kRibOption) == 1);
    esig_->setChecked(false);
    esig_->setEnabled(documentHasTaxableSlot());

    if (customer)
        combo_[1]->setCurrentIndex(
            PaymentTerms::ListEntryOf(customer->int16(cli::kPaymentCondition)));
    paymentEntry_ = combo_[1]->currentIndex();
    splitInstalments();
    computeDueDates();

    panel_->hide();
    fitToScreen();
    // The panel's defaults are set for every document, so that its lists always match the
    // document's kind and terms, also while the panel is not shown.
    panel_->presetForDocument(s.documentKind, TypedValue(S(sca_[1]->text())),
                              chosenCode().paymentModeDigit);
    filling_ = false;
    text2_[0]->setFocus();
    if (!readError.isEmpty()) Warn(this, readError);
}

SeriesNumbers HeaderForm::storedNumbers(int year, bool separateSeries) const {
    const NumberingScope scope{year, separateSeries, Val(fpa_.text(fpa::kSeparateSeries)) == 1};
    return ScanSeriesNumbers(session().files, scope);
}

void HeaderForm::showNumber(const NumberProposal& proposal, int year) {
    const QString number =
        proposal.documentNumber ? QString::number(*proposal.documentNumber) : QString();
    text2_[0]->setText(number);
    text2_[3]->setText(number);
    proposedNumber_ = number;
    proposedYear_ = year;
    if (proposal.yearFull)
        Warn(this, QStringLiteral("Nel %1 è già stato usato il numero 32767, l'ultimo che si può "
                                  "memorizzare: non si può proporre il numero del documento.")
                       .arg(year));
    if (proposal.counterOutOfRange)
        Warn(this, QStringLiteral("L'ultimo numero della serie (qorvana.tot, record %1) vale %2, "
                                  "fuori dai limiti da 0 a 32766: non si può proporre il numero "
                                  "del documento.")
                       .arg(numera_->isChecked() ? tot::kFatturaPa : tot::kInvoices)
                       .arg(*proposal.counterOutOfRange));
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
    const bool separate = InSeparateSeries(numera_->isChecked(), s.fpaState);
    try {
        const auto invoices = s.files.read<CountersFile>(tot::kInvoices);
        const auto series = s.files.read<CountersFile>(tot::kFatturaPa);
        showNumber(
            ProposeNumbers(invoices, series, separate, s.fpaState, storedNumbers(year, separate)),
            year);
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
    }
}

bool HeaderForm::documentHasTaxableSlot() {
    return HasTaxableSlot(forms().draft().figures.breakdown);
}

bool HeaderForm::numberProposed() const {
    return !proposedNumber_.isEmpty() && text2_[0]->text() == proposedNumber_;
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
    e.paymentTerms = combo_[1]->currentIndex();
    e.paymentTermsText = S(combo_[1]->currentText());
    e.bank1 = combo_[2]->currentIndex();
    e.bank2 = combo_[3]->currentIndex();
    e.bank3 = combo_[4]->currentIndex();
    e.series = combo_[5]->currentIndex();
    for (int i = 0; i < 6; ++i) {
        e.dueDates[i] = S(dsca_[i]->text());
        e.instalmentAmounts[i] = S(sca_[i]->text());
    }
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

// --- instalments and due dates ---------------------------------------------------------------

PaymentCode HeaderForm::chosenCode() const {
    return terms_.parsed(combo_[1]->currentIndex() + 1);
}

void HeaderForm::splitInstalments() {
    const auto amounts = SplitInstalments(chosenCode(), documentTotal_, session().money());
    for (int i = 0; i < 6; ++i)
        if (amounts[i]) sca_[i]->setText(Q(InstalmentText(*amounts[i])));
}

void HeaderForm::computeDueDates() {
    const CivilDate base = DueDateBase(S(text3_[1]->text()), session().clock.today());
    const auto dates = ComputeDueDates(chosenCode(), base, rules_);
    for (int i = 0; i < 6; ++i) {
        if (dates[i]) {
            dsca_[i]->setText(Q(*dates[i]));
        } else {
            dsca_[i]->clear();
            sca_[i]->clear();
        }
    }
}

void HeaderForm::paymentChosen() {
    if (filling_) return;
    // An empty condition cannot be chosen: the list goes back to the one chosen before.
    if (!terms_.offered(combo_[1]->currentIndex() + 1)) {
        combo_[1]->setCurrentIndex(paymentEntry_);
        return;
    }
    paymentEntry_ = combo_[1]->currentIndex();
    computeDueDates();
    splitInstalments();
}

void HeaderForm::documentDateChanged() {
    const auto date = CivilDate::Parse(S(text3_[1]->text()));
    if (filling_ || !date) return;
    computeDueDates();
    // A document of another year is numbered in that year, unless the operator typed a number.
    if (date->year != proposedYear_ && text2_[0]->text() == proposedNumber_ &&
        text2_[3]->text() == proposedNumber_)
        proposeNumberAgain();
}

void HeaderForm::dueDateChanged(int i) {
    // An equal text is not set again, so the box being typed in keeps its cursor.
    const QString text = dsca_[i]->text();
    if ((text.isEmpty() || IsValidDate(S(text)) == 0) && ddsca_[i]->text() != text)
        ddsca_[i]->setText(text);
}

void HeaderForm::dueDatePicked(int i) {
    const auto date = ddsca_[i]->date();
    if (date && dsca_[i]->text() != Q(date->text())) dsca_[i]->setText(Q(date->text()));
}

void HeaderForm::dueDateEntered(int i) {
    // While a due date is held back for correction, neither it nor a due date passed on the
    // way is filled in.
    if (heldDueDate_ >= 0) return;
    if (IsValidDate(S(dsca_[i]->text())) != 0) dsca_[i]->setText(Q(session().clock.today().text()));
}

void HeaderForm::dueDateLeft(int i) {
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
        if (isVisible() && focused && focused->window() == this && focused != dsca_[i]) {
            dsca_[i]->setFocus(Qt::OtherFocusReason);
            Warn(this, QStringLiteral("La data di scadenza %1 non è valida: scriverla come "
                                      "gg/mm/aaaa, ad esempio 05/09/2026")
                           .arg(text));
        }
        heldDueDate_ = -1;
    });
}

bool HeaderForm::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 6; ++i) {
        if (watched != dsca_[i]) continue;
        if (event->type() == QEvent::FocusIn) dueDateEntered(i);
        if (event->type() == QEvent::FocusOut) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                dueDateLeft(i);
        }
    }
    return QorForm::eventFilter(watched, event);
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
    if (s.fpaState == kFpaXmlNotWritten &&
        !AskYesNo(this, QStringLiteral("Attenzione"), kStoreQuestion))
        return;

    const HeaderCheck check = CheckHeader(entries(), terms_, documentTotal_, s.money());
    const QString message = Q(MessageOf(check.fault));
    switch (check.fault) {
        case HeaderFault::None:
            break;
        case HeaderFault::SplitMismatch:
            if (!AskYesNo(this, QStringLiteral("Attenzione"), message)) return;
            break;
        case HeaderFault::DueDate:
            Warn(this, message);
            dsca_[check.instalment]->setFocus();
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
            combo_[1]->setFocus();
            return;
        default:
            Warn(this, message);
            return;
    }
    handBack(ReturnAction::Confirm);
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
    // The header's own part of the draft, as the operator left it; the lines, their figures
    // and the VAT-inclusive box are the body's.
    DocumentDraft& draft = forms().draft();
    draft.header = entries();
    draft.panel = panelEntries();

    try {
        CustomerRecord customer;
        if (s.currentCustomer >= 1 && s.currentCustomer <= RecordCount(s.files, tot::kCustomers))
            customer = s.files.read<CustomersFile>(s.currentCustomer);
        const FpaExportInput input{fpa_, draft, customer, vat_, tables_, S(proposedProgressive_)};
        const bool progressiveProposed =
            s.fpaState == kFpaXmlNotWritten && text2_[4]->text() == proposedProgressive_;
        // The progressive is chosen and the counter advanced under the company's lock; the
        // question before a file is replaced is asked without it, and the export is prepared
        // again once the lock is back.
        std::filesystem::path agreedToReplace;
        for (;;) {
            std::optional<PostingLock> lock = LockCompanyForPosting(this, s);
            if (!lock) return;
            const FpaPrepared prepared = PrepareFpaExport(input, s);
            if (!prepared.plan) {
                lock->release();
                Warn(this, Q(prepared.refusal));
                return;
            }
            const FpaExportPlan& plan = *prepared.plan;
            if (plan.replacesFile && s.fpaState == 0 && plan.target != agreedToReplace) {
                lock->release();
                if (!AskYesNo(this, QStringLiteral("Attenzione"), Q(FpaReplaceQuestion(plan))))
                    return;
                agreedToReplace = plan.target;
                continue;
            }
            const std::string failure = CommitFpaExport(plan, s);
            lock->release();
            if (!failure.empty()) {
                Warn(this, Q(failure));
                return;
            }
            draft.fpaFile = plan.folderText + plan.fileName;
            QString message = Q(FpaCreatedMessage(plan));
            if (progressiveProposed && QString::number(s.fpaState) != proposedProgressive_)
                message += QStringLiteral(
                               "\nIl progressivo invio %1 è stato usato nel frattempo da "
                               "un'altra postazione: il file ha il progressivo %2.")
                               .arg(proposedProgressive_)
                               .arg(s.fpaState);
            text2_[4]->setText(QString::number(s.fpaState));
            ShowMessage(this, QStringLiteral("Fattura elettronica PA"), message,
                        MsgIcon::Information);
            return;
        }
    } catch (const RecordIoError& e) {
        Warn(this, QString::fromUtf8(e.what()));
    }
}

void HeaderForm::openPanel() {
    session().fpaPanelOpened = 1;
    panel_->show();
    fitToScreen();
    panel_->text4[1]->setFocus();
    scroll_->ensureWidgetVisible(panel_->text4[1]);
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
