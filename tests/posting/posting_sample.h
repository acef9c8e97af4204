#pragma once
// The draft, VAT rates and input that the posting tests and benchmark start from.

#include <filesystem>
#include <fstream>
#include <string>

#include "core/counters_record.h"
#include "posting/posting.h"

namespace qorvana {

struct PostingSample {
    DocumentDraft draft;
    VatTable vat;
    PostingInput input;

    PostingSample() {
        vat.rate[1] = 22;
        vat.rate[3] = 10;
        vat.rate[10] = 4;
        input.draft = &draft;
        input.vat = &vat;
        input.money = Money(true, 2);
        input.pdfFolder = "C:\\pdf";
        input.issueMoment = CivilDateTime{CivilDate{2024, 11, 5}, 12, 0, 0};
        draft.customer = {17, "ROSSI MARIO SRL", "VERONA"};
        // A value of its own in every field posting writes, so that a value stored in
        // another field's place shows.
        HeaderEntries& h = draft.header;
        h.documentNumber = "12";
        h.vatRegisterNumber = "112";
        h.documentDate = "05/11/2024";
        h.registrationDate = "06/11/2024";
        h.paymentTerms = 2;
        h.bank1 = 0;
        h.bank2 = 1;
        h.bank3 = 2;
        h.series = 4;
        h.dueDates = {"31/12/2024", "31/01/2025", "28/02/2025",
                      "31/03/2025", "30/04/2025", "31/05/2025"};
        h.instalmentAmounts = {"10,50", "20", "30,25", "40", "5.25", "6"};
        h.commissionRate = "12,5";
        h.commissionAmount = "15,75";
        h.additionalAmount1 = "7,5";
        h.additionalAmount2 = "2,25";
        h.bankReceipt = true;
        h.vatOptions = {.spesometro = true, .selfInvoice = true, .summaryDocument = true};
        draft.panel.vehicleKind = 5;
        for (std::size_t slot = 1; slot <= 12; ++slot)
            for (std::size_t column = 0; column < 3; ++column)
                draft.figures.breakdown[slot][column] = 1000.0 * (column + 1) + slot + 0.5;
        draft.figures.withholdingAmount = 4;
        draft.figures.withholdingBase = 20;
    }
    PostingSample(const PostingSample&) = delete;
    PostingSample& operator=(const PostingSample&) = delete;
};

// A counters file of 20 zero records in `folder`.
inline void WriteEmptyCounters(const std::filesystem::path& folder) {
    const std::string zeros(20 * tot::kLength, '\0');
    std::ofstream(folder / "qorvana.tot", std::ios::binary)
        .write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
}

}  // namespace qorvana
