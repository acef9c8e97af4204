#include "forms/body/body_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "core/numbers.h"
#include "core/session.h"
#include "core/settings.h"
#include "core/tab_file.h"
#include "forms/body/article_list_model.h"
#include "forms/body/import_cycle_form.h"
#include "forms/common/document_caption.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/typed_number_boxes.h"
#include "forms/common/wait_cursor.h"
#include "forms/start/start_form.h"
#include "print/print_settings.h"

namespace qorvana {
namespace {

constexpr int kFirstOffset = 1;   // row 0 shows line 1
constexpr int kLastOffset = 489;  // row 11 shows line 500
constexpr int kEnterScrollLimit = 490;
constexpr int kRowTop = 32;
constexpr int kRowHeight = 20;
constexpr int kFormWidth = 1000;
constexpr int kMargin = 8;
constexpr int kInnerWidth = kFormWidth - 2 * kMargin;

// The grid's columns: heading, left edge, width. The VAT chooser opens beside the grid.
struct GridColumn {
    const char* heading;
    int x;
    int width;
};
constexpr GridColumn kArtic{"Codice", 8, 120};
constexpr GridColumn kDs{"Descrizione", 130, 282};
constexpr GridColumn kUm{"UM", 414, 30};
constexpr GridColumn kQuantita{"Quantità", 446, 80};
constexpr GridColumn kSc1{"Sc.1", 528, 40};
constexpr GridColumn kSc2{"Sc.2", 570, 40};
constexpr GridColumn kPrezzo{"Prezzo", 612, 90};
constexpr GridColumn kCiv{"Iva", 704, 30};
constexpr int kScrollX = 736;
constexpr int kChooserX = 758;

const char* const kNotFound = "Articolo non esistente";

// Quantity, price and discounts as the rows show them: plain decimal text, empty for 0.
QString NumberBox(double v) {
    return v == 0 ? QString() : Q(PlainNumberText(v));
}
QString VatBox(int code) {
    return code == 0 ? QString() : QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
}

}  // namespace

BodyForm::BodyForm(Session& session, FormSet& forms)
    : QorForm(form_name::kBody, session, forms),
      lines_(forms.draft().lines),
      figures_(forms.draft().figures),
      cycle_(session, forms, *this),
      numbers_(new TypedNumberBoxes(this)) {
    setWindowTitle(DocumentCaption(DocumentKind::Invoice, kFpaOrdinary));
    buildControls();
    resize(kFormWidth, 590);
    CentreOnScreen(this);
}

QLineEdit* BodyForm::addBox(const QString& name, int row, int x, int width, int maxLength) {
    auto* box = new QLineEdit(this);
    box->setGeometry(x, kRowTop + row * kRowHeight, width, kRowHeight);
    box->setMaxLength(maxLength);
    box->setProperty("row", row);
    box->installEventFilter(this);
    registerControl(name, box, row);
    return box;
}

void BodyForm::buildControls() {
    for (const GridColumn& c : {kArtic, kDs, kUm, kQuantita, kSc1, kSc2, kPrezzo, kCiv}) {
        auto* l = new QLabel(QString::fromUtf8(c.heading), this);
        l->move(c.x, kRowTop - 18);
    }
    for (int r = 0; r < kRows; ++r) {
        artic_[r] = addBox("artic", r, kArtic.x, kArtic.width, 15);
        ds_[r] = addBox("ds", r, kDs.x, kDs.width, 60);
        um_[r] = addBox("um", r, kUm.x, kUm.width, 2);
        quantita_[r] = addBox("quantita", r, kQuantita.x, kQuantita.width, 15);
        sc1_[r] = addBox("sc1", r, kSc1.x, kSc1.width, 6);
        sc2_[r] = addBox("sc2", r, kSc2.x, kSc2.width, 6);
        prezzo_[r] = addBox("prezzo", r, kPrezzo.x, kPrezzo.width, 15);
        civ_[r] = addBox("civ", r, kCiv.x, kCiv.width, 2);
        civ_[r]->setReadOnly(true);
        for (QLineEdit* number : {quantita_[r], sc1_[r], sc2_[r], prezzo_[r]}) {
            number->setAlignment(Qt::AlignRight);
            // Left, the box shows what its line took from the typed text.
            numbers_->add(number,
                          [this, number, r](double) { return NumberBox(lineValue(number, r)); });
        }
        civ_[r]->setAlignment(Qt::AlignCenter);

        connect(ds_[r], &QLineEdit::textChanged, this, [this, r] {
            onTextChanged(ds_[r], r);
            onDescriptionTyped(r);
        });
        connect(um_[r], &QLineEdit::textChanged, this, [this, r] { onTextChanged(um_[r], r); });
        connect(artic_[r], &QLineEdit::textChanged, this, [this, r] { onArticTyped(r); });
        connect(quantita_[r], &QLineEdit::textChanged, this,
                [this, r] { onNumberChanged(quantita_[r], r); });
        connect(prezzo_[r], &QLineEdit::textChanged, this,
                [this, r] { onNumberChanged(prezzo_[r], r); });
        connect(sc1_[r], &QLineEdit::textChanged, this,
                [this, r] { onDiscountChanged(sc1_[r], r, 1); });
        connect(sc2_[r], &QLineEdit::textChanged, this,
                [this, r] { onDiscountChanged(sc2_[r], r, 2); });
    }

    vscroll_ = new QScrollBar(Qt::Vertical, this);
    vscroll_->setGeometry(kScrollX, kRowTop, 16, kRows * kRowHeight);
    vscroll_->setRange(kFirstOffset, kLastOffset);
    vscroll_->setPageStep(kRows);
    registerControl("VScroll1", vscroll_);
    connect(vscroll_, &QScrollBar::valueChanged, this, [this] { refreshRows(); });

    combo1_ = new QComboBox(this);
    combo1_->setGeometry(kChooserX, kRowTop, kFormWidth - kMargin - kChooserX, kRowHeight);
    combo1_->view()->setMinimumWidth(360);  // exemption texts are long
    combo1_->hide();
    combo1_->installEventFilter(this);
    registerControl("Combo1", combo1_);
    connect(combo1_, &QComboBox::activated, this, &BodyForm::onVatChosen);

    list1_ = new QListView(this);
    list1_->setGeometry(kMargin, 280, kInnerWidth, 150);
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
        takeArticle(currentRow_, listModel_->list().at(index.row()).record);
    });

    listx_ = new QLabel(this);
    listx_->setGeometry(kMargin, 434, kInnerWidth, 18);
    listx_->setFont(fixed);
    registerControl("listx", listx_);

    const char* totalCaptions[] = {"Imponibile", "Totale", "Quantità"};
    for (int i = 0; i < 3; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(totalCaptions[i]), this);
        caption->move(kMargin + i * 250, 458);
        tota_[i] = new QLabel(this);
        tota_[i]->setGeometry(kMargin + 80 + i * 250, 456, 130, 20);
        tota_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        registerControl("tota", tota_[i], i);
    }

    scorporo_ = new QCheckBox(QStringLiteral("Prezzi IVA inclusa"), this);
    scorporo_->move(kMargin, 484);
    registerControl("scorporo", scorporo_);
    connect(scorporo_, &QCheckBox::toggled, this, [this] { recompute(); });
    barcode_ = new QCheckBox(QStringLiteral("Codice a barre"), this);
    barcode_->move(kMargin + 200, 484);
    registerControl("barcode", barcode_);
    prezz_[0] = new QRadioButton(QStringLiteral("Listino 1"), this);
    prezz_[0]->move(kMargin + 400, 484);
    prezz_[1] = new QRadioButton(QStringLiteral("Listino 2"), this);
    prezz_[1]->move(kMargin + 520, 484);
    prezz_[0]->setChecked(true);
    registerControl("prezz", prezz_[0], 0);
    registerControl("prezz", prezz_[1], 1);
    postael_ = new QCheckBox(QStringLiteral("Invia per posta elettronica"), this);
    postael_->move(kMargin + 680, 484);
    registerControl("postael", postael_);

    // Alt + the underlined letter presses a button from the keyboard.
    const char* buttons[] = {"&Esci", "&Conferma", "&Inserisci riga", "Cance&lla riga",
                             "&DDT",  "&Ricevute", "&Fatture",        "Preventivo"};
    for (int i = 0; i < 8; ++i) {
        comando_[i] = new QPushButton(QString::fromUtf8(buttons[i]), this);
        comando_[i]->setGeometry(kMargin + i * 124, 520, 120, 26);
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
    command3d3_->setGeometry(kMargin, 552, 120, 26);
    registerControl("command3d3", command3d3_);
    connect(command3d3_, &QPushButton::clicked, this, &BodyForm::enableArticleList);
    riordina_ = new QPushButton(QStringLiteral("Ri&ordina"), this);
    riordina_->setGeometry(kMargin + 124, 552, 120, 26);
    registerControl("riordina", riordina_);
    connect(riordina_, &QPushButton::clicked, this, &BodyForm::reorderLines);

    picture1_ = new QLabel(this);
    picture1_->hide();
    registerControl("Picture1", picture1_);
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
int BodyForm::lineOfRow(int row) const {
    return row + vscroll_->value();
}

void BodyForm::loadOnce() {
    if (loaded_) return;
    loaded_ = true;
    std::vector<std::string> problems = RefreshSharedSettings(session());
    printSettings_ =
        LoadPrintSettings(session(), TabFile::Load(session().companyFile("qorvana.tab")));
    problems.insert(problems.end(), printSettings_.problems.begin(), printSettings_.problems.end());
    WarnOnce(this, problems, session().toldProblems);
    if (!printSettings_.pdfFolderWarning.empty())
        Warn(this, Q(printSettings_.pdfFolderWarning), MsgIcon::Exclamation);
    {
        const QSignalBlocker block(combo1_);
        combo1_->clear();
        for (const auto& [code, item] : printSettings_.vat.chooserItems())
            combo1_->addItem(Q(item), code);
    }
    comando_[7]->setVisible(printSettings_.quotes);
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
    recompute();
    // The last line shows in the next-to-last row, the empty line after it below.
    const int last = lines_.lastUsed();
    {
        const QSignalBlocker block(vscroll_);
        vscroll_->setValue(std::clamp(last - (kRows - 2), kFirstOffset, kLastOffset));
    }
    refreshRows();
    currentRow_ = std::clamp(last + 1 - vscroll_->value(), 0, kRows - 1);
    artic_[currentRow_]->setFocus();
}

void BodyForm::startNewDocument() {
    Session& s = session();
    forms().draft().clear();
    {
        const QSignalBlocker block(vscroll_);
        vscroll_->setValue(kFirstOffset);
    }
    refreshRows();
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
    postael_->setEnabled(true);
    stockShown_ = 0;
    listx_->clear();
    recompute();
    currentRow_ = 0;
    artic_[0]->setFocus();
    if (!printSettings_.vat.loaded)
        Warn(this, QStringLiteral("Manca la tabella dei codici IVA (qorvana.tab) o non si può "
                                  "leggere: i codici IVA non hanno aliquota e il documento non "
                                  "potrà essere confermato con righe soggette a IVA."));
    if (!countReported_) {
        countReported_ = true;
        if (const auto problem = ArticleCountProblem(s.files))
            Warn(this, Q(*problem), MsgIcon::Exclamation);
    }
}

void BodyForm::refreshRows() {
    refreshing_ = true;
    // A box not being typed in shows the start of its text, as a long description needs.
    const auto show = [](QLineEdit* box, const QString& text) {
        box->setText(text);
        if (!box->hasFocus()) box->setCursorPosition(0);
    };
    const int offset = vscroll_->value();
    for (int r = 0; r < kRows; ++r) {
        const DocumentLine& line = lines_[r + offset];
        show(artic_[r], Q(line.code).trimmed());
        show(ds_[r], Q(line.description).trimmed());
        show(um_[r], Q(line.unit).trimmed());
        show(quantita_[r], NumberBox(line.quantity));
        show(prezzo_[r], NumberBox(line.unitPrice));
        show(sc1_[r], NumberBox(line.discount1));
        show(sc2_[r], NumberBox(line.discount2));
        show(civ_[r], VatBox(line.vatCode));
    }
    refreshing_ = false;
}

bool BodyForm::recompute() {
    const Money money = session().money();
    DocumentFigures f = RecomputeDocument(lines_, printSettings_.vat, vatInclusive(), money);
    if (!f.finite()) {
        Warn(this, QStringLiteral("Importi fuori dai limiti: controllare quantità e prezzi."));
        return false;
    }
    figures_ = f;
    // The figures and the box they were computed with reach the draft together.
    forms().draft().vatInclusive = vatInclusive();
    tota_[0]->setText(Q(AmountText(money, figures_.taxableTotal)));
    tota_[1]->setText(Q(AmountText(money, figures_.documentTotal)));
    tota_[2]->setText(Q(QuantityText(figures_.totalQuantity)));
    writeWeight();
    return true;
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
    if (!numbers_->commitFocused()) return;
    try {
        if (!recompute()) return;
        if (const int n = FirstLineWithoutRate(lines_, printSettings_.vat)) {
            Warn(this, QStringLiteral("La riga %1 ha il codice IVA %2, che non ha un'aliquota "
                                      "nella tabella IVA (qorvana.tab): scegliere un altro "
                                      "codice.")
                           .arg(n)
                           .arg(VatBox(NormalisedVatCode(lines_[n].vatCode))));
            return;
        }
        const Money money = session().money();
        if (figures_.zeroTotal(money)) {
            Warn(this, QStringLiteral("Il totale del documento è pari a zero!"));
            return;
        }
        agentRecord_.reset();
        if (printSettings_.agents)
            agentRecord_ = FindAgentRecord(session().files, setup_.customerAgentCode);
        session().returnPending = 0;
        forms().handOver(this, form_name::kHeader);
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura dei dati: %1").arg(e.what()));
    }
}

void BodyForm::insertLine() {
    if (!lines_.insertAt(lineOfRow(currentRow_))) {
        Warn(this, QStringLiteral("Il documento ha già 500 righe"));
        return;
    }
    refreshRows();
    recompute();
    artic_[currentRow_]->setFocus();
}

void BodyForm::deleteLine() {
    lines_.removeAt(lineOfRow(currentRow_));
    refreshRows();
    recompute();
    artic_[currentRow_]->setFocus();
}

void BodyForm::reorderLines() {
    lines_.reorder();
    refreshRows();
    artic_[currentRow_]->setFocus();
}

void BodyForm::enableArticleList() {
    if (!buildArticleList(ArticleListForm::CodeFirst)) return;
    list1_->setEnabled(true);
    artic_[currentRow_]->setFocus();
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
    try {
        const auto record = ReadLiveArticle(session().files, article);
        if (!record) {
            Warn(this, kNotFound);
            artic_[row]->setFocus();
            return false;
        }
        const int line = lineOfRow(row);
        TakeArticle(lines_[line], *record, article, articleTerms(), printSettings_.vat,
                    session().money());
        const auto extra = session().files.read<ExtraDescriptionsFile>(article);
        const int lost = WriteExtendedDescription(lines_, line, extra);
        refreshRows();
        recompute();
        if (lost > 0)
            Warn(this, QStringLiteral("Righe di descrizione oltre la 500 non inserite"),
                 MsgIcon::Exclamation);
        quantita_[row]->setFocus();
        return true;
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura dell'articolo: %1").arg(e.what()));
        return false;
    }
}

void BodyForm::onArticTyped(int row) {
    if (refreshing_ || searching_ || !list1_->isEnabled()) return;
    searching_ = true;
    listMatch_ = listModel_->list().findCode(S(artic_[row]->text()));
    if (listMatch_) selectListEntry(*listMatch_);
    searching_ = false;
}

void BodyForm::onArticEnter(int row) {
    const std::string code = S(artic_[row]->text().trimmed().toUpper());
    if (code.empty()) {
        ds_[row]->setFocus();
        return;
    }
    if (!barcode_->isChecked()) {
        onArticTyped(row);
        if (!list1_->isEnabled() || !listMatch_) {
            Warn(this, kNotFound);
            artic_[row]->setFocus();
            return;
        }
        takeArticle(row, listModel_->list().at(*listMatch_).record);
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
        artic_[row]->setFocus();
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
    const auto match = listModel_->list().findDescription(S(ds_[row]->text()));
    if (!match) return;
    listMatch_ = match;
    selectListEntry(*match);
    takeArticle(row, listModel_->list().at(*match).record);
}

// With the description-first list, typing a description selects its first entry, as typing
// a code does.
void BodyForm::onDescriptionTyped(int row) {
    if (refreshing_ || searching_ || !list1_->isEnabled() ||
        listModel_->list().form() != ArticleListForm::DescriptionFirst)
        return;
    searching_ = true;
    if (const auto match = listModel_->list().findDescription(S(ds_[row]->text())))
        selectListEntry(*match);
    searching_ = false;
}

void BodyForm::onEnterMove(QLineEdit* box, int row) {
    if (box == ds_[row]) {
        um_[row]->setFocus();
    } else if (box == um_[row]) {
        quantita_[row]->setFocus();
    } else if (box == quantita_[row]) {
        sc1_[row]->setFocus();
    } else if (box == sc1_[row]) {
        sc2_[row]->setFocus();
    } else if (box == sc2_[row]) {
        prezzo_[row]->setFocus();
    } else if (box == prezzo_[row]) {
        if (row < kRows - 1) {
            artic_[row + 1]->setFocus();
        } else if (lineOfRow(row) < kEnterScrollLimit) {
            vscroll_->setValue(vscroll_->value() + 1);
            artic_[row]->setFocus();
        }
    }
}

void BodyForm::onTextChanged(QLineEdit* box, int row) {
    if (refreshing_) return;
    DocumentLine& line = lines_[lineOfRow(row)];
    (box == ds_[row] ? line.description : line.unit) = S(box->text());
}

double BodyForm::lineValue(const QLineEdit* box, int row) const {
    const DocumentLine& line = lines_[lineOfRow(row)];
    if (box == quantita_[row]) return line.quantity;
    if (box == prezzo_[row]) return line.unitPrice;
    return box == sc1_[row] ? line.discount1 : line.discount2;
}

void BodyForm::onNumberChanged(QLineEdit* box, int row) {
    if (refreshing_) return;
    DocumentLine& line = lines_[lineOfRow(row)];
    // A text that is no number yet ("1.234.") is read once the box is left.
    const TypedNumber typed = ReadTypedNumber(S(box->text()));
    if (typed.fault == NumberFault::Malformed) return;
    if (!typed.ok()) {
        // The box keeps the value the line holds.
        refreshing_ = true;
        box->setText(NumberBox(lineValue(box, row)));
        refreshing_ = false;
        Warn(this, Q(TypedNumberRefusal("", typed.fault)));
        return;
    }
    const double value = typed.value;
    if (box == quantita_[row]) {
        line.quantity = value;
    } else {
        line.unitPrice = value;
        if (value != 0 && line.vatCode == 0) {
            line.vatCode = static_cast<std::int16_t>(FallbackVatCode(articleTerms()));
            refreshing_ = true;
            civ_[row]->setText(VatBox(line.vatCode));
            refreshing_ = false;
        }
    }
    recompute();
}

void BodyForm::onDiscountChanged(QLineEdit* box, int row, int which) {
    if (refreshing_) return;
    DocumentLine& line = lines_[lineOfRow(row)];
    std::int16_t& discount = which == 1 ? line.discount1 : line.discount2;
    // A typed fraction is rounded; the box shows the whole percent once it is left.
    const TypedDiscount typed = ParseDiscount(S(box->text()));
    if (typed.fault == DiscountFault::Malformed) return;  // read once the box is left
    if (typed.fault != DiscountFault::None) {
        // The box keeps the value the line holds.
        refreshing_ = true;
        box->setText(NumberBox(discount));
        refreshing_ = false;
        Warn(this, typed.fault == DiscountFault::BeyondNumbers
                       ? Q(TypedNumberRefusal("", NumberFault::BeyondNumbers))
                   : typed.fault == DiscountFault::AboveHundred
                       ? QStringLiteral("Sconto non valido: il valore non può superare 100")
                       : QStringLiteral("Sconto non valido: il valore deve essere tra -32768 e "
                                        "32767"));
        return;
    }
    discount = typed.percent;
    recompute();
}

void BodyForm::showVatChooser(int row) {
    currentRow_ = row;
    {
        // The chooser opens on the line's own code.
        const QSignalBlocker block(combo1_);
        combo1_->setCurrentIndex(combo1_->findData(int(lines_[lineOfRow(row)].vatCode)));
    }
    combo1_->move(combo1_->x(), kRowTop + row * kRowHeight);
    combo1_->show();
    combo1_->raise();
    showStock(lines_[lineOfRow(row)].articleRecord);
}

void BodyForm::onVatChosen(int index) {
    if (index < 0 || !combo1_->isVisible()) return;
    DocumentLine& line = lines_[lineOfRow(currentRow_)];
    line.vatCode = static_cast<std::int16_t>(combo1_->itemData(index).toInt());
    refreshing_ = true;
    civ_[currentRow_]->setText(VatBox(line.vatCode));
    refreshing_ = false;
    recompute();
}

void BodyForm::showStock(int article) {
    if (article <= 0 || article == stockShown_) return;
    try {
        const auto record = session().files.read<ArticlesFile>(article);
        listx_->setText(Q(StockLabelText(record, article)));
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
        civ_[currentRow_]->setFocus();
        return true;
    }
    if (key == Qt::Key_Escape) return false;
    const QModelIndex index = list1_->currentIndex();
    if (index.isValid()) {
        listMatch_ = index.row();
        takeArticle(currentRow_, listModel_->list().at(index.row()).record);
    }
    return true;
}

bool BodyForm::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == list1_ || watched == combo1_) && onListKey(watched, event)) return true;
    auto* box = qobject_cast<QLineEdit*>(watched);
    const QVariant rowProperty = box ? box->property("row") : QVariant();
    if (!rowProperty.isValid()) return QorForm::eventFilter(watched, event);
    const int r = rowProperty.toInt();

    switch (event->type()) {
        case QEvent::FocusIn:
            currentRow_ = r;
            if (box == artic_[r]) {
                combo1_->hide();
                onArticTyped(r);
            } else if (box == civ_[r]) {
                showVatChooser(r);
            }
            break;
        case QEvent::MouseButtonPress:
            if (box == civ_[r]) showVatChooser(r);
            break;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (box == artic_[r])
                    onArticEnter(r);
                else
                    onEnterMove(box, r);
                return true;
            }
            if (key->key() == Qt::Key_F1 && box == ds_[r]) {
                onDescriptionF1(r);
                return true;
            }
            // The VAT chooser from the keyboard: its arrows then choose the code.
            if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_F4) && box == civ_[r]) {
                combo1_->setFocus();
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QorForm::eventFilter(watched, event);
}

}  // namespace qorvana
