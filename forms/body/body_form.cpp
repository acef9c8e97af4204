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
#include "document/document_kind.h"
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
        vatChooser_->hide();
        onArticTyped(row);
    });
    connect(grid_, &LineGrid::descriptionTyped, this, &BodyForm::onDescriptionTyped);
    connect(grid_, &LineGrid::descriptionLookup, this, &BodyForm::onDescriptionF1);
    connect(grid_, &LineGrid::vatCodeEntered, this, &BodyForm::showVatChooser);
    connect(grid_, &LineGrid::vatChooserKey, this, [this] { vatChooser_->setFocus(); });
    connect(grid_, &LineGrid::linesEdited, this, [this] { recompute(); });

    vatChooser_ = new QComboBox(this);
    vatChooser_->setGeometry(kChooserX, grid_->rowTop(0), kFormWidth - kMargin - kChooserX,
                             kRowHeight);
    vatChooser_->view()->setMinimumWidth(360);  // exemption texts are long
    vatChooser_->hide();
    vatChooser_->installEventFilter(this);
    registerControl("Combo1", vatChooser_);
    connect(vatChooser_, &QComboBox::activated, this, &BodyForm::onVatChosen);

    articleList_ = new QListView(this);
    articleList_->setGeometry(kMargin, 302, kListWidth, 150);
    articleList_->setUniformItemSizes(true);
    // The entries are fixed-width columns.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    articleList_->setFont(fixed);
    articleList_->setEnabled(false);
    articleList_->installEventFilter(this);
    listModel_ = new ArticleListModel(this);
    articleList_->setModel(listModel_);
    registerControl("List1", articleList_);
    connect(articleList_, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (!index.isValid()) return;
        listMatch_ = index.row();
        takeArticle(grid_->currentRow(), listModel_->list().record(index.row()));
    });

    stockLabel_ = new QLabel(this);
    stockLabel_->setGeometry(kMargin, 456, kListWidth, 18);
    stockLabel_->setFont(fixed);
    registerControl("listx", stockLabel_);

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
    taxableTotal_ = total("Imponibile", 0, 0);
    vatTotal_ = total("IVA", 0, 1);
    documentTotal_ = total("Totale", 0, 2);
    totalQuantity_ = total("Quantità", 0, 3);
    withholding_ = total("Ritenuta", 1, 1);
    amountDue_ = total("Da pagare", 1, 2);
    registerControl("tota", taxableTotal_, 0);
    registerControl("tota", documentTotal_, 1);
    registerControl("tota", totalQuantity_, 2);
    registerControl("imposta", vatTotal_);
    registerControl("ritenuta", withholding_);
    registerControl("dovuto", amountDue_);

    constexpr int kChoicesTop = kTotalsTop + 52;
    vatInclusiveBox_ = new QCheckBox(QStringLiteral("Prezzi IVA inclusa"), this);
    vatInclusiveBox_->move(kMargin, kChoicesTop);
    registerControl("scorporo", vatInclusiveBox_);
    connect(vatInclusiveBox_, &QCheckBox::toggled, this, [this] {
        forgetDeletion();
        recompute();
    });
    connect(vatInclusiveBox_, &QCheckBox::clicked, this, &BodyForm::tellPricesReadAgain);
    barcodeEntry_ = new QCheckBox(QStringLiteral("Codice a barre"), this);
    barcodeEntry_->move(kMargin + 200, kChoicesTop);
    registerControl("barcode", barcodeEntry_);
    priceLists_[0] = new QRadioButton(QStringLiteral("Listino 1"), this);
    priceLists_[0]->move(kMargin + 400, kChoicesTop);
    priceLists_[1] = new QRadioButton(QStringLiteral("Listino 2"), this);
    priceLists_[1]->move(kMargin + 520, kChoicesTop);
    priceLists_[0]->setChecked(true);
    registerControl("prezz", priceLists_[0], 0);
    registerControl("prezz", priceLists_[1], 1);
    sendByEmail_ = new QCheckBox(kEmailCaption, this);
    sendByEmail_->move(kMargin + 680, kChoicesTop);
    registerControl("postael", sendByEmail_);

    // Alt + the underlined letter presses a button from the keyboard.
    // The buttons comando(0..7), in this order.
    int index = 0;
    const auto button = [&](const char* caption, auto action) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setGeometry(kMargin + index * 124, kButtonsTop, 120, 26);
        registerControl("comando", b, index++);
        connect(b, &QPushButton::clicked, this, action);
        return b;
    };
    button("&Esci", &BodyForm::leave);
    button("&Conferma", &BodyForm::confirm);
    button("&Inserisci riga", &BodyForm::insertLine);
    button("Cance&lla riga", &BodyForm::deleteLine);
    button("&DDT", [this] { showPicker(form_name::kDeliveryNotePicker, false); });
    button("&Ricevute", [this] { showPicker(form_name::kReceiptPicker, false); });
    button("&Fatture", [this] { showPicker(form_name::kInvoicePicker, false); });
    quoteButton_ = button("Preventivo", [this] { showPicker(form_name::kQuotePicker, true); });

    articleListButton_ = new QPushButton(QStringLiteral("Elenco &articoli"), this);
    articleListButton_->setGeometry(kMargin, kButtonsTop + 32, 120, 26);
    registerControl("command3d3", articleListButton_);
    connect(articleListButton_, &QPushButton::clicked, this, &BodyForm::enableArticleList);
    reorder_ = new QPushButton(QStringLiteral("Ri&ordina"), this);
    reorder_->setGeometry(kMargin + 124, kButtonsTop + 32, 120, 26);
    registerControl("riordina", reorder_);
    connect(reorder_, &QPushButton::clicked, this, &BodyForm::reorderLines);
    // Ctrl+Z, or this button, puts back the line deleted last until the next change.
    restoreLine_ = new QPushButton(QStringLiteral("Ri&pristina riga"), this);
    restoreLine_->setGeometry(kMargin + 2 * 124, kButtonsTop + 32, 120, 26);
    restoreLine_->setToolTip(QStringLiteral("Rimette la riga appena cancellata (Ctrl+Z)"));
    restoreLine_->setEnabled(false);
    registerControl("ripristina", restoreLine_);
    connect(restoreLine_, &QPushButton::clicked, this, &BodyForm::undoDeletion);
    // Ctrl+Z where the focus is on no box of the grid (a box passes it on itself).
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this,
            &BodyForm::undoDeletion);

    picture_ = new QLabel(this);
    picture_->hide();
    registerControl("Picture1", picture_);
}

const VatTable& BodyForm::vatTable() const {
    return SettingsOf(session()).vat;
}

bool BodyForm::vatInclusive() const {
    return vatInclusiveBox_->isChecked();
}
void BodyForm::setVatInclusive(bool on) {
    vatInclusiveBox_->setChecked(on);
}
bool BodyForm::emailRequested() const {
    return sendByEmail_->isChecked();
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
        const QSignalBlocker block(vatChooser_);
        vatChooser_->clear();
        for (const auto& [code, item] : SettingsOf(session()).vat.chooserItems())
            vatChooser_->addItem(Q(item), code);
    }
    quoteButton_->setVisible(print.quotes);
}

void BodyForm::activate() {
    loadOnce();
    Session& s = session();
    if (s.returnPending != 0) return;
    s.returnPending = 1;
    picture_->hide();
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
    const DocumentDraft& draft = forms().draft();
    cliente_->showCustomer(draft.customer);
    forgetDeletion();
    grid_->showFromTop();
    setWindowTitle(DocumentCaption(draft.kind, draft.fpaState));
    vatChooser_->hide();
    agentRecord_.reset();
    setup_ = ReadDocumentSetup(s.files, s.generalSettings, draft.customer.record);
    {
        const QSignalBlocker block(vatInclusiveBox_);
        vatInclusiveBox_->setChecked(setup_.vatInclusive);
    }
    barcodeEntry_->setChecked(setup_.barcode);
    priceLists_[setup_.secondPriceList ? 1 : 0]->setChecked(true);
    proposeEmail();
    stockShown_ = 0;
    stockLabel_->clear();
    recompute();
    grid_->focusCode(0);
    if (!vatTable().loaded)
        Warn(this, QStringLiteral("Manca la tabella dei codici IVA (qorvana.tab) o non si può "
                                  "leggere: i codici IVA non hanno aliquota e il documento non "
                                  "potrà essere confermato con righe soggette a IVA."));
    if (!countReported_) {
        countReported_ = true;
        if (const Status held = ArticleCountHolds(s.files); !held)
            Warn(this, Q(held.message()), MsgIcon::Exclamation);
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
    const DocumentDraft& draft = forms().draft();
    ChargeStampDuty(f, IsCreditNote(draft.kind, draft.panel.documentType), draft.einvoice, money);
    figures_ = f;
    // The figures and the box they were computed with reach the draft together.
    forms().draft().vatInclusive = vatInclusive();
    taxableTotal_->setText(Q(AmountText(money, figures_.taxableTotal)));
    documentTotal_->setText(Q(AmountText(money, figures_.documentTotal)));
    totalQuantity_->setText(Q(QuantityText(figures_.totalQuantity)));
    vatTotal_->setText(Q(AmountText(money, figures_.vatTotal())));
    withholding_->setText(Q(AmountText(money, figures_.withholdingAmount)));
    amountDue_->setText(Q(AmountText(money, AmountDue(forms().draft(), money))));
    grid_->showAmounts();
    writeWeight();
    return true;
}

void BodyForm::proposeEmail() {
    // The PDF copy goes by e-mail: with PDFs switched off there is nothing to send.
    const bool pdfOn = session().runSettings.electronicInvoices;
    sendByEmail_->setEnabled(pdfOn);
    sendByEmail_->setChecked(pdfOn && setup_.customerHasEmail);
    sendByEmail_->setText(pdfOn ? kEmailCaption
                                : kEmailCaption + QStringLiteral(" (PDF non attivi)"));
    sendByEmail_->adjustSize();
    sendByEmail_->setToolTip(pdfOn ? QString()
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
    const QString weight = Q(WeightText(figures_.totalWeight));
    forms().draft().transport.weight = S(weight);
    // The start form's weight box shows it too, as the suite's start form does.
    if (auto* start = forms().get<StartForm>(form_name::kStart)) start->showWeight(weight);
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
    restoreLine_->setEnabled(true);
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
    restoreLine_->setEnabled(false);
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
    articleList_->setEnabled(true);
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
    articleList_->setCurrentIndex(index);
    articleList_->scrollTo(index, QAbstractItemView::PositionAtTop);
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
    t.secondPriceList = priceLists_[1]->isChecked();
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
    if (searching_ || !articleList_->isEnabled()) return;
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
    if (!barcodeEntry_->isChecked()) {
        // A code is looked up in the article list: built now when it was not yet.
        if (!articleList_->isEnabled() && !switchArticleListOn()) return;
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
    if (!articleList_->isEnabled()) return;
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
    if (searching_ || !articleList_->isEnabled() ||
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
        const QSignalBlocker block(vatChooser_);
        vatChooser_->setCurrentIndex(vatChooser_->findData(int(lines_[line].vatCode)));
    }
    vatChooser_->move(vatChooser_->x(), grid_->rowTop(row));
    vatChooser_->show();
    vatChooser_->raise();
    showStock(lines_[line].articleRecord);
}

void BodyForm::onVatChosen(int index) {
    if (index < 0 || !vatChooser_->isVisible()) return;
    const int row = grid_->currentRow();
    forgetDeletion();
    lines_[grid_->lineOfRow(row)].vatCode =
        static_cast<std::int16_t>(vatChooser_->itemData(index).toInt());
    grid_->showVatCode(row);
    recompute();
}

void BodyForm::showStock(int article) {
    if (article <= 0 || article == stockShown_) return;
    try {
        stockLabel_->setText(Q(ReadStockLabel(session().files, article)));
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
    if (watched == vatChooser_) {
        grid_->focusVatCode(grid_->currentRow());
        return true;
    }
    if (key == Qt::Key_Escape) return false;
    const QModelIndex index = articleList_->currentIndex();
    if (index.isValid()) {
        listMatch_ = index.row();
        takeArticle(grid_->currentRow(), listModel_->list().record(index.row()));
    }
    return true;
}

bool BodyForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == articleList_ || watched == vatChooser_) && onListKey(watched, event))
        return true;
    return QorForm::eventFilter(watched, event);
}

}  // namespace qorvana
