#include "fatturapa/xml_text.h"

#include <gtest/gtest.h>

#include "core/cp1252.h"

namespace qorvana {
namespace {

TEST(XmlText, ValuesAreCleanedTransliteratedAndEscaped) {
    struct Row {
        std::string stored;  // UTF-8, as read from a record
        XmlCharset charset;
        std::string value;
    };
    const Row rows[] = {
        {"5 € l’una, “extra” – œuvre…", XmlCharset::Latin1, "5 EUR l'una, \"extra\" - oeuvre..."},
        {"Perché ÿ\r\n", XmlCharset::Latin1, "Perché"},
        {"Città 15° Nº", XmlCharset::BasicLatin, "Citta 15o No"},
        {"ŠŽ šž Ÿ ™", XmlCharset::BasicLatin, "SZ sz Y TM"},
        {"\x01\x02", XmlCharset::Latin1, ""},
    };
    for (const auto& r : rows) EXPECT_EQ(XmlValue(r.stored, r.charset), r.value) << r.stored;
    EXPECT_EQ(XmlEscape("a&b<c>d\"e'"), "a&amp;b&lt;c&gt;d\"e'");
    // Every character of Windows-1252 gives valid UTF-8 within Latin-1.
    std::string all;
    for (int c = 32; c < 256; ++c) all += static_cast<char>(c);
    const std::string value = XmlValue(Cp1252ToUtf8(all), XmlCharset::Latin1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto b = static_cast<unsigned char>(value[i]);
        EXPECT_TRUE(b < 0x80 || b == 0xC2 || b == 0xC3 || (b >= 0x80 && b < 0xC0)) << i;
    }
    EXPECT_EQ(Utf8ToCp1252(value).size(), XmlLength(value));
}

TEST(XmlText, NumbersAndDates) {
    EXPECT_EQ(XmlAmount(-0.001), "0.00");
    EXPECT_EQ(XmlAmount(-12.345678), "-12.35");
    EXPECT_EQ(XmlAmount(123456789012.0), "123456789012.00");
    EXPECT_EQ(XmlDate("30/02/2024"), std::nullopt);  // valid ones: every script's e-invoices
}

}  // namespace
}  // namespace qorvana
