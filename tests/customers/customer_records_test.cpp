#include <gtest/gtest.h>

#include "customers/agent_record.h"
#include "customers/customer_record.h"
#include "customers/einvoice_customers.h"
#include "customers/name_index_record.h"
#include "tests/layout_golden.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

using test::Image;

TEST(LayoutGolden, Customer) {
    Image<CustomerLayout> image;
    const test::GoldenText texts[] = {
        {0, cli::kName1, "ROSSI MARIO SRL"},
        {120, cli::kTown, "FORL\xCC", "FORLÌ"},
        {375, cli::kVatNumber, "01234567890"},
        {522, cli::kBankText, "BANCA DI FORL\xCC", "BANCA DI FORLÌ"},
        {673, cli::kNotes2, "Note \x80 2", "Note € 2"},
    };
    test::PlaceAndReadTexts(image, texts);
    image.bytes(515, {0x00, 0x01, 0x02, 0xFE, 0x80, 0x7F, 0xAA})
        .bytes(584, {0x1E, 0x00, 0x07, 0x00, 0x34, 0x12, 0x00, 0x80, 0x01, 0x00})
        .bytes(628, {0x09})
        .bytes(670, {0x7E, 0xFF, 0xFF})
        .bytes(712, {0x0D, 0x00})
        .bytes(750, {0x01, 0x00});
    test::ExpectReencodeUnchanged(image.record(), cli::kLayout);
}

TEST(LayoutGolden, NameIndex) {
    Image<NameIndexLayout> src;
    src.text(0, "ROSSI MARIO SRL").bytes(40, {0xFF, 0x7F});
    test::ExpectReencodeUnchanged(src.record(), src::kLayout);
}

TEST(LayoutGolden, Agent) {
    Image<AgentLayout> image;
    const test::GoldenText texts[] = {
        {0, age::kName1, "BIANCHI LUCA"},
        {478, age::kCode, "0007"},
        {535, age::kCarried535, "carried text"},
    };
    test::PlaceAndReadTexts(image, texts);
    image.bytes(442, {0x01, 0x02, 0x03})
        .bytes(581, {0xFE, 0xFF})
        .bytes(584, {0x3C, 0x00, 0x05, 0x00})
        .bytes(598, {0x00, 0x01});
    test::ExpectReencodeUnchanged(image.record(), age::kLayout);
}

// The customers' e-invoice data: written and read back; a file that does not read as
// written is damaged at its line; typed data normalised or refused.
TEST(EInvoiceCustomers, FileAndTypedData) {
    testing::TempDir dir;
    const auto file = dir.path() / "qorvana.fec";
    const EInvoiceCustomers written{{2, {"M5UXCR1", "", false, ""}},
                                    {9, {"", "ufficio@pec.it", true, "12345678901"}},
                                    {7, {"", "", false, "", "Niccolò", "D'Amico"}},
                                    {5, {}}};  // empty: not kept
    ASSERT_TRUE(WriteEInvoiceCustomers(file, "qorvana.fec", written));
    const EInvoiceCustomersRead read = ReadEInvoiceCustomers(file, "qorvana.fec");
    ASSERT_TRUE(read.customers) << read.problem;
    EXPECT_EQ(read.customers->size(), 3u);
    EXPECT_EQ(read.customers->at(9).pec, "ufficio@pec.it");
    EXPECT_TRUE(read.customers->at(9).splitPayment);
    EXPECT_EQ(read.customers->at(7).firstName + " " + read.customers->at(7).surname,
              "Niccolò D'Amico");
    EXPECT_TRUE(ReadEInvoiceCustomers(dir.path() / "none", "x").customers->empty());
    // A file of the first version, without names, is read as it was written.
    dir.write(file, "QORVANA-FEC\t1\r\n2\tM5UXCR1\t\t0\t\r\n");
    const EInvoiceCustomersRead first = ReadEInvoiceCustomers(file, "qorvana.fec");
    ASSERT_TRUE(first.customers) << first.problem;
    EXPECT_EQ(first.customers->at(2).recipientCode, "M5UXCR1");

    const struct {
        const char* text;
        int line;
    } damaged[] = {{"", 1},
                   {"QORVANA-FEC\t3\r\n", 1},
                   {"QORVANA-FEC\t1\r\n2\tM5UXCR1\t\t0\r\n", 2},
                   {"QORVANA-FEC\t2\r\n2\tM5UXCR1\t\t0\t\r\n", 2},
                   {"QORVANA-FEC\t1\r\n2\tA\t\t2\t\r\n", 2},
                   {"QORVANA-FEC\t1\r\n0\tA\t\t0\t\r\n", 2},
                   {"QORVANA-FEC\t1\r\n2\tA\t\t0\t\r\n2\tB\t\t0\t\r\n", 3}};
    for (const auto& d : damaged) {
        dir.write(file, d.text);
        const auto r = ReadEInvoiceCustomers(file, "qorvana.fec");
        EXPECT_FALSE(r.customers) << d.text;
        EXPECT_NE(r.problem.find("danneggiato alla riga " + std::to_string(d.line)),
                  std::string::npos)
            << r.problem;
    }

    const struct {
        EInvoiceCustomer typed;
        std::string code;
        bool refused;
    } typed[] = {{{" m5uxcr1 ", "", false, ""}, "M5UXCR1", false},
                 {{"ufh7q2", "", false, ""}, "UFH7Q2", false},
                 {{"ab1", "", false, ""}, "AB1", true},
                 {{"M5UX-R1", "", false, ""}, "M5UX-R1", true},
                 {{"", "senza-chiocciola.it", false, ""}, "", true},
                 {{"", "", false, "DE 1234"}, "", true},
                 {{"", "", false, "", "Mario", " "}, "", true}};
    for (const auto& t : typed) {
        EInvoiceCustomer data = t.typed;
        EXPECT_EQ(!NormaliseEInvoiceCustomer(data).empty(), t.refused) << t.typed.recipientCode;
        EXPECT_EQ(data.recipientCode, t.code);
    }
}

}  // namespace
}  // namespace qorvana
