#include "articles/article_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "articles/barcode_index_record.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/data_files.h"
#include "core/money.h"
#include "document/document_math.h"
#include "tests/temp_dir.h"

namespace qorvana {
namespace {

ArticleRecord Article(const std::string& code, const std::string& description = "Descr",
                      int vat = 1, double price1 = 10, double price2 = 20, bool deleted = false) {
    ArticleRecord a;
    for (auto& b : a.bytes()) b = ' ';
    a.setText(art::kCode, code);
    a.setText(art::kDescription, description);
    a.setText(art::kUnit, "PZ");
    a.setInt16(art::kVatCode, static_cast<std::int16_t>(vat));
    a.setDouble(art::kPrice1, price1);
    a.setDouble(art::kPrice2, price2);
    a.setDouble(art::kStock, 12.5);
    a.setDouble(art::kCommitted, 3);
    a.setDouble(art::kUnitWeight, 0.75);
    a.setInt16(art::kDeleted, deleted ? 1 : 0);
    return a;
}

// A company folder with articles, their bar-code index and the article counter.
struct CompanyFiles : testing::TempCompany {
    CompanyFiles(const std::vector<ArticleRecord>& articles, int count,
                 const std::vector<std::pair<std::string, int>>& barcodes = {})
        : TempCompany(3) {
        WriteRecordCount(files, tot::kArticles, count);
        for (std::size_t i = 0; i < articles.size(); ++i)
            files.write<ArticlesFile>(static_cast<int>(i) + 1, articles[i]);
        for (std::size_t i = 0; i < barcodes.size(); ++i) {
            BarcodeIndexRecord r;
            r.setText(srb::kBarCode, barcodes[i].first);
            r.setInt16(srb::kArticle, static_cast<std::int16_t>(barcodes[i].second));
            files.write<BarcodeIndexFile>(static_cast<int>(i) + 1, r);
        }
    }
};

// Deleted articles and empty codes are left out; an exact code is found before the longer
// codes it begins, in either case.
TEST(ArticleList, ExactCodeComesFirstAndSearchIsCaseBlind) {
    const ArticleList list =
        ArticleList::FromArticles({Article("ABC", "Terzo"), Article("AB", "Primo"),
                                   Article("ABD", "Cancellato", 1, 0, 0, true),
                                   Article("", "Senza codice"), Article("abd", "Minuscolo")},
                                  ArticleListForm::CodeFirst);
    ASSERT_EQ(list.size(), 3);

    const std::pair<const char*, int> searches[] = {{"AB", 2},  {"ab", 2},  {" A ", 2},
                                                    {"ABC", 1}, {"abd", 5}, {"ABD", 5}};
    for (const auto& [typed, record] : searches) {
        const auto at = list.findCode(typed);
        ASSERT_TRUE(at) << typed;
        EXPECT_EQ(list.record(*at), record) << typed;
    }
    EXPECT_FALSE(list.findCode("ABE"));
    EXPECT_FALSE(list.findCode("   "));
}

TEST(ArticleList, DescriptionFirstForm) {
    const ArticleList list = ArticleList::FromArticles(
        {Article("Z1", "Viti"), Article("A1", "Bulloni"), Article("M1", "Dadi"),
         Article("AB", "Zanche"), Article("ABC", "Anelli"), Article("ÈX", "ètna")},
        ArticleListForm::DescriptionFirst);
    ASSERT_EQ(list.size(), 6);  // a description found by its start: body.qrs, F1
    EXPECT_EQ(list.record(*list.findCode("a")), 5);
    // Accented letters: the field decoded from Windows-1252, its key upper-cased as the suite
    // does, so that "ètna" sorts after every plain letter and is found in either case.
    EXPECT_EQ(list.description(5), "ètna");
    EXPECT_EQ(list.code(5), "ÈX");
    EXPECT_EQ(list.record(*list.findDescription("ÈT")), 6);
    EXPECT_EQ(list.record(*list.findCode("èx")), 6);
    EXPECT_FALSE(list.findDescription("Chiodi"));
}

// Keys that share long beginnings, differ only past their first 8 bytes, are prefixes of one
// another or are equal: the list's order must be the plain order of (key, other key, record).
TEST(ArticleList, OrderMatchesAPlainSortOnTrickyKeys) {
    std::mt19937 random(7);
    const auto pick = [&](std::initializer_list<const char*> texts) {
        return std::string(texts.begin()[random() % texts.size()]);
    };
    std::vector<ArticleRecord> articles;
    for (int n = 0; n < 400; ++n)
        articles.push_back(Article(pick({"ART-0000", "art-0000", "ART-0000X", "A", "ART-00001"}) +
                                       pick({"", "1", "b", "B", "10", "~"}),
                                   pick({"Articolo di prova numero", "ARTICOLO DI PROVA NUMERO",
                                         "Articolo di prova numer", "Articolo di prova númer"}) +
                                       pick({"", " 1", " 2", " 10", "a", " à", " À"})));
    const auto upper = [](std::string_view s) { return UpperCase(s); };
    for (ArticleListForm form : {ArticleListForm::CodeFirst, ArticleListForm::DescriptionFirst}) {
        const ArticleList list = ArticleList::FromArticles(articles, form);
        ASSERT_EQ(list.size(), 400);
        std::vector<std::tuple<std::string, std::string, int>> expected;
        for (int i = 0; i < list.size(); ++i) {
            const std::string code = upper(list.code(i));
            const std::string description = upper(list.description(i));
            if (form == ArticleListForm::CodeFirst)
                expected.emplace_back(code, description, list.record(i));
            else
                expected.emplace_back(description, code, list.record(i));
        }
        EXPECT_TRUE(std::is_sorted(expected.begin(), expected.end()));
    }
}

TEST(ArticleList, BuildsFromRecordsUpToTheCount) {
    std::vector<ArticleRecord> articles;
    for (int n = 1; n <= 60; ++n) {
        char code[16];
        std::snprintf(code, sizeof code, "C%03d", 61 - n);
        articles.push_back(Article(code, "Articolo", 1, 0, 0, n == 7));
    }
    CompanyFiles company(articles, 45);
    const ArticleList list = ArticleList::Build(company.files, ArticleListForm::CodeFirst);
    ASSERT_EQ(list.size(), 44);  // 45 counted, one deleted
    EXPECT_EQ(list.record(0), 45);
    for (int i = 0; i < list.size(); ++i) {
        EXPECT_LE(list.record(i), 45);
        EXPECT_NE(list.record(i), 7);
    }
}

TEST(BarcodeSearch, FoundMissingDeletedAndOutOfRange) {
    CompanyFiles company(
        {Article("A"), Article("B"), Article("C", "Cancellato", 1, 0, 0, true), Article("D")}, 4,
        {{"111", 1}, {"333", 2}, {"555", 3}, {"777", 9}});
    EXPECT_EQ(FindArticleByBarcode(company.files, " 111 "), 1);
    for (const char* code : {"000", "999", "222", "", "555", "777"})
        EXPECT_FALSE(FindArticleByBarcode(company.files, code)) << code;

    CompanyFiles empty({}, 0, {});
    EXPECT_FALSE(FindArticleByBarcode(empty.files, "111"));
}

TEST(TakeArticle, VatCodePriceAndUnit) {
    VatTable vat;
    vat.rate[1] = 22;
    vat.rate[5] = 10;
    const Money euro(true, 2);
    struct Case {
        const char* name;
        int articleVat;
        ArticleTerms terms;
        int expectedVat;
        double expectedPrice;
    };
    const Case cases[] = {
        {"customer 25 ignored", 1, {25, 1, false, false}, 1, 10},
        {"no code: default first, then gross-up", 0, {0, 1, false, true}, 1, 12.2},
        {"no code: customer first", 0, {5, 1, false, true}, 5, 11},
        {"exempt code not grossed up", 14, {0, 1, false, true}, 14, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DocumentLine line;
        line.quantity = 4;
        TakeArticle(line, Article("  XY1", "Vite  ", c.articleVat), 8, c.terms, vat, euro);
        EXPECT_EQ(line.vatCode, c.expectedVat);
        EXPECT_DOUBLE_EQ(line.unitPrice, c.expectedPrice);
        EXPECT_DOUBLE_EQ(line.quantity, 4);  // the quantity is the operator's
    }

    // Price precision: slot 5 decimals, or whole lire.
    const ArticleTerms inclusive{0, 1, false, true};
    const std::pair<Money, double> precisions[] = {
        {Money(true, 2), 12.20}, {Money(true, 3), 12.199}, {Money(false, 2), 12}};
    for (const auto& [money, expected] : precisions) {
        DocumentLine line;
        TakeArticle(line, Article("P", "Prezzo", 1, 9.999), 1, inclusive, vat, money);
        EXPECT_DOUBLE_EQ(line.unitPrice, expected);
    }
}

ExtraDescriptionRecord Extra(std::int16_t marker, const std::vector<std::string>& texts) {
    ExtraDescriptionRecord r;
    for (auto& b : r.bytes()) b = ' ';
    for (std::size_t i = 0; i < texts.size(); ++i)
        r.setText(ExtraDescriptionRecord::At(prx::kLine, i), texts[i]);
    r.setInt16(prx::kMarker, marker);
    return r;
}

TEST(ExtendedDescription, OverwritesBelowAndStopsAtLine500) {
    LineTable lines;
    for (int n = 1; n <= 30; ++n) {
        lines[n].code = "L" + std::to_string(n);
        lines[n].quantity = 1;
        lines[n].unitPrice = 5;
    }
    EXPECT_EQ(WriteExtendedDescription(lines, 10, Extra(122, {"uno", "due"})), 0);
    EXPECT_EQ(lines[11].code, "L11");

    EXPECT_EQ(WriteExtendedDescription(lines, 10, Extra(123, {"uno", "  ", " due", "tre"})), 0);
    EXPECT_EQ(lines[12].description, "due");
    EXPECT_TRUE(lines[13].code.empty());
    EXPECT_EQ(lines[13].unitPrice, 0);
    EXPECT_EQ(lines[14].code, "L14");
    EXPECT_EQ(WriteExtendedDescription(lines, 500, Extra(123, {"riga"})), 1);
}

// Taking an article as the body form does: the article and its extended description read,
// or the line left alone when there is no such live article.
TEST(TakeArticleIntoLines, LiveArticleWithItsDescription) {
    CompanyFiles company({Article("A", "Primo"), Article("B", "Cancellato", 1, 0, 0, true),
                          Article("C", "Oltre il contatore")},
                         2);
    company.files.write<ExtraDescriptionsFile>(1, Extra(123, {"aggiunta"}));
    VatTable vat;
    vat.rate[1] = 22;
    // Taken at `line`: the lines lost past line 500, the line's code and the line below.
    const auto take = [&](int article, int line) {
        LineTable lines;
        lines[line].code = "old";
        if (line < 500) lines[line + 1].description = "kept";
        const auto lost =
            TakeArticleIntoLines(company.files, lines, line, article, ArticleTerms{}, vat, Money());
        return std::tuple(lost, lines[line].code, line < 500 ? lines[line + 1].description : "");
    };
    EXPECT_EQ(take(1, 4), std::tuple(std::optional(0), "A", "aggiunta"));
    EXPECT_EQ(take(1, 500), std::tuple(std::optional(1), "A", ""));
    for (int article : {2, 3, 0, -1, 32767})  // deleted, beyond the count, outside the file
        EXPECT_EQ(take(article, 4), std::tuple(std::optional<int>(), "old", "kept")) << article;
    EXPECT_EQ(ReadStockLabel(company.files, 1), StockLabelText(Article("A", "Primo"), 1));
}

TEST(StockLabel, Layout) {
    const std::string text = StockLabelText(Article("AB", "Bulloni"), 7);
    ASSERT_EQ(text.size(), 145u);
    EXPECT_EQ(text.substr(0, 20), "AB              - Bu");
    EXPECT_EQ(text.substr(98, 33), " - Giacenza:12.5 - Impegnato:3   ");
    EXPECT_EQ(text.substr(140), "00007");
}

}  // namespace
}  // namespace qorvana
