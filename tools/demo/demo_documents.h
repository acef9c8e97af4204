#pragma once
// The demo company's source documents: delivery notes (qorvana.bol and their "b" line
// files), receipts (qorvana.ric and their "r" line files) and quotes (qorvana.prv).

#include <string>
#include <vector>

#include "articles/article_record.h"
#include "document/document_record.h"
#include "document/line_table.h"
#include "sources/delivery_note_record.h"
#include "sources/quote_record.h"
#include "tools/demo/demo_random.h"

namespace qorvana::demo {

// A line file to write into the company folder.
struct LineFileSpec {
    std::string name;
    std::vector<std::string> header;
    std::vector<DocumentLine> blocks;  // padded to the kind's block count
};

struct DemoDocuments {
    std::vector<DeliveryNoteRecord> noteRecords;  // head record and line records of each note
    int notes = 0;
    std::vector<DocumentRecord> receipts;
    std::vector<QuoteRecord> quoteRecords;  // 200 per quote
    int quotes = 0;
    std::vector<LineFileSpec> lineFiles;
};

// Fixed notes, receipts and quotes of the fixed customers, one delivery note for each of the
// first generated customers, and `extraNotes` open one-line notes of NORDICA (1001 on).
DemoDocuments MakeDocuments(const std::vector<ArticleRecord>& articles, int customerCount,
                            bool lire, int extraNotes, DemoRandom& random);

}  // namespace qorvana::demo
