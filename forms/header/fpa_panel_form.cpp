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
        combo8[i] = new QComboBox;
        combo8[i]->setMinimumContentsLength(28);
        combo8[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        grid->addWidget(new QLabel(QString::fromUtf8(comboCaptions[i])), row, 0);
        grid->addWidget(combo8[i], row++, 1, 1, 5);
    }

    for (int i = 1; i <= 15; ++i) {
        text4[i] = new QLineEdit;
        text4[i]->setMaxLength(kText4Length[i]);
    }
    for (int i = 6; i <= 10; ++i) referenceDates[i] = new DatePicker;

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
        grid->addWidget(referenceDates[r.date], row, 1);
        for (int k = 0; k < r.fields; ++k) grid->addWidget(text4[r.first + k], row, 2 + k);
        ++row;
    }
    grid->addWidget(new QLabel(QStringLiteral("Codice CUP")), row, 0);
    grid->addWidget(text4[14], row, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Codice CIG")), row, 3);
    grid->addWidget(text4[15], row++, 4);

    combo6 = new QComboBox;
    combo7 = new QComboBox;
    grid->addWidget(new QLabel(QStringLiteral("Vettore")), row, 0);
    grid->addWidget(combo6, row, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Tipo veicolo")), row, 3);
    grid->addWidget(combo7, row++, 4);

    // The invoice a credit note corrects (DatiFattureCollegate), with e-invoices to everyone.
    correctedLabel = new QLabel(QStringLiteral("Fattura rettificata"));
    correctedNumber = new QLineEdit;
    correctedNumber->setMaxLength(20);
    correctedDate = new QLineEdit;
    correctedDate->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    grid->addWidget(correctedLabel, row, 0);
    grid->addWidget(correctedDate, row, 1);
    grid->addWidget(correctedNumber, row++, 2);
    showCorrectedInvoice(false);

    art73 = new QCheckBox(QStringLiteral("Art73"));
    close = new QPushButton(QStringLiteral("Chiudi"));
    close->setToolTip(QStringLiteral("Chiude il riepilogo dati fatturaPA"));
    grid->addWidget(art73, row, 0);
    grid->addWidget(close, row, 5);
}

void FpaPanel::fillLists(const HeaderTables& tables) {
    Fill(combo7, VehicleKindItems());
    combo6->clear();
    for (int row = 1; row <= 40; ++row) combo6->addItem(Q(tables.carriers[row][2]));
    // No carrier and no vehicle kind until the operator chooses one.
    combo6->setCurrentIndex(-1);
    combo7->setCurrentIndex(-1);
    Fill(combo8[0], DocumentTypeItems());
    Fill(combo8[1], WithholdingReasonItems());
    Fill(combo8[2], WithholdingTypeItems());
    Fill(combo8[3], PaymentConditionItems());
    Fill(combo8[4], PaymentModeItems());
}

void FpaPanel::presetForDocument(DocumentKind documentKind, double secondInstalment,
                                 int paymentModeDigit) {
    combo8[0]->setCurrentIndex(DocumentTypePosition(documentKind));
    art73->setChecked(false);
    combo8[1]->setCurrentIndex(0);
    combo8[2]->setCurrentIndex(0);
    combo8[3]->setCurrentIndex(PaymentConditionPosition(secondInstalment));
    combo8[4]->setCurrentIndex(PaymentModePosition(paymentModeDigit));
}

PanelEntries FpaPanel::entries() const {
    const auto text = [this](int i) { return S(text4[i]->text()); };
    const auto reference = [&](int date, int first, int fields) {
        InvoiceReference r;
        r.date = S(referenceDates[date]->text());
        r.id = text(first);
        if (fields > 1) r.lineNumber = text(first + 1);
        if (fields > 2) r.jobCode = text(first + 2);
        return r;
    };
    PanelEntries e;
    e.documentType = S(combo8[0]->currentText()).substr(0, 4);
    e.withholdingReason = combo8[1]->currentIndex();
    e.withholdingType = combo8[2]->currentIndex();
    e.paymentCondition = combo8[3]->currentIndex();
    e.paymentMode = combo8[4]->currentIndex();
    e.deliveryNote = reference(6, 1, 1);
    e.purchaseOrder = reference(7, 2, 3);
    e.contract = reference(8, 5, 3);
    e.convention = reference(9, 8, 3);
    e.reception = reference(10, 11, 3);
    e.cup = text(14);
    e.cig = text(15);
    e.carrier = combo6->currentIndex();
    e.vehicleKind = combo7->currentIndex();
    e.art73 = art73->isChecked();
    if (correctedNumber->isVisibleTo(this)) {
        e.correctedInvoice.id = S(correctedNumber->text());
        e.correctedInvoice.date = S(correctedDate->text());
    }
    return e;
}

void FpaPanel::showCorrectedInvoice(bool shown) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{correctedLabel, correctedNumber, correctedDate})
        w->setVisible(shown);
}

void FpaPanel::clearReferences() {
    for (int i = 1; i <= 15; ++i) text4[i]->clear();
    for (int i = 6; i <= 10; ++i) referenceDates[i]->setText(QString());
    correctedNumber->clear();
    correctedDate->clear();
}

}  // namespace qorvana
