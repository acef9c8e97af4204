#include "forms/header/fpa_panel_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "forms/common/date_picker.h"
#include "forms/common/qt_text.h"

namespace qorvana {
namespace {

void Fill(QComboBox* combo, const std::vector<std::string>& items) {
    combo->clear();
    for (const auto& item : items) combo->addItem(Q(item));
}

// The references' boxes: their captions, the index of their id in Text4 (the line number and
// the job code follow it), the index of their date in dsca, and the widths of the FpaRecord
// fields they fill.
struct ReferenceRow {
    const char* caption;
    int firstText4;
    int dateIndex;
    int fields;  // 1: the id alone; 3: id, line number, job code
    std::array<int, 3> lengths;
};
constexpr ReferenceRow kReferenceRows[] = {
    {"DDT", 1, 6, 1, {20, 0, 0}},           {"Ordine di acquisto", 2, 7, 3, {20, 10, 10}},
    {"Contratto", 5, 8, 3, {20, 10, 10}},   {"Convenzione", 8, 9, 3, {20, 10, 10}},
    {"Ricezione", 11, 10, 3, {20, 10, 10}},
};
constexpr int kCupText4 = 14;
constexpr int kCigText4 = 15;

QLineEdit* TextBox(int maxLength) {
    auto* box = new QLineEdit;
    box->setMaxLength(maxLength);
    return box;
}

// The reference as its boxes show it; a reference without line number or job code leaves
// them empty.
InvoiceReference ReferenceShown(const ReferenceBoxes& boxes) {
    InvoiceReference r;
    r.date = S(boxes.date->text());
    r.id = S(boxes.id->text());
    if (boxes.lineNumber) r.lineNumber = S(boxes.lineNumber->text());
    if (boxes.jobCode) r.jobCode = S(boxes.jobCode->text());
    return r;
}

// The panel's references in the order of its rows.
std::array<InvoiceReference*, 5> ReferencesOf(PanelEntries& e) {
    return {&e.deliveryNote, &e.purchaseOrder, &e.contract, &e.convention, &e.reception};
}

void ShowReference(const ReferenceBoxes& boxes, const InvoiceReference& r) {
    boxes.date->setText(Q(r.date));
    boxes.id->setText(Q(r.id));
    if (boxes.lineNumber) boxes.lineNumber->setText(Q(r.lineNumber));
    if (boxes.jobCode) boxes.jobCode->setText(Q(r.jobCode));
}

}  // namespace

FpaPanel::FpaPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Riepilogo dati fatturaPA")), row++, 0, 1, 6);

    const char* comboCaptions[] = {"Tipo documento", "Causale ritenuta", "Tipo ritenuta",
                                   "Condizioni di pagamento", "Modalità di pagamento"};
    const auto all = lists();
    for (std::size_t i = 0; i < all.size(); ++i) {
        QComboBox* list = *all[i] = new QComboBox;
        list->setMinimumContentsLength(28);
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        grid->addWidget(new QLabel(QString::fromUtf8(comboCaptions[i])), row, 0);
        grid->addWidget(list, row++, 1, 1, 5);
    }

    // One row per reference: date, id / number, line number, job code.
    grid->addWidget(new QLabel(QStringLiteral("Data")), row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Identificativo / numero")), row, 2);
    grid->addWidget(new QLabel(QStringLiteral("Numero linea")), row, 3);
    grid->addWidget(new QLabel(QStringLiteral("Codice commessa / convenzione")), row++, 4);
    for (std::size_t r = 0; r < references_.size(); ++r) {
        const ReferenceRow& shape = kReferenceRows[r];
        ReferenceBoxes& boxes = references_[r];
        boxes.date = new DatePicker;
        boxes.id = TextBox(shape.lengths[0]);
        if (shape.fields == 3) {
            boxes.lineNumber = TextBox(shape.lengths[1]);
            boxes.jobCode = TextBox(shape.lengths[2]);
        }
        grid->addWidget(new QLabel(QString::fromUtf8(shape.caption)), row, 0);
        grid->addWidget(boxes.date, row, 1);
        int column = 2;
        for (QLineEdit* box : {boxes.id, boxes.lineNumber, boxes.jobCode})
            if (box) grid->addWidget(box, row, column++);
        ++row;
    }
    cup_ = TextBox(15);
    cig_ = TextBox(15);
    grid->addWidget(new QLabel(QStringLiteral("Codice CUP")), row, 0);
    grid->addWidget(cup_, row, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Codice CIG")), row, 3);
    grid->addWidget(cig_, row++, 4);

    carrier_ = new QComboBox;
    vehicleKind_ = new QComboBox;
    grid->addWidget(new QLabel(QStringLiteral("Vettore")), row, 0);
    grid->addWidget(carrier_, row, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Tipo veicolo")), row, 3);
    grid->addWidget(vehicleKind_, row++, 4);

    // The invoice a credit note corrects (DatiFattureCollegate), with e-invoices to everyone.
    correctedLabel_ = new QLabel(QStringLiteral("Fattura rettificata"));
    correctedNumber_ = new QLineEdit;
    correctedNumber_->setMaxLength(20);
    correctedDate_ = new QLineEdit;
    correctedDate_->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    grid->addWidget(correctedLabel_, row, 0);
    grid->addWidget(correctedDate_, row, 1);
    grid->addWidget(correctedNumber_, row++, 2);
    showCorrectedInvoice(false);

    art73_ = new QCheckBox(QStringLiteral("Art73"));
    close_ = new QPushButton(QStringLiteral("Chiudi"));
    close_->setToolTip(QStringLiteral("Chiude il riepilogo dati fatturaPA"));
    grid->addWidget(art73_, row, 0);
    grid->addWidget(close_, row, 5);
    connect(close_, &QPushButton::clicked, this, &FpaPanel::closeRequested);
}

void FpaPanel::registerControls(const ControlRegistry& add) {
    add(QStringLiteral("Frame5"), this, -1);
    const auto all = lists();
    for (std::size_t i = 0; i < all.size(); ++i)
        add(QStringLiteral("Combo8"), *all[i], static_cast<int>(i));
    add(QStringLiteral("Combo7"), vehicleKind_, -1);
    add(QStringLiteral("Combo6"), carrier_, -1);
    for (std::size_t r = 0; r < references_.size(); ++r) {
        const ReferenceBoxes& boxes = references_[r];
        int index = kReferenceRows[r].firstText4;
        for (QLineEdit* box : {boxes.id, boxes.lineNumber, boxes.jobCode})
            if (box) add(QStringLiteral("Text4"), box, index++);
        add(QStringLiteral("dsca"), boxes.date, kReferenceRows[r].dateIndex);
    }
    add(QStringLiteral("Text4"), cup_, kCupText4);
    add(QStringLiteral("Text4"), cig_, kCigText4);
    add(QStringLiteral("art73"), art73_, -1);
    add(QStringLiteral("fattrett"), correctedNumber_, -1);
    add(QStringLiteral("datarett"), correctedDate_, -1);
    add(QStringLiteral("ccomando"), close_, 1);
}

QWidget* FpaPanel::firstField() const {
    return references_[0].id;
}

void FpaPanel::fillLists(const HeaderTables& tables) {
    Fill(vehicleKind_, VehicleKindItems());
    carrier_->clear();
    for (int row = 1; row <= 40; ++row) carrier_->addItem(Q(tables.carriers[row][2]));
    // No carrier and no vehicle kind until the operator chooses one.
    carrier_->setCurrentIndex(-1);
    vehicleKind_->setCurrentIndex(-1);
    Fill(documentType_, DocumentTypeItems());
    connect(documentType_, &QComboBox::currentIndexChanged, this, &FpaPanel::documentTypeChanged,
            Qt::UniqueConnection);
    Fill(withholdingReason_, WithholdingReasonItems());
    Fill(withholdingType_, WithholdingTypeItems());
    Fill(paymentCondition_, PaymentConditionItems());
    Fill(paymentMode_, PaymentModeItems());
}

void FpaPanel::presetForDocument(DocumentKind documentKind, double secondInstalment,
                                 int paymentModeDigit) {
    documentType_->setCurrentIndex(DocumentTypePosition(documentKind));
    art73_->setChecked(false);
    withholdingReason_->setCurrentIndex(0);
    withholdingType_->setCurrentIndex(0);
    presetPayment(secondInstalment, paymentModeDigit);
}

void FpaPanel::presetPayment(double secondInstalment, int paymentModeDigit) {
    paymentCondition_->setCurrentIndex(PaymentConditionPosition(secondInstalment));
    paymentMode_->setCurrentIndex(PaymentModePosition(paymentModeDigit));
}

PanelEntries FpaPanel::entries() const {
    PanelEntries e;
    e.documentType = S(documentType_->currentText()).substr(0, 4);
    e.withholdingReason = withholdingReason_->currentIndex();
    e.withholdingType = withholdingType_->currentIndex();
    e.paymentCondition = paymentCondition_->currentIndex();
    e.paymentMode = paymentMode_->currentIndex();
    for (std::size_t r = 0; r < references_.size(); ++r)
        *ReferencesOf(e)[r] = ReferenceShown(references_[r]);
    e.cup = S(cup_->text());
    e.cig = S(cig_->text());
    e.carrier = carrier_->currentIndex();
    e.vehicleKind = vehicleKind_->currentIndex();
    e.art73 = art73_->isChecked();
    if (correctedNumber_->isVisibleTo(this)) {
        e.correctedInvoice.id = S(correctedNumber_->text());
        e.correctedInvoice.date = S(correctedDate_->text());
    }
    return e;
}

void FpaPanel::showCorrectedInvoice(bool shown) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{correctedLabel_, correctedNumber_, correctedDate_})
        w->setVisible(shown);
}

void FpaPanel::proposeCorrectedInvoice(const InvoiceReference& invoice) {
    if (!correctedNumber_->text().trimmed().isEmpty() ||
        !correctedDate_->text().trimmed().isEmpty())
        return;
    correctedNumber_->setText(Q(invoice.id));
    correctedDate_->setText(Q(invoice.date));
}

void FpaPanel::showReferences(PanelEntries e) {
    for (std::size_t r = 0; r < references_.size(); ++r)
        ShowReference(references_[r], *ReferencesOf(e)[r]);
    cup_->setText(Q(e.cup));
    cig_->setText(Q(e.cig));
    correctedNumber_->setText(Q(e.correctedInvoice.id));
    correctedDate_->setText(Q(e.correctedInvoice.date));
}

}  // namespace qorvana
