#include "articles/article_lookup.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "articles/barcode_index_record.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/data_files.h"
#include "core/money.h"
#include "core/numbers.h"
#include "core/text.h"
#include "document/document_math.h"

namespace qorvana {
namespace {

constexpr int kCodeWidth = 15;
constexpr int kDescriptionWidth = 40;

bool IsAscii(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; });
}

// A text field trimmed of trailing blanks and NULs, as UTF-8 (fast for plain ASCII).
std::string FieldText(std::span<const std::uint8_t> bytes) {
    std::size_t end = bytes.size();
    while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == 0)) --end;
    const auto used = bytes.first(end);
    if (IsAscii(used)) return std::string(used.begin(), used.end());
    return DecodeText(used);
}

std::string Upper(const std::string& s) {
    const bool ascii = std::all_of(s.begin(), s.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii) return UpperCase(s);
    std::string u = s;
    for (char& c : u)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return u;
}

// Pads with blanks or cuts to `width` characters.
std::string Fit(const std::string& utf8, std::size_t width) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < utf8.size() && chars < width;) {
        std::size_t len = 1;
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        out.append(utf8, i, len);
        i += len;
        ++chars;
    }
    out.append(width - chars, ' ');
    return out;
}

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

int ArticleCount(const DataFiles& files) {
    return UsableEntries(files, tot::kArticles, kArt);
}

std::optional<std::string> ArticleCountProblem(const DataFiles& files) {
    if (auto problem = CountMismatch(files, tot::kArticles, kArt)) return problem;
    return CountMismatch(files, tot::kArticles, kSrb);
}

void ArticleList::add(std::span<const std::uint8_t, art::kLength> bytes, int record) {
    if (bytes[art::kDeleted.offset] != 0 || bytes[art::kDeleted.offset + 1] != 0) return;
    std::string code = FieldText(bytes.subspan(art::kCode.offset, art::kCode.width));
    if (code.empty()) return;
    ArticleListEntry e;
    e.description = FieldText(bytes.subspan(art::kDescription.offset, art::kDescription.width));
    e.codeKey = Upper(code);
    e.descriptionKey = Upper(e.description);
    e.code = std::move(code);
    e.record = static_cast<std::int16_t>(record);
    entries_.push_back(std::move(e));
}

namespace {

// The first 8 bytes of a key, zero-padded, as a number that orders as the bytes do: most
// comparisons of the sort end on it, without reaching the strings.
std::uint64_t KeyHead(const std::string& key) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return head;
}

// What the sort moves for one entry: small, so that the entries themselves move only once.
struct SortKey {
    std::uint64_t head;
    std::size_t index;  // in the entries as read
};

}  // namespace

void ArticleList::sort() {
    const bool byCode = form_ == ArticleListForm::CodeFirst;
    std::vector<SortKey> keys;
    keys.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        keys.push_back({KeyHead(byCode ? entries_[i].codeKey : entries_[i].descriptionKey), i});
    std::sort(keys.begin(), keys.end(), [this, byCode](const SortKey& ka, const SortKey& kb) {
        if (ka.head != kb.head) return ka.head < kb.head;
        const ArticleListEntry& a = entries_[ka.index];
        const ArticleListEntry& b = entries_[kb.index];
        const std::string& a1 = byCode ? a.codeKey : a.descriptionKey;
        const std::string& b1 = byCode ? b.codeKey : b.descriptionKey;
        if (int c = a1.compare(b1)) return c < 0;
        const std::string& a2 = byCode ? a.descriptionKey : a.codeKey;
        const std::string& b2 = byCode ? b.descriptionKey : b.codeKey;
        if (int c = a2.compare(b2)) return c < 0;
        return a.record < b.record;
    });
    std::vector<ArticleListEntry> sorted;
    sorted.reserve(entries_.size());
    for (const SortKey& k : keys) sorted.push_back(std::move(entries_[k.index]));
    entries_ = std::move(sorted);
}

ArticleList ArticleList::Build(const DataFiles& files, ArticleListForm form) {
    ArticleList list;
    list.form_ = form;
    const int count = ArticleCount(files);
    list.entries_.reserve(static_cast<std::size_t>(count));
    // Channel 19 is the article file opened for this list; channel 5 when it is not open.
    const auto add = [&list](std::int32_t n, const ArticleRecord& a) { list.add(a.bytes(), n); };
    if (files.isOpen(kArtText))
        files.scan<ArticleTextFile>(1, count, add);
    else
        files.scan<ArticlesFile>(1, count, add);
    list.sort();
    return list;
}

ArticleList ArticleList::FromArticles(const std::vector<ArticleRecord>& articles,
                                      ArticleListForm form) {
    ArticleList list;
    list.form_ = form;
    for (std::size_t i = 0; i < articles.size(); ++i)
        list.add(articles[i].bytes(), static_cast<int>(i + 1));
    list.sort();
    return list;
}

std::string ArticleList::text(int position) const {
    const ArticleListEntry& e = at(position);
    std::string t = form_ == ArticleListForm::CodeFirst
                        ? Fit(e.code, kCodeWidth) + " - " + Fit(e.description, kDescriptionWidth)
                        : Fit(e.description, kDescriptionWidth) + " - " + Fit(e.code, kCodeWidth);
    t.append(75, ' ');
    t += " " + std::to_string(e.record);
    return t;
}

std::optional<int> ArticleList::findCode(std::string_view typed) const {
    const std::string key = Upper(Trim(typed));
    if (key.empty()) return std::nullopt;
    if (form_ == ArticleListForm::CodeFirst) {
        // Sorted by code: the first entry not below the key is the first it can prefix.
        const auto it = std::lower_bound(
            entries_.begin(), entries_.end(), key,
            [](const ArticleListEntry& e, const std::string& k) { return e.codeKey < k; });
        if (it == entries_.end() || !StartsWith(it->codeKey, key)) return std::nullopt;
        return static_cast<int>(it - entries_.begin());
    }
    // In description order a longer code may come first: an exact code wins, so that every
    // code stays reachable.
    std::optional<int> first;
    for (int i = 0; i < size(); ++i) {
        const std::string& code = entries_[static_cast<std::size_t>(i)].codeKey;
        if (code == key) return i;
        if (!first && StartsWith(code, key)) first = i;
    }
    return first;
}

std::optional<int> ArticleList::findDescription(std::string_view typed) const {
    const std::string key = Upper(Trim(typed));
    if (key.empty()) return std::nullopt;
    for (int i = 0; i < size(); ++i)
        if (StartsWith(entries_[static_cast<std::size_t>(i)].descriptionKey, key)) return i;
    return std::nullopt;
}

std::optional<ArticleRecord> ReadLiveArticle(const DataFiles& files, int n) {
    if (n < 1 || n > ArticleCount(files)) return std::nullopt;
    ArticleRecord a = files.read<ArticlesFile>(n);
    if (a.int16(art::kDeleted) != 0) return std::nullopt;
    return a;
}

std::optional<int> FindArticleByBarcode(const DataFiles& files, std::string_view code) {
    const std::string wanted = Trim(code);
    const int n = UsableEntries(files, tot::kArticles, kSrb);
    int lower = 0;
    int upper = n + 1;
    int previous = -1;
    while (true) {
        const int probe = lower + (upper - lower) / 2;
        // Entries are 1..n: a probe outside them, or the same probe twice, means not found.
        if (probe < 1 || probe > n || probe == previous) return std::nullopt;
        previous = probe;
        const BarcodeIndexRecord entry = files.read<BarcodeIndexFile>(probe);
        const std::string found = Trim(entry.text(srb::kBarCode));
        if (found == wanted) {
            const int article = entry.int16(srb::kArticle);
            if (!ReadLiveArticle(files, article)) return std::nullopt;
            return article;
        }
        if (wanted > found)
            lower = probe;
        else
            upper = probe;
    }
}

int FallbackVatCode(const ArticleTerms& terms) {
    if (terms.customerVatCode >= 1 && terms.customerVatCode <= 24) return terms.customerVatCode;
    return terms.defaultVatCode >= 1 && terms.defaultVatCode <= 24 ? terms.defaultVatCode : 1;
}

void TakeArticle(DocumentLine& line, const ArticleRecord& article, int record,
                 const ArticleTerms& terms, const VatTable& vat, const Money& money) {
    line.articleRecord = static_cast<std::int16_t>(record);
    line.code = Trim(article.text(art::kCode));
    line.description = Trim(article.text(art::kDescription));
    int code = article.int16(art::kVatCode);
    if (terms.customerVatCode >= 1 && terms.customerVatCode <= 24) code = terms.customerVatCode;
    // A line without a code gets the fallback now, so that its price is grossed up with the
    // rate it will be taxed at.
    if (code < 1 || code > 24) code = FallbackVatCode(terms);
    line.vatCode = static_cast<std::int16_t>(code);
    double price = article.dbl(terms.secondPriceList ? art::kPrice2 : art::kPrice1);
    if (code < 13 && terms.vatInclusive)
        price = money.RoundCurrency(price * (100 + vat.rateOf(code)) / 100);
    line.unitPrice = price;
    line.unit = Trim(article.text(art::kUnit));
    line.unitWeight = article.dbl(art::kUnitWeight);
}

int WriteExtendedDescription(LineTable& lines, int line, const ExtraDescriptionRecord& extra) {
    if (extra.int16(prx::kMarker) != prx::kInUse) return 0;
    int target = line;
    int lost = 0;
    for (int i = 0; i < prx::kLineCount; ++i) {
        std::string text = Trim(extra.text(ExtraDescriptionRecord::At(prx::kLine, i)));
        if (text.empty()) continue;
        if (++target > LineTable::kLines) {
            ++lost;
            continue;
        }
        DocumentLine free;
        free.description = std::move(text);
        lines[target] = std::move(free);
    }
    return lost;
}

std::optional<int> TakeArticleIntoLines(const DataFiles& files, LineTable& lines, int line,
                                        int article, const ArticleTerms& terms, const VatTable& vat,
                                        const Money& money) {
    const auto record = ReadLiveArticle(files, article);
    if (!record) return std::nullopt;
    // Both records are read before the line changes: a failed read leaves it as it was.
    const auto extra = files.read<ExtraDescriptionsFile>(article);
    TakeArticle(lines[line], *record, article, terms, vat, money);
    return WriteExtendedDescription(lines, line, extra);
}

std::string ReadStockLabel(const DataFiles& files, int article) {
    return StockLabelText(files.read<ArticlesFile>(article), article);
}

std::string StockLabelText(const ArticleRecord& article, int record) {
    std::string t = Fit(Trim(article.text(art::kCode)), 15) + " - " +
                    Fit(Trim(article.text(art::kDescription)), 80) +
                    " - Giacenza:" + PlainNumberText(article.dbl(art::kStock)) +
                    " - Impegnato:" + PlainNumberText(article.dbl(art::kCommitted));
    char number[16];
    std::snprintf(number, sizeof number, "%05d", record);
    return Fit(t, 140) + number;
}

}  // namespace qorvana
