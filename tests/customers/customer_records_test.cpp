#include <gtest/gtest.h>

#include "customers/agent_record.h"
#include "customers/customer_record.h"
#include "customers/einvoice_customers.h"
#include "tests/layout_golden.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using test::Carried, test::Int16, test::Text;

// Values chosen to differ from each other, not to make sense together.
TEST(LayoutGolden, Customer) {
    const test::Golden<CustomerLayout> rows[] = {
        {cli::kName1, Text(0, 40, "ROSSI MARIO SRL")},
        {cli::kName2, Text(40, 40, "Forniture per ufficio")},
        {cli::kAddress, Text(80, 40, "Via Emilia 12")},
        {cli::kTown, Text(120, 40, "FORL\xCC"), "FORLÌ"},
        {cli::kPostcode, Text(160, 5, "47121")},
        {cli::kAdminName1, Text(165, 40, "ROSSI MARIO SRL AMMINISTRAZIONE")},
        {cli::kAdminName2, Text(205, 40, "Ufficio contabilit\xE0"), "Ufficio contabilità"},
        {cli::kAdminAddress, Text(245, 40, "Corso Garibaldi 3")},
        {cli::kAdminTown, Text(285, 40, "CESENA")},
        {cli::kAdminPostcode, Text(325, 5, "47521")},
        {cli::kPhone1, Text(330, 15, "0543 123456")},
        {cli::kPhone2, Text(345, 15, "0543 654321")},
        {cli::kPhone3, Text(360, 15, "333 1234567")},
        {cli::kVatNumber, Text(375, 11, "01234567890")},
        {cli::kTaxCode, Text(386, 16, "RSSMRA70A01D704X")},
        {cli::kCarrier1, Text(402, 40, "TRASPORTI VELOCI SPA")},
        {cli::kCarrier2, Text(442, 40, "Via del Porto 8")},
        {cli::kCarrier3, Text(482, 32, "RAVENNA")},
        {cli::kPaFlag, Text(514, 1, "1")},
        {cli::kRecipientCode, Text(515, 6, "ABC123")},
        {cli::kRecipientCodeSeventh, Text(521, 1, "4")},
        {cli::kBankText, Text(522, 36, "BANCA DI FORL\xCC"), "BANCA DI FORLÌ"},
        {cli::kIbanPrefix, Text(558, 4, "IT60")},
        {cli::kAbi, Text(562, 5, "05428")},
        {cli::kCab, Text(567, 5, "11101")},
        {cli::kBankAccount, Text(572, 12, "000000123456")},
        {cli::kPaymentCondition, Int16(584, 30)},
        {cli::kAgentCode, Int16(586, 7)},
        {Carried(588, 4)},
        {cli::kRibOption, Int16(592, 1)},
        {cli::kCustomerAccount, Text(594, 8, "01020003")},
        {cli::kRevenueAccount, Text(602, 8, "05010001")},
        {cli::kVatAccount, Text(610, 8, "03020001")},
        {cli::kOutsideVatAccount, Text(618, 8, "05010009")},
        {cli::kVatPrefix, Text(626, 2, "IT")},
        {Carried(628, 1)},
        {cli::kPriceList, Text(629, 1, "2")},
        {Carried(630, 2)},
        {cli::kCin, Text(632, 1, "X")},
        {cli::kNotes1, Text(633, 37, "Consegna al piano terra")},
        {Carried(670, 3)},
        {cli::kNotes2, Text(673, 37, "Note \x80 2"), "Note € 2"},
        {Carried(710, 2)},
        {cli::kVatCodeOverride, Int16(712, 13)},
        {cli::kEmail, Text(714, 36, "amministrazione@rossi.it")},
        {cli::kDeleted, Int16(750, -2)},
    };
    test::ExpectGoldenRecord(rows, cli::kLayout);
}

TEST(LayoutGolden, Agent) {
    const auto& f = age::kFields;
    const test::Golden<AgentLayout> rows[] = {
        {age::kName1, Text(0, 40, "BIANCHI LUCA")},
        {age::kName2, Text(40, 40, "Agenzia di commercio")},
        {age::kAddress, Text(80, 40, "Via Roma 1")},
        {age::kTown, Text(120, 40, "RIMINI")},
        {age::kPostcode, Text(160, 5, "47921")},
        {f["secondName1"], Text(165, 40, "BIANCHI LUCA SEDE")},
        {f["secondName2"], Text(205, 40, "Ufficio vendite")},
        {f["secondAddress"], Text(245, 40, "Via Flaminia 9")},
        {f["secondTown"], Text(285, 40, "RICCIONE")},
        {f["secondPostcode"], Text(325, 5, "47838")},
        {age::kPhone1, Text(330, 15, "0541 111111")},
        {age::kPhone2, Text(345, 15, "0541 222222")},
        {age::kPhone3, Text(360, 15, "347 3333333")},
        {age::kVatNumber, Text(375, 11, "09876543210")},
        {age::kTaxCode, Text(386, 16, "BNCLCU75B02H294Y")},
        {age::kDescription, Text(402, 40, "Agente zona Romagna")},
        {Carried(442, 36)},
        {age::kCode, Text(478, 4, "0007")},
        {Carried(482, 102)},
        {age::kPaymentCondition, Int16(584, 60)},
        {Carried(586, 14)},
    };
    test::ExpectGoldenRecord(rows, age::kLayout);
}

// The customers' e-invoice data: written and read back; a file that does not read as
// written is damaged at its line; typed data normalised or refused (more: einvoices_all.qrs).
TEST(EInvoiceCustomers, FileAndTypedData) {
    testing::TempDir dir;
    const auto file = dir.path() / "qorvana.fec";
    const EInvoiceCustomers written{
        {2, {"M5UXCR1", "", false, ""}},
        {9, {"", "ufficio@pec.it", true, "12345678901"}},
        {7, {"", "", false, "", "Niccolò", "D'Amico"}},
        {11, {"", "", false, "", "", "", "08060120341234567-000001", "15/01/2026"}},
        {5, {}}};  // empty: not kept
    ASSERT_TRUE(WriteEInvoiceCustomers(file, "qorvana.fec", written));
    const Result<EInvoiceCustomers> read = ReadEInvoiceCustomers(file, "qorvana.fec");
    ASSERT_TRUE(read) << read.message();
    EXPECT_EQ(read->size(), 4u);
    EXPECT_EQ(read->at(11).intentProtocol + " " + read->at(11).intentDate,
              "08060120341234567-000001 15/01/2026");
    EXPECT_EQ(read->at(7).firstName + " " + read->at(7).surname, "Niccolò D'Amico");
    EXPECT_TRUE(ReadEInvoiceCustomers(dir.path() / "none", "x")->empty());
    // A file of the first version, without names, is read as it was written.
    dir.write(file, "QORVANA-FEC\t1\r\n2\tM5UXCR1\t\t0\t\r\n");
    const Result<EInvoiceCustomers> first = ReadEInvoiceCustomers(file, "qorvana.fec");
    ASSERT_TRUE(first) << first.message();
    EXPECT_EQ(first->at(2).recipientCode, "M5UXCR1");

    const struct {
        const char* text;
        int line;
    } damaged[] = {{"", 1},
                   {"QORVANA-FEC\t4\r\n", 1},
                   {"QORVANA-FEC\t1\r\n2\tM5UXCR1\t\t0\r\n", 2},
                   {"QORVANA-FEC\t2\r\n2\tM5UXCR1\t\t0\t\r\n", 2},
                   {"QORVANA-FEC\t1\r\n2\tA\t\t2\t\r\n", 2},
                   {"QORVANA-FEC\t1\r\n0\tA\t\t0\t\r\n", 2},
                   {"QORVANA-FEC\t1\r\n2\tA\t\t0\t\r\n2\tB\t\t0\t\r\n", 3}};
    for (const auto& d : damaged) {
        dir.write(file, d.text);
        const auto r = ReadEInvoiceCustomers(file, "qorvana.fec");
        EXPECT_FALSE(r) << d.text;
        EXPECT_NE(r.message().find("danneggiato alla riga " + std::to_string(d.line)),
                  std::string::npos)
            << r.message();
    }

    const struct {
        EInvoiceCustomer typed;
        std::string code;
        bool refused;
    } typed[] = {
        {{" m5uxcr1 ", "", false, ""}, "M5UXCR1", false},
        {{"M5UX-R1", "", false, ""}, "M5UX-R1", true},
        {{"", "senza-chiocciola.it", false, ""}, "", true},
        {{"", "", false, "DE 1234"}, "", true},
        // A declaration of intent: the receipt's protocol and date, both or neither.
        {{"", "", false, "", "", "", "08060120341234567/000001", "15/01/2026"}, "", false},
        {{"", "", false, "", "", "", "0806012034-000001", "15/01/2026"}, "", true},
    };
    for (const auto& t : typed) {
        EInvoiceCustomer data = t.typed;
        EXPECT_EQ(!NormaliseEInvoiceCustomer(data).empty(), t.refused) << t.typed.recipientCode;
        EXPECT_EQ(data.recipientCode, t.code);
    }
}

}  // namespace
}  // namespace qorvana
