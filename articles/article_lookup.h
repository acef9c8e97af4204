#pragma once
// Finding articles: the article list List1 (code first or description first, kept sorted so
// that an exact code is the first entry it prefixes), the bar-code index, and taking an
// article into a document line with its extended description.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "articles/article_record.h"
#include "articles/extra_description_record.h"
#include "core/result.h"
#include "core/text_buffer.h"
#include "document/line_table.h"

namespace qorvana {

class DataFiles;
class Money;
struct VatTable;

enum class ArticleListForm { CodeFirst = 0, DescriptionFirst = 1 };

// Number of articles in use (counters record 3), but no more than qorvana.art holds; 0 when
// the counter is negative.
int ArticleCount(const DataFiles& files);
// Done when counters record 3 counts no more articles than qorvana.art and the bar-code
// index qorvana.srb hold; else a failure saying so, in Italian.
Status ArticleCountHolds(const DataFiles& files);

// One entry of the article list. Its texts lie in the list's one text buffer, so that a list
// of 32,767 articles is a few allocations, not four strings an article.
struct ArticleListEntry {
    using Text = TextBuffer::Text;
    Text code;            // trimmed, UTF-8
    Text description;     // trimmed, UTF-8
    Text codeKey;         // upper case, for searching
    Text descriptionKey;  // built for the description-first form only (else kKeyNotBuilt)
    std::int16_t record = 0;
};
inline constexpr std::uint32_t kKeyNotBuilt = UINT32_MAX;

class ArticleList {
  public:
    ArticleList() = default;
    // Reads articles 1..count (a non-empty code, not deleted) and sorts them in the form's
    // order.
    static ArticleList Build(const DataFiles& files, ArticleListForm form);
    // Same from records already in memory: record i + 1 is articles[i].
    static ArticleList FromArticles(const std::vector<ArticleRecord>& articles,
                                    ArticleListForm form);

    ArticleListForm form() const { return form_; }
    int size() const { return static_cast<int>(order_.size()); }
    int record(int position) const { return entry(position).record; }
    std::string_view code(int position) const { return view(entry(position).code); }
    std::string_view description(int position) const { return view(entry(position).description); }
    // The entry text as the list shows it: code (15), " - ", description (40), 75 blanks and
    // the record number with a leading blank; description first in the other form.
    std::string text(int position) const;

    // First entry (in list order) whose code, upper case, begins with the typed text trimmed
    // and upper-cased, an entry with exactly that code first; nullopt when none or the text
    // is empty.
    std::optional<int> findCode(std::string_view typed) const;
    // The same on the description.
    std::optional<int> findDescription(std::string_view typed) const;

  private:
    const ArticleListEntry& entry(int position) const {
        return entries_[order_.at(static_cast<std::size_t>(position))];
    }
    std::string_view view(ArticleListEntry::Text t) const { return texts_.view(t); }
    std::string_view descriptionKey(const ArticleListEntry& e, std::string& scratch) const;
    void add(std::span<const std::uint8_t, art::kLength> bytes, int record);
    void sort();

    ArticleListForm form_ = ArticleListForm::CodeFirst;
    std::vector<ArticleListEntry> entries_;  // as read
    std::vector<std::uint16_t> order_;       // the list: indexes into entries_
    TextBuffer texts_;
};

// Binary search of the bar-code index over entries 1..article count (no more than the index
// holds). Returns the article record number when the code is found, the number lies in
// 1..article count and the article is not deleted.
std::optional<int> FindArticleByBarcode(const DataFiles& files, std::string_view code);

// Reads article n when it lies in 1..article count and is not deleted.
std::optional<ArticleRecord> ReadLiveArticle(const DataFiles& files, int n);

// What taking an article into a line needs besides the article.
struct ArticleTerms {
    int customerVatCode = 0;  // customer's own code; used when 1..24
    int defaultVatCode = 1;   // general settings default
    bool secondPriceList = false;
    bool vatInclusive = false;  // scorporo: list prices are grossed up
};

// The VAT code a priced line without one gets: the customer's when 1..24, else the default.
int FallbackVatCode(const ArticleTerms& terms);

// Fills `line` from article `record`: code, description, VAT code (customer override, else
// the article's, else the fallback), price of the chosen list grossed up to price precision
// when VAT-inclusive, unit and unit weight.
void TakeArticle(DocumentLine& line, const ArticleRecord& article, int record,
                 const ArticleTerms& terms, const VatTable& vat, const Money& money);

// Writes the non-empty lines of a valid extended description as free lines below `line`,
// overwriting them, up to line 500. Returns how many lines did not fit.
int WriteExtendedDescription(LineTable& lines, int line, const ExtraDescriptionRecord& extra);

// Takes live article `article` into line `line` of `lines` (TakeArticle), its extended
// description below it (WriteExtendedDescription): the description lines that did not fit,
// or nullopt when there is no such live article and the line is left as it was.
std::optional<int> TakeArticleIntoLines(const DataFiles& files, LineTable& lines, int line,
                                        int article, const ArticleTerms& terms, const VatTable& vat,
                                        const Money& money);

// The stock label: code (15), " - ", description (80), " - Giacenza:", stock, " - Impegnato:",
// committed, padded or cut to 140 characters, then the record number as five digits.
std::string StockLabelText(const ArticleRecord& article, int record);

// The stock label of article record `article` as read now.
std::string ReadStockLabel(const DataFiles& files, int article);

}  // namespace qorvana
