#pragma once
// The header form's code tables from qorvana.tab (through the TabFile block map) and the
// fixed lists of the electronic-invoice panel.
//
// Carrier rows: the file gives six lines per carrier, columns 0 to 5 (column 2 is the name
// shown in Combo6). Column 5 holds the carrier's electronic-invoice data as
// "country*identifier*taxcode"; it is split at "*" into columns 6 (country code),
// 7 (identifier) and 8 (tax code), each trimmed and empty when absent. A column 5 without
// "*" gives empty columns 6 to 8.

#include <array>
#include <string>
#include <vector>

#include "core/session_codes.h"

namespace qorvana {

class TabFile;

struct HeaderTables {
    // VAT codes 1..16 (index 0 unused), columns 0..3: 0 rate text, 1 withholding value.
    std::array<std::array<std::string, 4>, 17> vatRates{};
    // Exemption entries 0..16, columns 0 description, 1 text (at most 100 characters),
    // 2 nature index as digits ("0" when the text carried none).
    std::array<std::array<std::string, 3>, 17> exemptions{};
    // The series table ("Sezionale"), entries 1..9 (index 0 unused), two columns.
    std::array<std::array<std::string, 2>, 10> seriesTable{};
    // The 100 entries of Combo2, Combo3 and Combo4 (index 0 is entry 1).
    std::array<std::string, 100> listEntries{};
    // Carrier rows 1..40 (index 0 unused), columns 0..8.
    std::array<std::array<std::string, 9>, 41> carriers{};

    static HeaderTables FromTab(const TabFile& tab);
    // Columns 1 and 2 of an exemption from its long text (columns 1, 2 above).
    static std::array<std::string, 2> SplitExemptionText(const std::string& text);
    // Columns 6..8 of a carrier from its column 5.
    static std::array<std::string, 3> SplitCarrierData(const std::string& column5);
};

// Fixed items of the panel's lists, in list order (UTF-8).
const std::vector<std::string>& DocumentTypeItems();       // Combo8(0)
const std::vector<std::string>& WithholdingReasonItems();  // Combo8(1), empty first item
const std::vector<std::string>& WithholdingTypeItems();    // Combo8(2)
const std::vector<std::string>& PaymentConditionItems();   // Combo8(3)
const std::vector<std::string>& PaymentModeItems();        // Combo8(4)
const std::vector<std::string>& VehicleKindItems();        // Combo7

// Combo8(4) position of the payment mode of a condition's mode digit d: d + 1 = 1 RIBA,
// 2 bonifico, 3 contanti, 4 RID, anything else assegno.
int PaymentModePosition(int modeDigit);
// Combo8(0) position: "TD04 Nota di credito" for a credit note, else "TD01 Fattura".
int DocumentTypePosition(DocumentKind documentKind);
// Combo8(3) position: "TP02 Pagamento completo" when the second instalment is 0, else
// "TP01 Pagamento a rate".
int PaymentConditionPosition(double secondInstalment);

}  // namespace qorvana
