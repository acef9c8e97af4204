#pragma once
// What the header and its electronic-invoice panel hold for the export, and how it goes into
// the panel fields of FpaRecord (the export copies it in before writing the XML file; the
// seller's stored fields stay as read).

#include <array>
#include <string>
#include <vector>

#include "forms/header/fpa_record.h"
#include "forms/header/fpa_tables.h"

namespace qorvana {

struct FpaPanelValues {
    std::string documentType;             // Combo8(0) item
    std::string documentDate;             // text3(1), dd/mm/yyyy
    std::string documentNumber;           // text2(0)
    std::string progressive;              // text2(4)
    std::array<std::string, 16> text4{};  // Text4(1..15): DDT, order, contract, ... CUP, CIG
    std::array<std::string, 11> dates{};  // dsca(6..10): DDT, order, contract, convention,
                                          // reception dates
    std::string withholdingReason;        // Combo8(1) item
    std::string withholdingType;          // Combo8(2) item
    std::string paymentCondition;         // Combo8(3) item
    std::string paymentMode;              // Combo8(4) item
    int carrierRow = 0;                   // CarrierTable row 1..40 (Combo6 position + 1); 0 none
    bool art73 = false;
    bool deferredVat = false;  // esig
};

// The document's withholding as the export computed it: the fields are filled only when
// the rate is above 0.
struct FpaWithholding {
    double rate = 0;
    std::string amountText;
    std::string rateText;
};

// Fills fields 35 to 77 of `record` from the panel: the leading code of each list item
// (4 characters, 1 for the reason), texts trimmed, the carrier's columns 2, 6, 7 and 8,
// blank pension-fund fields. Returns the names of fields whose text did not fit (they hold
// their first characters); empty when everything fitted.
std::vector<std::string> CopyPanelInto(FpaRecord& record, const FpaPanelValues& panel,
                                       const HeaderTables& tables,
                                       const FpaWithholding& withholding);

}  // namespace qorvana
