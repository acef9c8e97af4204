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
        HeaderEntries& h = draft.header;
        h.documentNumber = "12";
        h.vatRegisterNumber = "12";
        h.documentDate = "05/11/2024";
        h.registrationDate = "06/11/2024";
        h.paymentTerms = 2;
        h.bank1 = h.bank2 = h.bank3 = h.series = 0;
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
