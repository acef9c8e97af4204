#include "fatturapa/einvoice_correction.h"

#include <gtest/gtest.h>

#include "core/counters.h"
#include "core/intent_log.h"
#include "core/write_hook.h"
#include "fatturapa/sdi_channel.h"
#include "fatturapa/sdi_state.h"
#include "posting/posting.h"
#include "tests/fatturapa/fpa_desk.h"

namespace qorvana {
namespace {

using namespace qorvana::fpatest;

const char* const kCompany = "\\qorwin\\qorwin\\qoraz0.001";

// An invoice to a business, stored, whose e-invoice the exchange system rejected on
// 06/12/2026 for its recipient code: a fee under withholding, the company's pension fund.
struct RejectedInvoice : Desk {
    SdiStore store;
    std::string rejected;
    EInvoiceCompany setup{settings, vat, tables, einvoice};

    RejectedInvoice() {
        drive.write(company / kFpaFormatFile, "1.2.3\r\n");
        einvoice.everyCustomer = true;
        einvoice.fund = {"TC04", 4, 1};
        customer.setText(cli::kRecipientCode, "M5UXCR");
        customer.setText(cli::kRecipientCodeSeventh, "9");
        s.files.write<CustomersFile>(1, customer);
        WriteRecordCount(s.files, tot::kCustomers, 1);
        draft.customer.record = 1;
        header.registrationDate = header.documentDate;
        line(1, "Progettazione impianto", 1, 1000, 3);
        panel.withholdingType = 4;     // RT04
        panel.withholdingReason = 26;  // M2
        std::string xml;
        EXPECT_NE(exportOnce(&xml, &rejected).find("creato"), std::string::npos);
        PostingInput in;
        in.draft = &draft;
        in.vat = &vat;
        in.money = s.money();
        in.fpaState = draft.fpaState;
        in.companyFolder = kCompany;
        in.issueMoment = {{2026, 12, 6}, 10, 0, 0};
        const Result<DocumentStored> posted = PostDocument(s.files, in);
        EXPECT_TRUE(posted.ok()) << posted.message();
        EXPECT_EQ(ListEInvoice(store, company / "fatturepa" / rejected,
                               std::string(kCompany) + "\\fatturepa\\" + rejected)
                      .message(),
                  "");
        SendingRecord sending;
        sending.time = "2026-12-06 10:00:00";
        sending.fileSent = rejected;
        RecordSending(store, *store.find(rejected), sending);
        SdiNotification ns;
        ns.kind = NotificationKind::NS;
        ns.sdiId = "4711";
        ns.invoiceFile = rejected;
        ns.moment = "2026-12-06T10:30:00";
        ns.errors = {{"00311", "1.1.4 CodiceDestinatario non valido", ""}};
        RecordNotification(store, ns, "ns.xml", "2026-12-06 11:00:00");
        draft.fpaState = 0;  // the operator has gone on to other documents
    }

    void today(int day) { s.clock = SessionClock({{2026, 12, day}, 9, 0, 0}); }
    Result<Rewritten> rewrite() { return RewriteRejectedEInvoice(store, rejected, setup, s); }
};

// Corrected within five days: the customer's code and address as now, the document as
// stored (number, date, lines, fund, withholding), under the next progressive and valid for the
// exchange system (its file, listed in place of the rejected one and told:
// einvoice_correction.qrs).
TEST(EInvoiceCorrection, WrittenAgainFromTheStoredDocument) {
    RejectedInvoice d;
    d.today(11);
    EInvoiceCustomer corrected;
    corrected.recipientCode = "ABC1234";
    ASSERT_TRUE(SaveEInvoiceCustomer(d.s, 1, corrected));
    d.customer.setText(cli::kAddress, "Via Roma 2");
    d.s.files.write<CustomersFile>(1, d.customer);
    d.lines.clear();  // the draft is gone: only the records speak
    const Result<Rewritten> r = d.rewrite();
    ASSERT_EQ(r.message(), "");
    EXPECT_EQ(d.counter(), 2);
    EXPECT_EQ(d.draft.fpaState, 0);
    const std::string xml = Slurp(d.company / "fatturepa" / r->fileName);
    for (const auto& f : CheckFatturaPAFile(r->fileName, xml, Schema()))
        ADD_FAILURE() << FormatFinding(f) << "\n" << xml;
    for (const char* expected :
         {"<ProgressivoInvio>2</ProgressivoInvio>", "<Indirizzo>Via Roma 2</Indirizzo>",
          "<Data>2026-12-06</Data>\r\n        <Numero>15<", "<TipoRitenuta>RT04</TipoRitenuta>",
          "<CausalePagamento>M2</CausalePagamento>",
          "<ImportoContributoCassa>40.00</ImportoContributoCassa>",
          "<ImportoTotaleDocumento>1268.80</ImportoTotaleDocumento>"})
        EXPECT_NE(xml.find(expected), std::string::npos) << expected << "\n" << xml;
    EXPECT_TRUE(fs::exists(d.company / "fpa2"));
    EXPECT_EQ(StateOf(*d.store.find(r->fileName)), EInvoiceState::Written);
    // Once: the rejected one is now corrected.
    EXPECT_NE(d.rewrite().message().find("una volta"), std::string::npos);
}

// After five days the same number and date no longer hold: a new document is needed, and
// nothing is written.
TEST(EInvoiceCorrection, SameNumberOnlyWithinFiveDays) {
    RejectedInvoice d;
    d.today(12);
    const Result<Rewritten> r = d.rewrite();
    EXPECT_NE(r.message().find("scartata il 06/12/2026"), std::string::npos) << r.message();
    EXPECT_NE(r.message().find("entro 5 giorni dallo scarto (fino al 11/12/2026"),
              std::string::npos);
    EXPECT_NE(r.message().find("Occorre emettere un nuovo documento"), std::string::npos);
    EXPECT_EQ(d.counter(), 1);
    EXPECT_TRUE(d.store.find(d.rejected)->replacedBy.empty());
    EXPECT_EQ(RejectionDay(*d.store.find(d.rejected)), (CivilDate{2026, 12, 6}));
}

// The panel's entries come from the archive copy: one that is there but cannot be read is said,
// and nothing is written.
TEST(EInvoiceCorrection, UnreadableArchiveCopyRefused) {
    RejectedInvoice d;
    d.today(11);
    fs::resize_file(d.company / "fpa1", 65 << 20);  // past what a whole file is read to
    const Result<Rewritten> r = d.rewrite();
    EXPECT_NE(r.message().find("fpa1 non può essere letto"), std::string::npos) << r.message();
    EXPECT_EQ(d.counter(), 1);
    EXPECT_TRUE(d.store.find(d.rejected)->replacedBy.empty());
}

// A write failing at any point: either nothing is written, or the intent completes the file,
// its copy, the counter and the list to send together, the new file listed in place of the
// rejected one.
TEST(EInvoiceCorrection, FileAndListToSendWrittenTogether) {
    if (!kWriteHook) GTEST_SKIP() << "built without the write hook (QORVANA_WRITE_HOOK)";
    for (int point = 1;; ++point) {
        RejectedInvoice d;
        d.today(11);
        SetWriteFault({WriteFaultKind::Error, point, EIO});
        const Result<Rewritten> r = d.rewrite();
        SetWriteFault({});
        if (r.ok()) break;
        const std::string file = "IT01234567897_00002.xml";
        if (r.partlyDone()) {
            ASSERT_TRUE(RecoverIntent(d.s.files, d.company).ok()) << point;
        }
        const bool written = fs::exists(d.company / "fatturepa" / file);
        EXPECT_EQ(written, r.partlyDone()) << point << ": " << r.message();
        EXPECT_EQ(Slurp(d.company / kSdiStoreFile).find(file) != std::string::npos, written)
            << point;
        EXPECT_EQ(d.counter(), written ? 2 : 1) << point;
    }
}

}  // namespace
}  // namespace qorvana
