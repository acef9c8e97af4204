#include "forms/pickers/picker_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include "core/general_settings_record.h"
#include "core/numbers.h"
#include "core/session.h"
#include "core/text.h"
#include "forms/common/customer_label.h"
#include "forms/common/form_names.h"
#include "forms/common/message_box.h"
#include "forms/common/settings_colour.h"
#include "forms/common/wait_cursor.h"
#include "forms/pickers/picker_model.h"

namespace qorvana {
namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kGridTwips = 9000;
constexpr int kNarrowTwips = 1500;
constexpr int kRowPixels = 20;

struct KindText {
    const char* form;
    const char* title;
    ReturnAction action;  // handed to the body form
};
constexpr KindText kKinds[4] = {
    {form_name::kDeliveryNotePicker, "Scelta documenti di trasporto",
     ReturnAction::ImportDeliveryNotes},
    {form_name::kReceiptPicker, "Scelta ricevute fiscali", ReturnAction::ImportReceipts},
    {form_name::kInvoicePicker, "Scelta fattura da riemettere", ReturnAction::ImportInvoice},
    {form_name::kQuotePicker, "Scelta preventivo", ReturnAction::ImportQuote}};

const KindText& TextOf(SourceKind kind) {
    return kKinds[static_cast<int>(kind)];
}

}  // namespace

PickerForm::PickerForm(SourceKind kind, Session& session, FormSet& forms)
    : QorForm(QString::fromLatin1(TextOf(kind).form), session, forms), kind_(kind) {
    setWindowTitle(QString::fromUtf8(TextOf(kind).title));
    auto* column = new QVBoxLayout(this);
    // Whose document the sources are taken into (the invoice picker lists every customer's).
    cliente_ = new CustomerLabel;
    column->addWidget(cliente_);
    registerControl(QStringLiteral("cliente"), cliente_);

    model_ = new PickerModel(kind, this);
    elenco_ = new QTableView;
    elenco_->setModel(model_);
    elenco_->verticalHeader()->hide();
    elenco_->verticalHeader()->setDefaultSectionSize(kRowPixels);
    elenco_->setSelectionBehavior(QAbstractItemView::SelectRows);
    elenco_->setSelectionMode(QAbstractItemView::SingleSelection);
    elenco_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    elenco_->setWordWrap(false);
    elenco_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    elenco_->horizontalHeader()->setSectionsClickable(false);
    // Columns as twips of a 9000-twip grid; the wide column takes the rest less a margin.
    const bool multi = IsMultiChoice(kind);
    const int wide = (kGridTwips - (multi ? 320 : 340) - 2 * kNarrowTwips) / kTwipsPerPixel;
    const int narrow = kNarrowTwips / kTwipsPerPixel;
    const int wideColumn = multi ? 0 : 2;
    for (int c = 0; c < 3; ++c) elenco_->setColumnWidth(c, c == wideColumn ? wide : narrow);
    // The serial and record-number columns are read by the import, never shown.
    for (int c = 3; c < model_->columnCount(); ++c) elenco_->setColumnHidden(c, true);
    // The grid shows its 27 data rows whole, so that empty rows fill its area.
    elenco_->setFixedSize(kGridTwips / kTwipsPerPixel,
                          elenco_->horizontalHeader()->sizeHint().height() +
                              (PickerModel::kMinimumRows - 1) * kRowPixels +
                              2 * elenco_->frameWidth());
    column->addWidget(elenco_, 1);
    registerControl(QStringLiteral("elenco"), elenco_);
    connect(elenco_, &QTableView::activated, this, &PickerForm::onRow);

    auto* buttons = new QHBoxLayout;
    if (multi) {
        ragg_ = new QCheckBox(QStringLiteral("Raggruppa gli articoli uguali"));
        registerControl(QStringLiteral("ragg"), ragg_);
        column->addWidget(ragg_);
        const char* const captions[3] = {"&Conferma", "&Nessuno", "&Tutti"};
        for (int i = 0; i < 3; ++i) {
            auto* b = new QPushButton(QString::fromUtf8(captions[i]));
            registerControl(QStringLiteral("bottone"), b, i);
            buttons->addWidget(b);
        }
        connect(qobject_cast<QPushButton*>(control(QStringLiteral("bottone"), 0)),
                &QPushButton::clicked, this, &PickerForm::confirm);
        connect(qobject_cast<QPushButton*>(control(QStringLiteral("bottone"), 1)),
                &QPushButton::clicked, this, [this] { model_->markAll(kNo); });
        connect(qobject_cast<QPushButton*>(control(QStringLiteral("bottone"), 2)),
                &QPushButton::clicked, this, [this] { model_->markAll(kYes); });
    } else {
        auto* b = new QPushButton(QStringLiteral("&Annulla"));
        registerControl(QStringLiteral("bottone"), b);
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, &PickerForm::confirm);
    }
    buttons->addStretch(1);
    column->addLayout(buttons);
    adjustSize();
}

void PickerForm::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    QorForm::showEvent(event);
}

void PickerForm::activate() {
    cliente_->showCustomer(forms().draft().customer);
    if (ragg_) ragg_->setChecked(false);
    pickedRecord_ = 0;
    fillGrid();
    elenco_->setFocus();
    elenco_->setCurrentIndex(model_->index(0, 0));
}

void PickerForm::fillGrid() {
    const ImportedSources& imported = forms().draft().imports;
    const std::vector<int>& already =
        kind_ == SourceKind::Receipts ? imported.receipts : imported.deliveryNotes;
    try {
        const WaitCursor wait;
        model_->setRows(ListSources(session().files, kind_, forms().draft().customer.record,
                                    IsMultiChoice(kind_) ? already : std::vector<int>{}));
    } catch (const RecordIoError& e) {
        model_->setRows({});
        Warn(this, QStringLiteral("Errore di lettura degli archivi: %1").arg(e.what()));
        return;
    }
    session().rowCount = model_->listedRows() + 1;
    const auto& settings = session().generalSettings;
    model_->setRowColours(settings.text(gnr::kAlternateRows) == "1",
                          SettingsColour(settings.dbl(gnr::kRowColour1)),
                          SettingsColour(settings.dbl(gnr::kRowColour2)));
}

std::vector<int> PickerForm::chosenRecords() const {
    return model_->chosenRecords();
}

bool PickerForm::grouping() const {
    return ragg_ && ragg_->isChecked();
}

void PickerForm::onRow(const QModelIndex& index) {
    if (!index.isValid()) return;
    const SourceRow& row = model_->rowAt(index.row());
    PickedSource& picked = forms().draft().picked;
    switch (kind_) {
        case SourceKind::DeliveryNotes:
        case SourceKind::Receipts:
            model_->flip(index.row());
            return;
        case SourceKind::Invoices: {
            if (Val(row.cells[0]) <= 0 || !mayCorrect(row)) return;
            const InvoicePick pick = InvoicePickOf(row);
            picked.invoiceLineFile = pick.fallbackName;
            picked.invoiceKey = pick.fileName;
            pickedRecord_ = row.record;
            pickedInvoice_ = InvoiceReference{};
            pickedInvoice_.id = Trim(row.cells[0]);
            pickedInvoice_.date = row.cells[1];
            backToBody(TextOf(kind_).action);
            return;
        }
        case SourceKind::Quotes:
            if (Val(row.cells[3]) <= 0) return;
            picked.quote = static_cast<int>(Val(row.cells[3]));
            backToBody(TextOf(kind_).action);
            return;
    }
}

bool PickerForm::mayCorrect(const SourceRow& row) {
    const DocumentDraft& draft = forms().draft();
    if (draft.kind != DocumentKind::CreditNote || row.customer == draft.customer.record)
        return true;
    const QString question =
        QStringLiteral(
            "La fattura n. %1 del %2 è intestata a %3, un altro cliente: la nota "
            "credito la rettificherebbe. Copiarla ugualmente?")
            .arg(QString::fromStdString(Trim(row.cells[0])), QString::fromStdString(row.cells[1]),
                 QString::fromStdString(Trim(row.cells[2])));
    return ShowMessage(this, QStringLiteral("Attenzione"), question, MsgIcon::Question,
                       MsgButtons::YesNo, MsgAnswer::No) == MsgAnswer::Yes;
}

void PickerForm::confirm() {
    // The invoice and quote pickers' button hands back without a choice.
    PickedSource& picked = forms().draft().picked;
    if (kind_ == SourceKind::Invoices) {
        picked.invoiceLineFile.clear();
        picked.invoiceKey.clear();
        pickedRecord_ = 0;
    } else if (kind_ == SourceKind::Quotes) {
        picked.quote = 0;
    }
    backToBody(TextOf(kind_).action);
}

void PickerForm::backToBody(ReturnAction action) {
    session().returnPending = 0;
    session().returnAction = action;
    forms().handOver(this, form_name::kBody);
}

void PickerForm::closeEvent(QCloseEvent* event) {
    // The window stays loaded; the close box confirms as the first button does.
    event->ignore();
    confirm();
}

}  // namespace qorvana
