#include "forms/body/body_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "company/company_settings.h"
#include "core/numbers.h"
#include "core/session.h"
#include "document/document_setup.h"
#include "document/einvoice_amounts.h"
#include "document/pension_fund.h"
#include "forms/body/article_list_model.h"
#include "forms/body/import_cycle_form.h"
#include "forms/body/line_grid_form.h"
#include "forms/common/customer_label.h"
#include "forms/common/document_caption.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/wait_cursor.h"
#include "forms/start/start_form.h"
#include "print/pdf_handoff.h"

namespace qorvana {
namespace {

constexpr int kRowHeight = 20;
constexpr int kFormWidth = 1090;
constexpr int kFormHeight = 640;
constexpr int kMargin = 8;
constexpr int kInnerWidth = kFormWidth - 2 * kMargin;
// The article list and its stock label: their entries' fixed-width columns end with the
// article's record number, which lies beyond this width.
constexpr int kListWidth = 984;
// The customer's label above the grid, the grid below it.
constexpr int kGridTop = 22;
// The VAT chooser opens beside the grid.
constexpr int kChooserX = 850;
// The totals: two rows of four columns, a caption and its amount each.
constexpr int kTotalsTop = 480;
constexpr int kTotalColumn = 250;
constexpr int kButtonsTop = 568;

const char* const kNotFound = "Articolo non esistente";
const QString kEmailCaption = QStringLiteral("Invia per posta elettronica");

}  // namespace

BodyForm::BodyForm(Session& session, FormSet& forms)
    : QorForm(form_name::kBody, session, forms),
      lines_(forms.draft().lines),
      figures_(forms.draft().figures),
      cycle_(session, forms, *this) {
    setWindowTitle(DocumentCaption(DocumentKind::Invoice, kFpaOrdinary));
    buildControls();
    resize(kFormWidth, kFormHeight);
    CentreOnScreen(this);
}

void BodyForm::buildControls() {
    cliente_ = new CustomerLabel(this);
    cliente_->setGeometry(kMargin, 2, kInnerWidth, 18);
    registerControl("cliente", cliente_);

    grid_ = new LineGrid(lines_, this);
    grid_->move(0, kGridTop);
    grid_->registerControls(controlRegistry());
    grid_->setFallbackVatCode([this] { return FallbackVatCode(articleTerms()); });
    grid_->setAmountText([this](const DocumentLine& line) {
        const Money money = session().money();
        return Q(AmountText(money, LineAmountOf(line, money).net));
    });
    grid_->setUndoKey([this] { return undoDeletion(); });
    connect(grid_, &LineGrid::textTyped, this, &BodyForm::forgetDeletion);
    connect(grid_, &LineGrid::linesEdited, this, &BodyForm::forgetDeletion);
    connect(grid_, &LineGrid::codeEntered, this, &BodyForm::onArticEnter);
    connect(grid_, &LineGrid::codeTyped, this, &BodyForm::onArticTyped);
    connect(grid_, &LineGrid::codeFocused, this, [this](int row) {
        combo1_->hide();
        onArticTyped(row);
    });
    connect(grid_, &LineGrid::descriptionTyped, this, &BodyForm::onDescriptionTyped);
    connect(grid_, &LineGrid::descriptionLookup, this, &BodyForm::onDescriptionF1);
    connect(grid_, &LineGrid::vatCodeEntered, this, &BodyForm::showVatChooser);
    connect(grid_, &LineGrid::vatChooserKey, this, [this] { combo1_->setFocus(); });
    connect(grid_, &LineGrid::linesEdited, this, [this] { recompute(); });

    combo1_ = new QComboBox(this);
    combo1_->setGeometry(kChooserX, grid_->rowTop(0), kFormWidth - kMargin - kChooserX, kRowHeight);
    combo1_->view()->setMinimumWidth(360);  // exemption texts are long
    combo1_->hide();
    combo1_->installEventFilter(this);
    registerControl("Combo1", combo1_);
    connect(combo1_, &QComboBox::activated, this, &BodyForm::onVatChosen);

    list1_ = new QListView(this);
    list1_->setGeometry(kMargin, 302, kListWidth, 150);
    list1_->setUniformItemSizes(true);
    // The entries are fixed-width columns.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    list1_->setFont(fixed);
    list1_->setEnabled(false);
    list1_->installEventFilter(this);
    listModel_ = new ArticleListModel(this);
    list1_->setModel(listModel_);
    registerControl("List1", list1_);
    connect(list1_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        listMatch_ = index.row();
        takeArticle(grid_->currentRow(), listModel_->list().record(index.row()));
    });

    listx_ = new QLabel(this);
    listx_->setGeometry(kMargin, 456, kListWidth, 18);
    listx_->setFont(fixed);
    registerControl("listx", listx_);

    // Row 1: Imponibile, IVA, Totale, Quantità; row 2, under IVA and Totale: the withholding
    // and what the customer pays.
    const auto total = [this](const char* caption, int row, int column) {
        const int x = kMargin + column * kTotalColumn;
        const int y = kTotalsTop + row * 24;
        (new QLabel(QString::fromUtf8(caption), this))->move(x, y + 2);
        auto* amount = new QLabel(this);
        amount->setGeometry(x + 80, y, 130, 20);
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return amount;
    };
    tota_[0] = total("Imponibile", 0, 0);
    imposta_ = total("IVA", 0, 1);
    tota_[1] = total("Totale", 0, 2);
    tota_[2] = total("Quantità", 0, 3);
    ritenuta_ = total("Ritenuta", 1, 1);
    dovuto_ = total("Da pagare", 1, 2);
    for (int i = 0; i < 3; ++i) registerControl("tota", tota_[i], i);
    registerControl("imposta", imposta_);
    registerControl("ritenuta", ritenuta_);
    registerControl("dovuto", dovuto_);

    constexpr int kChoicesTop = kTotalsTop + 52;
    scorporo_ = new QCheckBox(QStringLiteral("Prezzi IVA inclusa"), this);
    scorporo_->move(kMargin, kChoicesTop);
    registerControl("scorporo", scorporo_);
    connect(scorporo_, &QCheckBox::toggled, this, [this] {
        forgetDeletion();
        recompute();
    });
    connect(scorporo_, &QCheckBox::clicked, this, &BodyForm::tellPricesReadAgain);
    barcode_ = new QCheckBox(QStringLiteral("Codice a barre"), this);
    barcode_->move(kMargin + 200, kChoicesTop);
    registerControl("barcode", barcode_);
    prezz_[0] = new QRadioButton(QStringLiteral("Listino 1"), this);
    prezz_[0]->move(kMargin + 400, kChoicesTop);
    prezz_[1] = new QRadioButton(QStringLiteral("Listino 2"), this);
    prezz_[1]->move(kMargin + 520, kChoicesTop);
    prezz_[0]->setChecked(true);
    registerControl("prezz", prezz_[0], 0);
    registerControl("prezz", prezz_[1], 1);
    postael_ = new QCheckBox(kEmailCaption, this);
    postael_->move(kMargin + 680, kChoicesTop);
    registerControl("postael", postael_);

    // Alt + the underlined letter presses a button from the keyboard.
    const char* buttons[] = {"&Esci", "&Conferma", "&Inserisci riga", "Cance&lla riga",
                             "&DDT",  "&Ricevute", "&Fatture",        "Preventivo"};
    for (int i = 0; i < 8; ++i) {
        comando_[i] = new QPushButton(QString::fromUtf8(buttons[i]), this);
        comando_[i]->setGeometry(kMargin + i * 124, kButtonsTop, 120, 26);
        registerControl("comando", comando_[i], i);
    }
    connect(comando_[0], &QPushButton::clicked, this, &BodyForm::leave);
    connect(comando_[1], &QPushButton::clicked, this, &BodyForm::confirm);
    connect(comando_[2], &QPushButton::clicked, this, &BodyForm::insertLine);
    connect(comando_[3], &QPushButton::clicked, this, &BodyForm::deleteLine);
    connect(comando_[4], &QPushButton::clicked, this,
            [this] { showPicker(form_name::kDeliveryNotePicker, false); });
    connect(comando_[5], &QPushButton::clicked, this,
            [this] { showPicker(form_name::kReceiptPicker, false); });
    connect(comando_[6], &QPushButton::clicked, this,
            [this] { showPicker(form_name::kInvoicePicker, false); });
    connect(comando_[7], &QPushButton::clicked, this,
            [this] { showPicker(form_name::kQuotePicker, true); });

    command3d3_ = new QPushButton(QStringLiteral("Elenco &articoli"), this);
    command3d3_->setGeometry(kMargin, kButtonsTop + 32, 120, 26);
    registerControl("command3d3", command3d3_);
    connect(command3d3_, &QPushButton::clicked, this, &BodyForm::enableArticleList);
    riordina_ = new QPushButton(QStringLiteral("Ri&ordina"), this);
    riordina_->setGeometry(kMargin + 124, kButtonsTop + 32, 120, 26);
    registerControl("riordina", riordina_);
    connect(riordina_, &QPushButton::clicked, this, &BodyForm::reorderLines);
    // Ctrl+Z, or this button, puts back the line deleted last until the next change.
    ripristina_ = new QPushButton(QStringLiteral("Ri&pristina riga"), this);
    ripristina_->setGeometry(kMargin + 2 * 124, kButtonsTop + 32, 120, 26);
    ripristina_->setToolTip(QStringLiteral("Rimette la riga appena cancellata (Ctrl+Z)"));
    ripristina_->setEnabled(false);
    registerControl("ripristina", ripristina_);
    connect(ripristina_, &QPushButton::clicked, this, &BodyForm::undoDeletion);
    // Ctrl+Z where the focus is on no box of the grid (a box passes it on itself).
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this,
            &BodyForm::undoDeletion);

    picture1_ = new QLabel(this);
    picture1_->hide();
    registerControl("Picture1", picture1_);
}

const VatTable& BodyForm::vatTable() const {
    return SettingsOf(session()).vat();
}

bool BodyForm::vatInclusive() const {
    return scorporo_->isChecked();
}
void BodyForm::setVatInclusive(bool on) {
    scorporo_->setChecked(on);
}
bool BodyForm::emailRequested() const {
    return postael_->isChecked();
}

void BodyForm::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    const std::vector<std::string> problems = RereadBodySettings(session());
    const PrintSettings& print = SettingsOf(session()).print;
    WarnOnce(this, problems, session().toldProblems);
    if (!print.pdfFolderWarning.empty())
        Warn(this, Q(print.pdfFolderWarning), MsgIcon::Exclamation);
    {
        const QSignalBlocker block(combo1_);
        combo1_->clear();
        for (const auto& [code, item] : print.vat.chooserItems()) combo1_->addItem(Q(item), code);
    }
    comando_[7]->setVisible(print.quotes);
}

void BodyForm::activate() {
    loadOnce();
    Session& s = session();
    if (s.returnPending != 0) return;
    s.returnPending = 1;
    picture1_->hide();
    try {
        switch (s.returnAction) {
            case ReturnAction::NewDocument:
                startNewDocument();
                break;
            case ReturnAction::BackToLines:
                break;
            case ReturnAction::Reprint:
                runPrintLoop();
                break;
            case ReturnAction::Abandon:
                forms().handOver(this, form_name::kStart);
                break;
            case ReturnAction::Confirm:
                runConfirmCycle();
                break;
            case ReturnAction::ImportDeliveryNotes:
            case ReturnAction::ImportReceipts:
            case ReturnAction::ImportQuote:
            case ReturnAction::ImportInvoice:
                runImport(s.returnAction);
                break;
        }
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura o scrittura dei dati: %1").arg(e.what()));
    }
}

void BodyForm::runConfirmCycle() {
    cycle_.start();
}

void BodyForm::runPrintLoop() {
    // The body form stays shown, with the lines of the document being issued.
    cycle_.reprint();
}

void BodyForm::runImport(ReturnAction action) {
    ImportCycle(session(), forms(), *this).run(action);
}

void BodyForm::showImportedLines() {
    forgetDeletion();
    recompute();
    grid_->showUpTo(lines_.lastUsed());
}

void BodyForm::startNewDocument() {
    Session& s = session();
    forms().draft().clear();
    forms().draft().customer = ReadDraftCustomer(s.files, s.currentCustomer);
    cliente_->showCustomer(forms().draft().customer);
    forgetDeletion();
    if (const auto* start = forms().get<StartForm>(QString(form_name::kStart)))
        forms().draft().einvoice = start->einvoiceTerms();
    grid_->showFromTop();
    setWindowTitle(DocumentCaption(s.documentKind, s.fpaState));
    combo1_->hide();
    customerRecord_ = s.currentCustomer;
    agentRecord_.reset();
    setup_ = ReadDocumentSetup(s);
    {
        const QSignalBlocker block(scorporo_);
        scorporo_->setChecked(setup_.vatInclusive);
    }
    barcode_->setChecked(setup_.barcode);
    prezz_[setup_.secondPriceList ? 1 : 0]->setChecked(true);
    proposeEmail();
    stockShown_ = 0;
    listx_->clear();
    recompute();
    grid_->focusCode(0);
    if (!vatTable().loaded)
        Warn(this, QStringLiteral("Manca la tabella dei codici IVA (qorvana.tab) o non si può "
                                  "leggere: i codici IVA non hanno aliquota e il documento non "
                                  "potrà essere confermato con righe soggette a IVA."));
    if (!countReported_) {
        countReported_ = true;
        if (const auto problem = ArticleCountProblem(s.files))
            Warn(this, Q(*problem), MsgIcon::Exclamation);
    }
}

bool BodyForm::recompute() {
    const Money money = session().money();
    keepFundLine(false);
    DocumentFigures f = RecomputeDocument(lines_, vatTable(), vatInclusive(), money);
    if (!f.finite()) {
        Warn(this, QStringLiteral("Importi fuori dai limiti: controllare quantità e prezzi."));
        return false;
    }
    ChargeStampDuty(f, session().documentKind, forms().draft().einvoice, money);
    figures_ = f;
    // The figures and the box they were computed with reach the draft together.
    forms().draft().vatInclusive = vatInclusive();
    tota_[0]->setText(Q(AmountText(money, figures_.taxableTotal)));
    tota_[1]->setText(Q(AmountText(money, figures_.documentTotal)));
    tota_[2]->setText(Q(QuantityText(figures_.totalQuantity)));
    imposta_->setText(Q(AmountText(money, figures_.vatTotal())));
    ritenuta_->setText(Q(AmountText(money, figures_.withholdingAmount)));
    dovuto_->setText(Q(AmountText(money, AmountDue(forms().draft(), money))));
    grid_->showAmounts();
    writeWeight();
    return true;
}

void BodyForm::proposeEmail() {
    // The PDF copy goes by e-mail: with PDFs switched off there is nothing to send.
    const bool pdfOn = PdfHandoffEnabled(session().workStrings[work_slot::kFpaSwitch]);
    postael_->setEnabled(pdfOn);
    postael_->setChecked(pdfOn && setup_.customerHasEmail);
    postael_->setText(pdfOn ? kEmailCaption : kEmailCaption + QStringLiteral(" (PDF non attivi)"));
    postael_->adjustSize();
    postael_->setToolTip(pdfOn ? QString()
                               : QStringLiteral("La copia PDF dei documenti è disattivata "
                                                "(qorvana.eur, riga 2 = 0): non c'è nulla da "
                                                "inviare per posta elettronica."));
}

void BodyForm::tellPricesReadAgain() {
    if (figures_.documentTotal == 0) return;
    // The prices typed stay as they are; what they mean changes, and so does every amount.
    const QString total = Q(AmountText(session().money(), figures_.documentTotal)).trimmed();
    ShowMessage(this, QStringLiteral("Attenzione"),
                (vatInclusive() ? QStringLiteral("I prezzi scritti sono ora letti IVA inclusa: il "
                                                 "totale del documento è ora %1.")
                                : QStringLiteral("I prezzi scritti sono ora letti senza IVA: il "
                                                 "totale del documento è ora %1."))
                    .arg(total),
                MsgIcon::Information);
}

void BodyForm::keepFundLine(bool last) {
    const int before = FundLineOf(lines_);
    if (!UpdateFundLine(lines_, forms().draft().einvoice.fund, vatTable(), vatInclusive(),
                        session().money(), last))
        return;
    const int after = FundLineOf(lines_);
    // Only its price changed: the row being typed in keeps its text.
    if (before != 0 && before == after)
        grid_->refreshLine(after);
    else
        grid_->refresh();
}

void BodyForm::writeWeight() {
    if (!setup_.weightToStartForm) return;
    if (auto* start = forms().get<StartForm>(form_name::kStart))
        start->showWeight(Q(WeightText(figures_.totalWeight)));
}

void BodyForm::leave() {
    if (!MayDiscardDocument(this, forms().draft())) return;
    session().returnPending = 0;
    forms().handOver(this, form_name::kStart);
}

void BodyForm::closeEvent(QCloseEvent* event) {
    if (!MayDiscardDocument(this, forms().draft())) {
        event->ignore();
        return;
    }
    event->accept();
    session().returnPending = 0;
    forms().show(form_name::kStart);
}

void BodyForm::confirm() {
    if (!grid_->commitFocused()) return;
    try {
        keepFundLine(true);  // the contribution goes after the fees on paper
        if (!recompute()) return;
        if (const int n = FirstLineWithoutRate(lines_, vatTable())) {
            Warn(this, QStringLiteral("La riga %1 ha il codice IVA %2, che non ha un'aliquota "
                                      "nella tabella IVA (qorvana.tab): scegliere un altro "
                                      "codice.")
                           .arg(n)
                           .arg(LineGrid::VatCodeText(NormalisedVatCode(lines_[n].vatCode))));
            return;
        }
        const Money money = session().money();
        if (figures_.zeroTotal(money)) {
            Warn(this, QStringLiteral("Il totale del documento è pari a zero!"));
            return;
        }
        agentRecord_.reset();
        if (SettingsOf(session()).print.agents)
            agentRecord_ = FindAgentRecord(session().files, setup_.customerAgentCode);
        session().returnPending = 0;
        forms().handOver(this, form_name::kHeader);
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura dei dati: %1").arg(e.what()));
    }
}

void BodyForm::insertLine() {
    if (!lines_.insertAt(grid_->lineOfRow(grid_->currentRow()))) {
        Warn(this, QStringLiteral("Il documento ha già 500 righe"));
        return;
    }
    forgetDeletion();
    grid_->refresh();
    recompute();
    grid_->focusCode(grid_->currentRow());
}

void BodyForm::deleteLine() {
    const int line = grid_->lineOfRow(grid_->currentRow());
    deleted_ = DeletedLine{line, lines_.removeAt(line)};
    ripristina_->setEnabled(true);
    grid_->refresh();
    recompute();
    grid_->focusCode(grid_->currentRow());
}

bool BodyForm::undoDeletion() {
    if (!deleted_) return false;
    const DeletedLine deleted = std::move(*deleted_);
    forgetDeletion();
    if (!lines_.putBackAt(deleted.line, deleted.content)) return false;
    grid_->refresh();
    recompute();
    // The row of the line put back, when it is in sight; else the row the focus was in.
    const int row = deleted.line - grid_->lineOfRow(0);
    grid_->focusCode(row >= 0 && row < LineGrid::kRows ? row : grid_->currentRow());
    return true;
}

void BodyForm::forgetDeletion() {
    deleted_.reset();
    ripristina_->setEnabled(false);
}

void BodyForm::reorderLines() {
    forgetDeletion();
    lines_.reorder();
    grid_->refresh();
    grid_->focusCode(grid_->currentRow());
}

void BodyForm::enableArticleList() {
    if (switchArticleListOn()) grid_->focusCode(grid_->currentRow());
}

bool BodyForm::switchArticleListOn() {
    if (!buildArticleList(ArticleListForm::CodeFirst)) return false;
    list1_->setEnabled(true);
    return true;
}

bool BodyForm::buildArticleList(ArticleListForm form) {
    try {
        const WaitCursor wait;
        listModel_->setList(ArticleList::Build(session().files, form));
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli articoli: %1").arg(e.what()));
        return false;
    }
    listMatch_.reset();
    return true;
}

void BodyForm::selectListEntry(int position) {
    const QModelIndex index = listModel_->index(position);
    list1_->setCurrentIndex(index);
    list1_->scrollTo(index, QAbstractItemView::PositionAtTop);
}

void BodyForm::showPicker(const QString& form, bool hideBody) {
    if (hideBody)
        forms().handOver(this, form);
    else
        forms().show(form);
}

ArticleTerms BodyForm::articleTerms() const {
    ArticleTerms t;
    t.customerVatCode = setup_.customerVatCode;
    t.defaultVatCode = setup_.defaultVatCode;
    t.secondPriceList = prezz_[1]->isChecked();
    t.vatInclusive = vatInclusive();
    return t;
}

bool BodyForm::takeArticle(int row, int article) {
    forgetDeletion();
    try {
        const auto lost =
            TakeArticleIntoLines(session().files, lines_, grid_->lineOfRow(row), article,
                                 articleTerms(), vatTable(), session().money());
        if (!lost) {
            Warn(this, kNotFound);
            grid_->focusCode(row);
            return false;
        }
        grid_->refresh();
        recompute();
        if (*lost > 0)
            Warn(this, QStringLiteral("Righe di descrizione oltre la 500 non inserite"),
                 MsgIcon::Exclamation);
        grid_->focusQuantity(row);
        return true;
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura dell'articolo: %1").arg(e.what()));
        return false;
    }
}

void BodyForm::onArticTyped(int row) {
    if (searching_ || !list1_->isEnabled()) return;
    const QScopedValueRollback<bool> searching(searching_, true);
    listMatch_ = listModel_->list().findCode(S(grid_->codeText(row)));
    if (listMatch_) selectListEntry(*listMatch_);
}

void BodyForm::onArticEnter(int row) {
    const std::string code = S(grid_->codeText(row).trimmed().toUpper());
    if (code.empty()) {
        grid_->focusDescription(row);
        return;
    }
    if (!barcode_->isChecked()) {
        // A code is looked up in the article list: built now when it was not yet.
        if (!list1_->isEnabled() && !switchArticleListOn()) return;
        onArticTyped(row);
        if (!listMatch_) {
            Warn(this, kNotFound);
            grid_->focusCode(row);
            return;
        }
        takeArticle(row, listModel_->list().record(*listMatch_));
        return;
    }
    std::optional<int> article;
    try {
        article = FindArticleByBarcode(session().files, code);
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura dei codici a barre: %1").arg(e.what()));
        return;
    }
    if (!article) {
        Warn(this, kNotFound);
        grid_->focusCode(row);
        return;
    }
    takeArticle(row, *article);
}

// F1 looks the description up; a code-first list is first rebuilt description first, so F1
// on an empty description just switches the list (command3d3 switches it back).
void BodyForm::onDescriptionF1(int row) {
    if (!list1_->isEnabled()) return;
    if (listModel_->list().form() == ArticleListForm::CodeFirst &&
        !buildArticleList(ArticleListForm::DescriptionFirst))
        return;
    const auto match = listModel_->list().findDescription(S(grid_->descriptionText(row)));
    if (!match) return;
    listMatch_ = match;
    selectListEntry(*match);
    takeArticle(row, listModel_->list().record(*match));
}

// With the description-first list, typing a description selects its first entry, as typing
// a code does.
void BodyForm::onDescriptionTyped(int row) {
    if (searching_ || !list1_->isEnabled() ||
        listModel_->list().form() != ArticleListForm::DescriptionFirst)
        return;
    const QScopedValueRollback<bool> searching(searching_, true);
    if (const auto match = listModel_->list().findDescription(S(grid_->descriptionText(row))))
        selectListEntry(*match);
}

void BodyForm::showVatChooser(int row) {
    const int line = grid_->lineOfRow(row);
    {
        // The chooser opens on the line's own code.
        const QSignalBlocker block(combo1_);
        combo1_->setCurrentIndex(combo1_->findData(int(lines_[line].vatCode)));
    }
    combo1_->move(combo1_->x(), grid_->rowTop(row));
    combo1_->show();
    combo1_->raise();
    showStock(lines_[line].articleRecord);
}

void BodyForm::onVatChosen(int index) {
    if (index < 0 || !combo1_->isVisible()) return;
    const int row = grid_->currentRow();
    forgetDeletion();
    lines_[grid_->lineOfRow(row)].vatCode =
        static_cast<std::int16_t>(combo1_->itemData(index).toInt());
    grid_->showVatCode(row);
    recompute();
}

void BodyForm::showStock(int article) {
    if (article <= 0 || article == stockShown_) return;
    try {
        listx_->setText(Q(ReadStockLabel(session().files, article)));
        stockShown_ = article;
    } catch (const RecordIoError&) {
    }
}

// Keys of the article list and the VAT chooser: Enter in List1 takes the selected article
// into the current row; Enter or Escape in Combo1 goes back to the row's VAT code.
bool BodyForm::onListKey(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape) return false;
    if (watched == combo1_) {
        grid_->focusVatCode(grid_->currentRow());
        return true;
    }
    if (key == Qt::Key_Escape) return false;
    const QModelIndex index = list1_->currentIndex();
    if (index.isValid()) {
        listMatch_ = index.row();
        takeArticle(grid_->currentRow(), listModel_->list().record(index.row()));
    }
    return true;
}

bool BodyForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == list1_ || watched == combo1_) && onListKey(watched, event)) return true;
    return QorForm::eventFilter(watched, event);
}

}  // namespace qorvana
