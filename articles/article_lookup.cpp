#include "articles/article_lookup.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdio>
#include <cstring>
#include <span>
#include <utility>

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

// Pads with blanks or cuts to `width` characters.
std::string Fit(std::string_view utf8, std::size_t width) {
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
        out.append(utf8.substr(i, len));
        i += len;
        ++chars;
    }
    out.append(width - chars, ' ');
    return out;
}

}  // namespace

int ArticleCount(const DataFiles& files) {
    return UsableEntries(files, tot::kArticles, kArt);
}

Status ArticleCountHolds(const DataFiles& files) {
    if (Status held = CountHolds(files, tot::kArticles, kArt); !held) return held;
    return CountHolds(files, tot::kArticles, kSrb);
}

std::string_view ArticleList::descriptionKey(const ArticleListEntry& e,
                                             std::string& scratch) const {
    if (e.descriptionKey.length != kKeyNotBuilt) return view(e.descriptionKey);
    scratch = UpperCase(view(e.description));
    return scratch;
}

void ArticleList::add(std::span<const std::uint8_t, art::kLength> bytes, int record) {
    if (bytes[art::kDeleted.offset] != 0 || bytes[art::kDeleted.offset + 1] != 0) return;
    const std::size_t mark = texts_.size();
    const auto code =
        texts_.appendFieldAndKey(bytes.subspan<art::kCode.offset, art::kCode.width>());
    if (code.text.length == 0) {
        texts_.truncate(mark);
        return;
    }
    // The code-first list needs a description key only to order entries with the same code:
    // it is worked out then (descriptionKey), not built for every article.
    const auto bytesOfDescription =
        bytes.subspan<art::kDescription.offset, art::kDescription.width>();
    const auto description =
        form_ == ArticleListForm::DescriptionFirst
            ? texts_.appendFieldAndKey(bytesOfDescription)
            : TextBuffer::TextAndKey{texts_.appendField(bytesOfDescription), {0, kKeyNotBuilt}};
    entries_.push_back({code.text, description.text, code.key, description.key,
                        static_cast<std::int16_t>(record)});
}

namespace {

// What the sort moves for one entry, in one number that orders as the entries should: 6 bytes
// of the key from `from` on, zero-padded, then the entry's index as read (articles are records
// 1..32,767, so the index takes 16 bits), which keeps equal heads in reading order.
constexpr int kHeadBytes = 6;
std::uint64_t SortKey(std::string_view key, std::size_t from, std::size_t index) {
    std::uint64_t head = 0;
    if (std::endian::native == std::endian::little && key.size() >= from + 8) {
        std::memcpy(&head, key.data() + from, 8);
        head = __builtin_bswap64(head) >> 16;  // the first bytes most significant
    } else {
        for (std::size_t i = from; i < from + kHeadBytes; ++i)
            head = head << 8 | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    }
    return head << 16 | index;
}
std::uint64_t HeadOf(std::uint64_t key) {
    return key >> 16;
}
std::size_t IndexOf(std::uint64_t key) {
    return key & 0xFFFF;
}

// Orders the keys by head with a byte-wise radix sort, which does not stall, as comparisons
// do, on the unpredictable order in which articles are read. The keys come in index order and
// every pass is stable: equal heads stay in that order.
void SortByHead(std::vector<std::uint64_t>& keys) {
    std::array<std::array<std::size_t, 256>, kHeadBytes> counts{};
    for (const std::uint64_t k : keys)
        for (int d = 0; d < kHeadBytes; ++d) ++counts[d][(k >> (16 + 8 * d)) & 0xFF];
    std::vector<std::uint64_t> sorted(keys.size());
    for (int d = 0; d < kHeadBytes; ++d) {
        auto& start = counts[d];
        // A byte all keys share orders nothing.
        if (std::find(start.begin(), start.end(), keys.size()) != start.end()) continue;
        std::size_t sum = 0;
        for (std::size_t& s : start) sum += std::exchange(s, sum);
        const int shift = 16 + 8 * d;
        for (const std::uint64_t k : keys) sorted[start[(k >> shift) & 0xFF]++] = k;
        keys.swap(sorted);
    }
}

// How many bytes `key` shares with the first `common` bytes of `first`.
std::size_t SharedLength(std::string_view first, std::size_t common, std::string_view key) {
    if (key.size() >= common && std::memcmp(first.data(), key.data(), common) == 0) return common;
    const std::string_view a = first.substr(0, common);
    return static_cast<std::size_t>(
        std::mismatch(a.begin(), a.end(), key.begin(), key.end()).first - a.begin());
}

}  // namespace

void ArticleList::sort() {
    const bool byCode = form_ == ArticleListForm::CodeFirst;
    const auto first = [&](const ArticleListEntry& e) {
        return view(byCode ? e.codeKey : e.descriptionKey);
    };
    // Keys often share a long beginning ("Articolo ..."): the heads are taken after it, so that
    // most comparisons end on them without reaching the texts.
    std::size_t common = entries_.empty() ? 0 : first(entries_[0]).size();
    for (const ArticleListEntry& e : entries_)
        common = SharedLength(first(entries_[0]), common, first(e));
    std::vector<std::uint64_t> keys;
    keys.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        keys.push_back(SortKey(first(entries_[i]), common, i));
    SortByHead(keys);
    // Keys with the same head are ordered on the whole texts, then the record.
    std::string scratchA;
    std::string scratchB;
    const auto before = [&](std::uint64_t ka, std::uint64_t kb) {
        const ArticleListEntry& a = entries_[IndexOf(ka)];
        const ArticleListEntry& b = entries_[IndexOf(kb)];
        if (int c = first(a).compare(first(b))) return c < 0;
        const std::string_view a2 = byCode ? descriptionKey(a, scratchA) : view(a.codeKey);
        const std::string_view b2 = byCode ? descriptionKey(b, scratchB) : view(b.codeKey);
        if (int c = a2.compare(b2)) return c < 0;
        return a.record < b.record;
    };
    for (auto run = keys.begin(); run != keys.end();) {
        const auto end = std::find_if(run, keys.end(),
                                      [&](std::uint64_t k) { return HeadOf(k) != HeadOf(*run); });
        if (end - run > 1) std::sort(run, end, before);
        run = end;
    }
    order_.reserve(keys.size());
    for (const std::uint64_t k : keys) order_.push_back(static_cast<std::uint16_t>(IndexOf(k)));
}

ArticleList ArticleList::Build(const DataFiles& files, ArticleListForm form) {
    ArticleList list;
    list.form_ = form;
    const int count = ArticleCount(files);
    list.entries_.reserve(static_cast<std::size_t>(count));
    // Room for every text of plain-ASCII articles, so that the buffer is never copied as it
    // grows: only the pages written are ever touched.
    list.texts_.reserve(static_cast<std::size_t>(count) * 2 *
                        (art::kCode.width + art::kDescription.width));
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
    // Article records are numbered 1..32,767, as a line's article number holds them.
    const std::size_t count = std::min<std::size_t>(articles.size(), INT16_MAX);
    for (std::size_t i = 0; i < count; ++i) list.add(articles[i].bytes(), static_cast<int>(i + 1));
    list.sort();
    return list;
}

std::string ArticleList::text(int position) const {
    const std::string_view c = code(position);
    const std::string_view d = description(position);
    std::string t = form_ == ArticleListForm::CodeFirst
                        ? Fit(c, kCodeWidth) + " - " + Fit(d, kDescriptionWidth)
                        : Fit(d, kDescriptionWidth) + " - " + Fit(c, kCodeWidth);
    t.append(75, ' ');
    t += " " + std::to_string(record(position));
    return t;
}

std::optional<int> ArticleList::findCode(std::string_view typed) const {
    const std::string key = UpperCase(Trim(typed));
    if (key.empty()) return std::nullopt;
    if (form_ == ArticleListForm::CodeFirst) {
        // Sorted by code: the first entry not below the key is the first it can prefix.
        const auto it = std::lower_bound(order_.begin(), order_.end(), key,
                                         [this](std::uint16_t i, const std::string& k) {
                                             return view(entries_[i].codeKey) < k;
                                         });
        if (it == order_.end() || !view(entries_[*it].codeKey).starts_with(key))
            return std::nullopt;
        return static_cast<int>(it - order_.begin());
    }
    // In description order a longer code may come first: an exact code wins, so that every
    // code stays reachable.
    std::optional<int> first;
    for (int i = 0; i < size(); ++i) {
        const std::string_view code = view(entry(i).codeKey);
        if (code == key) return i;
        if (!first && code.starts_with(key)) first = i;
    }
    return first;
}

std::optional<int> ArticleList::findDescription(std::string_view typed) const {
    const std::string key = UpperCase(Trim(typed));
    if (key.empty()) return std::nullopt;
    std::string scratch;
    for (int i = 0; i < size(); ++i)
        if (descriptionKey(entry(i), scratch).starts_with(key)) return i;
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
