#pragma once
// The files of the company's data-file set, one type per file: its channel, its extension
// and its record layout. Each layout is a type of its own holding its record length
// (written here once; the layout headers declare the fields), so a record of one layout
// cannot be read from or written to a file of another, and a field of one layout cannot be
// used on a record of another. Two files that share a layout (invoices and receipts) share
// its record type.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/record.h"

namespace qorvana {

enum Channel : int {
    kTot = 15,
    kCli = 1,
    kSrc = 2,
    kFte = 3,
    kF2e = 13,
    kRic = 4,
    kArt = 5,
    kSra = 6,
    kMag = 7,
    kSrb = 8,
    kBol = 9,
    kAge = 10,
    kPrv = 11,
    kPrx = 12,
    kCon = 17,
    kGio = 18,
    kArtText = 19,
};

// A counted file holds no more records than its 16-bit counter in qorvana.tot can count.
inline constexpr std::int32_t kMaxCountedRecords = 32767;

struct CountersLayout : RecordLayout<12> {};
struct CustomerLayout : RecordLayout<752> {};
struct NameIndexLayout : RecordLayout<42> {};
struct DocumentLayout : RecordLayout<522> {};
struct ContinuationLayout : RecordLayout<838> {};
struct ArticleLayout : RecordLayout<327> {};
struct ArticleIndexLayout : RecordLayout<17> {};
struct MovementLayout : RecordLayout<94> {};
struct BarcodeIndexLayout : RecordLayout<15> {};
struct DeliveryNoteLayout : RecordLayout<97> {};
struct AgentLayout : RecordLayout<600> {};
struct QuoteLayout : RecordLayout<284> {};
struct ExtraDescriptionLayout : RecordLayout<502> {};
struct AccountLayout : RecordLayout<150> {};
struct JournalLayout : RecordLayout<296> {};

// `LastRecord`: the highest record number the file's numbering reaches.
template <Channel C, class L, std::int32_t LastRecord = kMaxCountedRecords>
struct DataFile {
    static constexpr Channel kChannel = C;
    static constexpr std::int32_t kLastRecord = LastRecord;
    using Record = qorvana::Record<L>;
};

struct CountersFile : DataFile<kTot, CountersLayout> {};
struct CustomersFile : DataFile<kCli, CustomerLayout> {};
struct NameIndexFile : DataFile<kSrc, NameIndexLayout> {};
struct InvoicesFile : DataFile<kFte, DocumentLayout> {};
struct ContinuationsFile : DataFile<kF2e, ContinuationLayout> {};
// qorvana.ric holds the receipts in the invoices' layout.
struct ReceiptsFile : DataFile<kRic, DocumentLayout> {};
struct ArticlesFile : DataFile<kArt, ArticleLayout> {};
struct ArticleIndexFile : DataFile<kSra, ArticleIndexLayout> {};
struct MovementsFile : DataFile<kMag, MovementLayout> {};
struct BarcodeIndexFile : DataFile<kSrb, BarcodeIndexLayout> {};
struct DeliveryNotesFile : DataFile<kBol, DeliveryNoteLayout> {};
struct AgentsFile : DataFile<kAge, AgentLayout> {};
// Quotes are counted, but each occupies a block of 200 records, one per quote line: record
// numbers reach 200 times the count.
inline constexpr std::int32_t kRecordsPerQuote = 200;
struct QuotesFile : DataFile<kPrv, QuoteLayout, kMaxCountedRecords * kRecordsPerQuote> {};
struct ExtraDescriptionsFile : DataFile<kPrx, ExtraDescriptionLayout> {};
struct AccountsFile : DataFile<kCon, AccountLayout> {};
struct JournalFile : DataFile<kGio, JournalLayout> {};
// qorvana.art opened a second time, read in blocks for the article list's text search.
struct ArticleTextFile : DataFile<kArtText, ArticleLayout> {};

// One file of the set: channel, extension, record length and highest record number.
struct ChannelSpec {
    int channel;
    const char* extension;
    std::size_t recordLength;
    std::int32_t lastRecord;
};

template <class File>
constexpr ChannelSpec SpecOf(const char* extension) {
    return {File::kChannel, extension, File::Record::kLength, File::kLastRecord};
}

// The set in opening order.
inline constexpr std::array<ChannelSpec, 17> kDataFileSet{{
    SpecOf<CountersFile>("tot"),
    SpecOf<CustomersFile>("cli"),
    SpecOf<NameIndexFile>("src"),
    SpecOf<InvoicesFile>("fte"),
    SpecOf<ContinuationsFile>("f2e"),
    SpecOf<ReceiptsFile>("ric"),
    SpecOf<ArticlesFile>("art"),
    SpecOf<ArticleIndexFile>("sra"),
    SpecOf<MovementsFile>("mag"),
    SpecOf<BarcodeIndexFile>("srb"),
    SpecOf<DeliveryNotesFile>("bol"),
    SpecOf<AgentsFile>("age"),
    SpecOf<QuotesFile>("prv"),
    SpecOf<ExtraDescriptionsFile>("prx"),
    SpecOf<AccountsFile>("con"),
    SpecOf<JournalFile>("gio"),
    SpecOf<ArticleTextFile>("art"),
}};

}  // namespace qorvana
