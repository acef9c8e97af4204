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

// Maximum lengths of Text4(1..15): the widths of their FpaRecord fields.
constexpr std::array<int, 16> kText4Length = {0,  20, 20, 10, 10, 20, 10, 10,
                                              20, 10, 10, 20, 10, 10, 15, 15};

}  // namespace

FpaPanel::FpaPanel(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Riepilogo dati fatturaPA")), row++, 0, 1, 6);

    const char* comboCaptions[] = {"Tipo documento", "Causale ritenuta", "Tipo ritenuta",
                                   "Condizioni di pagamento", "Modalità di pagamento"};
    for (int i = 0; i < 5; ++i) {
        combo8_[i] = new QComboBox;
        combo8_[i]->setMinimumContentsLength(28);
        combo8_[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        grid->addWidget(new QLabel(QString::fromUtf8(comboCaptions[i])), row, 0);
        grid->addWidget(combo8_[i], row++, 1, 1, 5);
    }

    for (int i = 1; i <= 15; ++i) {
        text4_[i] = new QLineEdit;
        text4_[i]->setMaxLength(kText4Length[i]);
    }
    for (int i = 6; i <= 10; ++i) referenceDates_[i] = new DatePicker;

    // One row per reference: date, id / number, item number, job code.
    struct Reference {
        const char* caption;
        int date;
        int first;  // Text4 index of the id or number
        int fields;
    };
    const Reference references[] = {
        {"DDT", 6, 1, 1},         {"Ordine di acquisto", 7, 2, 3}, {"Contratto", 8, 5, 3},
        {"Convenzione", 9, 8, 3}, {"Ricezione", 10, 11, 3},
    };
    grid->addWidget(new QLabel(QStringLiteral("Data")), row, 1);
    grid->addWidget(new QLabel(QStringLiteral("Identificativo / numero")), row, 2);
    grid->addWidget(new QLabel(QStringLiteral("Numero linea")), row, 3);
    grid->addWidget(new QLabel(QStringLiteral("Codice commessa / convenzione")), row++, 4);
    for (const auto& r : references) {
        grid->addWidget(new QLabel(QString::fromUtf8(r.caption)), row, 0);
        grid->addWidget(referenceDates_[r.date], row, 1);
        for (int k = 0; k < r.fields; ++k) grid->addWidget(text4_[r.first + k], row, 2 + k);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("Codice CUP")), row, 0);
    grid->addWidget(text4_[14], row, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Codice CIG")), row, 3);
    grid->addWidget(text4_[15], row++, 4);

    combo6_ = new QComboBox;
    combo7_ = new QComboBox;
    grid->addWidget(new QLabel(QStringLiteral("Vettore")), row, 0);
    grid->addWidget(combo6_, row, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Tipo veicolo")), row, 3);
    grid->addWidget(combo7_, row++, 4);

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
    for (int i = 0; i < 5; ++i) add(QStringLiteral("Combo8"), combo8_[i], i);
    add(QStringLiteral("Combo7"), combo7_, -1);
    add(QStringLiteral("Combo6"), combo6_, -1);
    for (int i = 1; i <= 15; ++i) add(QStringLiteral("Text4"), text4_[i], i);
    for (int i = 6; i <= 10; ++i) add(QStringLiteral("dsca"), referenceDates_[i], i);
    add(QStringLiteral("art73"), art73_, -1);
    add(QStringLiteral("fattrett"), correctedNumber_, -1);
    add(QStringLiteral("datarett"), correctedDate_, -1);
    add(QStringLiteral("ccomando"), close_, 1);
}

QWidget* FpaPanel::firstField() const {
    return text4_[1];
}

void FpaPanel::fillLists(const HeaderTables& tables) {
    Fill(combo7_, VehicleKindItems());
    combo6_->clear();
    for (int row = 1; row <= 40; ++row) combo6_->addItem(Q(tables.carriers[row][2]));
    // No carrier and no vehicle kind until the operator chooses one.
    combo6_->setCurrentIndex(-1);
    combo7_->setCurrentIndex(-1);
    Fill(combo8_[0], DocumentTypeItems());
    Fill(combo8_[1], WithholdingReasonItems());
    Fill(combo8_[2], WithholdingTypeItems());
    Fill(combo8_[3], PaymentConditionItems());
    Fill(combo8_[4], PaymentModeItems());
}

void FpaPanel::presetForDocument(DocumentKind documentKind, double secondInstalment,
                                 int paymentModeDigit) {
    combo8_[0]->setCurrentIndex(DocumentTypePosition(documentKind));
    art73_->setChecked(false);
    combo8_[1]->setCurrentIndex(0);
    combo8_[2]->setCurrentIndex(0);
    presetPayment(secondInstalment, paymentModeDigit);
}

void FpaPanel::presetPayment(double secondInstalment, int paymentModeDigit) {
    combo8_[3]->setCurrentIndex(PaymentConditionPosition(secondInstalment));
    combo8_[4]->setCurrentIndex(PaymentModePosition(paymentModeDigit));
}

PanelEntries FpaPanel::entries() const {
    const auto text = [this](int i) { return S(text4_[i]->text()); };
    const auto reference = [&](int date, int first, int fields) {
        InvoiceReference r;
        r.date = S(referenceDates_[date]->text());
        r.id = text(first);
        if (fields > 1) r.lineNumber = text(first + 1);
        if (fields > 2) r.jobCode = text(first + 2);
        return r;
    };
    PanelEntries e;
    e.documentType = S(combo8_[0]->currentText()).substr(0, 4);
    e.withholdingReason = combo8_[1]->currentIndex();
    e.withholdingType = combo8_[2]->currentIndex();
    e.paymentCondition = combo8_[3]->currentIndex();
    e.paymentMode = combo8_[4]->currentIndex();
    e.deliveryNote = reference(6, 1, 1);
    e.purchaseOrder = reference(7, 2, 3);
    e.contract = reference(8, 5, 3);
    e.convention = reference(9, 8, 3);
    e.reception = reference(10, 11, 3);
    e.cup = text(14);
    e.cig = text(15);
    e.carrier = combo6_->currentIndex();
    e.vehicleKind = combo7_->currentIndex();
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

void FpaPanel::clearReferences() {
    for (int i = 1; i <= 15; ++i) text4_[i]->clear();
    for (int i = 6; i <= 10; ++i) referenceDates_[i]->setText(QString());
    correctedNumber_->clear();
    correctedDate_->clear();
}

}  // namespace qorvana
