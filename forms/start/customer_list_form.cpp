#include "forms/start/customer_list_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "core/general_settings_record.h"
#include "core/session.h"
#include "customers/customer_index.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/qt_text.h"
#include "forms/common/settings_colour.h"
#include "forms/common/work_progress.h"
#include "forms/start/customer_list_model.h"
#include "forms/start/start_form.h"

namespace qorvana {
namespace {

// Column widths in twips (column 4 takes the rest, column 5 lies beyond the visible width).
constexpr int kTwipsPerPixel = 15;
constexpr int kColumnTwips[4] = {3700, 3000, 3000, 3000};
constexpr int kColumn4Pixels = 180;
// The column buttons' captions, with the letter that sorts by that column from the keyboard.
const char* const kSortCaptions[5] = {"&Nominativo", "", "In&dirizzo", "Ci&ttà", "&Partita iva"};

}  // namespace

CustomerListForm::CustomerListForm(Session& session, FormSet& forms)
    : QorForm(QString(form_name::kCustomerList), session, forms) {
    setWindowTitle(QStringLiteral("Elenco clienti"));
    auto* background = new QLabel(this);
    registerControl(QStringLiteral("xsfondo"), background);

    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    selnome_ = new QLineEdit;
    selnome_->setReadOnly(true);
    selnome_->setFocusPolicy(Qt::NoFocus);
    auto* filterLabel = new QLabel(QStringLiteral("Filtro:"));
    top->addWidget(filterLabel);
    top->addWidget(selnome_, 1);
    ricerca_ = new QLineEdit;
    ricerca_->setPlaceholderText(QStringLiteral("nome, città o partita iva"));
    ricerca_->setToolTip(
        QStringLiteral("Restringe l'elenco ai clienti il cui nome, città o "
                       "partita iva contiene il testo; Giù o Invio passa "
                       "all'elenco"));
    auto* searchLabel = new QLabel(QStringLiteral("&Ricerca:"));
    searchLabel->setBuddy(ricerca_);
    top->addWidget(searchLabel);
    top->addWidget(ricerca_, 1);
    registerControl(QStringLiteral("ricerca"), ricerca_);
    connect(ricerca_, &QLineEdit::textEdited, this, &CustomerListForm::narrow);
    indice_ = new QPushButton(QStringLiteral("&Indice"));
    indice_->setAutoDefault(true);  // Enter presses it, as Space does
    indice_->setToolTip(QStringLiteral("Chiude l'elenco senza scegliere"));
    top->addWidget(indice_);
    column->addLayout(top);
    registerControl(QStringLiteral("selnome"), selnome_);
    registerControl(QStringLiteral("indice"), indice_);

    // The column buttons stand for the grid's header row and sort by their column.
    auto* headers = new QHBoxLayout;
    headers->setSpacing(0);
    for (int c = 0; c < 5; ++c) {
        sortButtons_[c] = new QPushButton;
        sortButtons_[c]->setFocusPolicy(Qt::NoFocus);
        sortButtons_[c]->setToolTip(QStringLiteral("Ordina per questa colonna"));
        registerControl(QStringLiteral("srx"), sortButtons_[c], c);
        headers->addWidget(sortButtons_[c]);
        connect(sortButtons_[c], &QPushButton::clicked, this, [this, c] { sortBy(c); });
    }
    headers->addStretch(1);
    column->addLayout(headers);

    model_ = new CustomerListModel(this);
    elenco_ = new QTableView;
    elenco_->setModel(model_);
    elenco_->horizontalHeader()->hide();
    elenco_->verticalHeader()->hide();
    elenco_->verticalHeader()->setDefaultSectionSize(22);
    elenco_->setSelectionBehavior(QAbstractItemView::SelectRows);
    elenco_->setSelectionMode(QAbstractItemView::SingleSelection);
    elenco_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    elenco_->setWordWrap(false);
    elenco_->setTabKeyNavigation(false);  // Tab leaves the grid for the Indice button
    for (int c = 0; c < 4; ++c) elenco_->setColumnWidth(c, kColumnTwips[c] / kTwipsPerPixel);
    elenco_->setColumnWidth(4, kColumn4Pixels);
    // Column 5 (the record number) lies beyond the visible width; column 4 takes the rest.
    elenco_->setColumnHidden(5, true);
    elenco_->horizontalHeader()->setStretchLastSection(true);
    elenco_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(elenco_->horizontalHeader(), &QHeaderView::sectionResized, this,
            &CustomerListForm::placeHeaderButtons);
    column->addWidget(elenco_, 1);
    registerControl(QStringLiteral("elenco"), elenco_);
    for (int c = 0; c < 5; ++c) sortButtons_[c]->setText(QString::fromUtf8(kSortCaptions[c]));
    elenco_->viewport()->installEventFilter(this);
    ricerca_->installEventFilter(this);
    placeHeaderButtons();

    auto* help = new QLabel(
        QStringLiteral("Invio o doppio clic sceglie il cliente; Esc o Indice chiude l'elenco."));
    column->addWidget(help);

    connect(elenco_, &QTableView::activated, this, &CustomerListForm::pick);
    connect(indice_, &QPushButton::clicked, this, &CustomerListForm::closeWithoutChoice);
    resize(1080, 680);
}

void CustomerListForm::placeHeaderButtons() {
    // The buttons take the grid's column widths; the first and the last also cover the grid's
    // borders, and the last reaches the grid's right edge as its column does.
    const int border = elenco_->frameWidth();
    for (int c = 0; c < 4; ++c)
        sortButtons_[c]->setFixedWidth(elenco_->columnWidth(c) + (c == 0 ? border : 0));
    const int rest = elenco_->viewport()->width() - elenco_->columnViewportPosition(4);
    sortButtons_[4]->setFixedWidth(std::max(rest, 0) + border);
}

bool CustomerListForm::eventFilter(QObject* watched, QEvent* event) {
    // The grid's visible width changes with the window and with its vertical scroll bar.
    if (watched == elenco_->viewport() && event->type() == QEvent::Resize) placeHeaderButtons();
    // Down or Enter in the search box goes on to the rows, the first one current.
    if (watched == ricerca_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            elenco_->setFocus();
            elenco_->setCurrentIndex(model_->index(0, 0));
            return true;
        }
    }
    return QorForm::eventFilter(watched, event);
}

void CustomerListForm::showEvent(QShowEvent* event) {
    CentreOnScreen(this);
    QorForm::showEvent(event);
}

void CustomerListForm::activate() {
    ricerca_->clear();
    try {
        fillGrid();
    } catch (const RecordIoError& e) {
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
    }
    elenco_->setFocus();
    if (model_->rowCount() > 0) elenco_->setCurrentIndex(model_->index(0, 0));
}

void CustomerListForm::fillGrid() {
    const CustomerIndex index(session().files);
    {
        WorkProgress progress(this, QStringLiteral("Lettura dei clienti..."));
        model_->setRows(index.list(selnome_->text().toStdString(), progress.report()));
    }
    model_->narrow(S(ricerca_->text()));
    listedRows_ = model_->listedRows();
    session().rowCount = listedRows_;
    colourRows();
}

void CustomerListForm::narrow(const QString& text) {
    model_->narrow(S(text));
    listedRows_ = model_->listedRows();
    colourRows();
}

void CustomerListForm::colourRows() {
    const auto& settings = session().generalSettings;
    const bool alternate = settings.text(gnr::kAlternateRows) == "1";
    model_->setRowColours(alternate, SettingsColour(settings.dbl(gnr::kRowColour1)),
                          SettingsColour(settings.dbl(gnr::kRowColour2)));
}

void CustomerListForm::sortBy(int column) {
    // Only the customers listed take part; the filler rows stay empty at the end.
    model_->sortListed(column);
    colourRows();
}

void CustomerListForm::pick(const QModelIndex& index) {
    const CustomerListRow* row = model_->customerAt(index.row());
    if (!row || row->record <= 0) return;  // a filler row
    const QString name = index.siblingAtColumn(0).data().toString();
    selnome_->setText(name);
    if (auto* start = forms().get<StartForm>(QString(form_name::kStart))) {
        start->setSearchName(name.trimmed());
        start->setChosenCustomer(row->record);
    }
    session().customerListMode = CustomerListMode::CustomerChosen;
    backToStart();
}

void CustomerListForm::setFilter(const QString& text) {
    selnome_->setText(text);
}

void CustomerListForm::closeWithoutChoice() {
    if (auto* start = forms().get<StartForm>(QString(form_name::kStart)))
        start->setSearchName(QString());
    session().customerListMode = CustomerListMode::Closed;
    backToStart();
}

void CustomerListForm::closeEvent(QCloseEvent* event) {
    // The close box dismisses the list like `indice`.
    event->ignore();
    closeWithoutChoice();
}

void CustomerListForm::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        closeWithoutChoice();
        return;
    }
    QorForm::keyPressEvent(event);
}

void CustomerListForm::backToStart() {
    model_->setRows({});
    forms().handOver(this, QString(form_name::kStart));
}

}  // namespace qorvana
