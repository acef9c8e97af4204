#include "company/company_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>

#include "core/session.h"
#include "core/tab_file.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

constexpr const char* kCompany = testing::kCompanyFolder;

class CompanySettingsTest : public ::testing::Test, protected testing::CompanyDrive {
  protected:
    // A qorvana.tab whose VAT code 1 has `rate`.
    void writeTab(const std::string& rate) {
        std::string text;
        for (int n = 1; n <= TabFile::kLines; ++n)
            text += (n == TabFile::VatCodeLine(1) ? rate : std::string()) + "\r\n";
        writeCompany("qorvana.tab", text);
    }
    // A qorvana.fpa whose separate-series switch (offset 707) and series position (708) are
    // `separate` and `position`.
    void writeFpa(char separate, char position) {
        std::string bytes(fpa::kLength, ' ');
        bytes[707] = separate;
        bytes[708] = position;
        writeCompany("qorvana.fpa", bytes);
    }
};

// Read at start, but for the print tables; the header re-reads the VAT table and qorvana.fpa,
// the body the print tables; a file that cannot be read is told by the window that reads it.
TEST_F(CompanySettingsTest, LoadedAtStartAndReadAgainByPart) {
    EXPECT_FALSE(SettingsOf(std::as_const(session)).vat.loaded);
    writeTab("22");
    writeFpa('1', '2');
    EXPECT_TRUE(LoadCompanySettings(session).empty());
    const CompanySettings& settings = SettingsOf(session);
    EXPECT_DOUBLE_EQ(settings.vat.rateOf(1), 22);
    EXPECT_TRUE(settings.fpaSeparateNumbering());
    EXPECT_EQ(settings.fpaSeriesPosition(), 2);
    EXPECT_EQ(session.runSettings.pdfFolder, "");  // the print tables wait

    const struct {
        const char* rate;
        char separate;
        std::vector<std::string> (*reread)(Session&);
        double rateAfter;
        bool separateAfter;
    } cases[] = {
        {"10", '0', RereadHeaderSettings, 10, false},
        {"4", '1', RereadBodySettings, 4, false},  // the body leaves qorvana.fpa alone
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rate);
        writeTab(c.rate);
        writeFpa(c.separate, '0');
        EXPECT_TRUE(c.reread(session).empty());
        EXPECT_DOUBLE_EQ(settings.vat.rateOf(1), c.rateAfter);
        EXPECT_EQ(settings.fpaSeparateNumbering(), c.separateAfter);
    }
    EXPECT_EQ(session.runSettings.pdfFolder, "C:");  // read with the body's part

    // A qorvana.fpa that is there but cannot be read: not the start's to tell, the header's.
    std::filesystem::remove(drive.path() / kCompany / "qorvana.fpa");
    std::filesystem::create_directory(drive.path() / kCompany / "qorvana.fpa");
    EXPECT_TRUE(LoadCompanySettings(session).empty());
    const auto told = RereadHeaderSettings(session);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("\\qorwin\\qorwin\\qoraz0.001\\qorvana.fpa"), std::string::npos)
        << told[0];
    EXPECT_FALSE(SettingsOf(session).fpaSeparateNumbering());
}

// Read at start and held for every document (no re-read changes it); a wrong value is the
// start's to tell, and leaves the setting off.
TEST_F(CompanySettingsTest, EInvoiceSettingHeldFromTheStart) {
    const std::string file = std::string(kCompany) + "qorvana-fe.ini";
    drive.write(file, "tutti_i_clienti=si\r\nbollo_a_carico_del_cliente=si\r\n");
    EXPECT_TRUE(LoadCompanySettings(session).empty());
    const CompanySettings& settings = SettingsOf(session);
    EXPECT_TRUE(settings.einvoice.everyCustomer);
    EXPECT_TRUE(settings.einvoice.chargeStampDuty);

    drive.write(file, "tutti_i_clienti=no\r\n");
    RereadHeaderSettings(session);
    RereadBodySettings(session);
    const Result<CustomerEInvoiceTerms> terms =
        ReadEInvoiceTerms(session, settings.einvoice, settings.headerTables, 0);
    ASSERT_TRUE(terms) << terms.message();
    EXPECT_TRUE(terms->terms.everyCustomer);
    EXPECT_TRUE(terms->terms.chargeStampDuty);

    drive.write(file, "tutti_i_clienti=forse\r\n");
    const auto told = LoadCompanySettings(session);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("qorvana-fe.ini tutti_i_clienti vale \"forse\""), std::string::npos)
        << told[0];
    EXPECT_FALSE(settings.einvoice.everyCustomer);
}

// The company's account and the stamp duty of its VAT codes; a wrong value is told and left
// out alone, the rest of the file kept.
TEST_F(CompanySettingsTest, EInvoiceAccountAndStampDutyOfCodes) {
    const std::string file = std::string(kCompany) + "qorvana-fe.ini";
    drive.write(file,
                "tutti_i_clienti=si\r\niban=it60 x054 2811 1010 0000 0123 456\r\n"
                "bollo_codice_iva_15=si\r\nBOLLO_CODICE_IVA_14=no\r\n");
    EXPECT_TRUE(LoadCompanySettings(session).empty());
    const EInvoiceSettings& read = SettingsOf(session).einvoice;
    EXPECT_EQ(read.iban, "IT60X0542811101000000123456");
    EXPECT_EQ(read.stampDutyByVatCode, (std::map<int, bool>{{14, false}, {15, true}}));

    drive.write(file,
                "tutti_i_clienti=si\r\niban=IT61X0542811101000000123456\r\n"
                "bollo_codice_iva_5=si\r\nbollo_codice_iva_16=forse\r\n"
                "bollo_codice_iva_17=no\r\n");
    const auto told = LoadCompanySettings(session);
    ASSERT_EQ(told.size(), 1u);
    for (const char* said :
         {"l'iban \"IT61X0542811101000000123456\" ha le cifre di controllo errate",
          "bollo_codice_iva_5 non vale: il bollo si indica per i codici IVA da 13 a 24",
          "bollo_codice_iva_16 vale \"forse\""})
        EXPECT_NE(told[0].find(said), std::string::npos) << told[0];
    EXPECT_TRUE(read.everyCustomer);
    EXPECT_EQ(read.iban, "");
    EXPECT_EQ(read.stampDutyByVatCode, (std::map<int, bool>{{17, false}}));
}

}  // namespace
}  // namespace qorvana
