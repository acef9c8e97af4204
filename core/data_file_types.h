#pragma once
// The files of the company's data-file set, one type per file: its channel, its extension
// and its record type. The record length of a layout is written here once; the layout
// headers take it from their file. `DataFiles::read<CustomersFile>(n)` returns the file's
// own record type, so a record cannot be read from or written to a file of another layout.
// Two files that share a layout (invoices and receipts) share its record type.

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

// `LastRecord`: the highest record number the file's numbering reaches.
template <Channel C, std::size_t Length, std::int32_t LastRecord = kMaxCountedRecords>
struct DataFile {
    static constexpr Channel kChannel = C;
    static constexpr std::int32_t kLastRecord = LastRecord;
    using Record = qorvana::Record<Length>;
};

struct CountersFile : DataFile<kTot, 12> {};
struct CustomersFile : DataFile<kCli, 752> {};
struct NameIndexFile : DataFile<kSrc, 42> {};
struct InvoicesFile : DataFile<kFte, 522> {};
struct ContinuationsFile : DataFile<kF2e, 838> {};
// qorvana.ric holds the receipts in the invoices' layout.
struct ReceiptsFile : DataFile<kRic, InvoicesFile::Record::kLength> {};
struct ArticlesFile : DataFile<kArt, 327> {};
struct ArticleIndexFile : DataFile<kSra, 17> {};
struct MovementsFile : DataFile<kMag, 94> {};
struct BarcodeIndexFile : DataFile<kSrb, 15> {};
struct DeliveryNotesFile : DataFile<kBol, 97> {};
struct AgentsFile : DataFile<kAge, 600> {};
// Quotes are counted, but each occupies a block of 200 records, one per quote line: record
// numbers reach 200 times the count.
inline constexpr std::int32_t kRecordsPerQuote = 200;
struct QuotesFile : DataFile<kPrv, 284, kMaxCountedRecords * kRecordsPerQuote> {};
struct ExtraDescriptionsFile : DataFile<kPrx, 502> {};
struct AccountsFile : DataFile<kCon, 150> {};
struct JournalFile : DataFile<kGio, 296> {};
// qorvana.art opened a second time, read in blocks for the article list's text search.
struct ArticleTextFile : DataFile<kArtText, ArticlesFile::Record::kLength> {};

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

// A record type stands for one layout: files of different layouts must differ in length,
// or a record of one could be written to the other.
constexpr bool LengthsTellLayoutsApart() {
    for (const ChannelSpec& a : kDataFileSet)
        for (const ChannelSpec& b : kDataFileSet) {
            const bool sameLayout = a.channel == b.channel ||
                                    (a.channel == kFte && b.channel == kRic) ||
                                    (a.channel == kRic && b.channel == kFte) ||
                                    (a.channel == kArt && b.channel == kArtText) ||
                                    (a.channel == kArtText && b.channel == kArt);
            if (!sameLayout && a.recordLength == b.recordLength) return false;
        }
    return true;
}
static_assert(LengthsTellLayoutsApart());

}  // namespace qorvana
