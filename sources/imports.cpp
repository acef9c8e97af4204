#include "sources/imports.h"

#include <algorithm>
#include <cmath>

#include "articles/article_record.h"
#include "core/civil_date.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/data_files.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/system_error.h"
#include "core/text.h"
#include "document/document_record.h"
#include "document/line_file.h"
#include "sources/delivery_note_record.h"
#include "sources/quote_record.h"
#include "sources/source_documents.h"

namespace qorvana {
namespace {

namespace fs = std::filesystem;

constexpr const char* kReturnDescription = "Estinzione c/deposito - prodotti non resi";

// A source's line file: the first of `names` that exists, read whole, or the reason why it
// gives nothing. A name that is not a plain name, a file that ends early, holds text where a
// number belongs or a number beyond its field's limits makes the whole source unreadable.
Result<LineFileContent> ReadSourceFile(const fs::path& folder,
                                       const std::vector<std::string>& names, int headerLines,
                                       int blocks) {
    const std::string suffix = "; il documento non è stato importato.";
    std::string tried;
    for (const auto& name : names) {
        if (name.empty()) continue;
        if (!IsSafeFileName(name))
            return Failure{"il nome del file delle righe \"" + name + "\" non è valido" + suffix};
        // The name as it is first, as FindInFolder would: a file found at once costs no look-up.
        auto content = LineFile::Read(folder / name, headerLines, blocks);
        if (!content) content = LineFile::Read(FindInFolder(folder, name), headerLines, blocks);
        if (!content) {
            tried += (tried.empty() ? "\"" : " né \"") + name + "\"";
            continue;
        }
        if (content->readError != 0)
            return Failure{"il file delle righe \"" + name + "\" non può essere letto: " +
                           ItalianReason(content->readError) + suffix};
        if (content->badLine > 0)
            return Failure{"il file delle righe \"" + name + "\" contiene un valore " +
                           (content->badFault == LineFault::BeyondLimits ? "fuori dai limiti"
                                                                         : "non numerico") +
                           " alla riga " + std::to_string(content->badLine) + suffix};
        if (!content->complete)
            return Failure{"il file delle righe \"" + name + "\" è incompleto" + suffix};
        return std::move(*content);
    }
    return Failure{"non esiste il file delle righe " + tried + suffix};
}

bool RecordInRange(const DataFiles& files, int record, int counter) {
    return record >= 1 && record <= RecordCount(files, counter);
}

bool HasPricedLine(const LineTable& lines) {
    for (int n = 1; n <= LineTable::kLines; ++n)
        if (lines[n].unitPrice != 0) return true;
    return false;
}

// Appends lines after the last line in use, up to line 500.
class Appender {
  public:
    explicit Appender(LineTable& lines) : lines_(lines), next_(lines.lastUsed() + 1) {}
    bool add(const DocumentLine& line) {
        if (next_ > LineTable::kLines) return false;
        lines_[next_++] = line;
        return true;
    }
    // The last line in use or added: the lines after it are empty.
    int lastLine() const { return next_ - 1; }

  private:
    LineTable& lines_;
    int next_;
};

DocumentLine DescriptionLine(const std::string& text) {
    DocumentLine line;
    line.description = text;
    return line;
}

// A source block as a document line: origin reference, both quantities, VAT code 1 for a
// priced line without one.
DocumentLine SourceLine(const DocumentLine& block, const std::string& reference) {
    DocumentLine line;
    line.articleRecord = block.articleRecord;
    line.reference = reference;
    line.code = block.code;
    line.description = block.description;
    line.unit = block.unit;
    line.discount1 = block.discount1;
    line.discount2 = block.discount2;
    line.vatCode = block.vatCode;
    line.quantity = block.quantity;
    line.quantityMoved = block.quantity;
    line.unitPrice = block.unitPrice;
    if (line.unitPrice != 0 && line.vatCode == 0) line.vatCode = 1;
    return line;
}

// A delivery-note line: the customer's VAT code override, then the price with VAT when the
// document's prices include it (taxable codes only: exempt codes carry no VAT).
void ApplyNoteTerms(DocumentLine& line, const ImportTerms& terms) {
    if (terms.customerVatOverride >= 1 && terms.customerVatOverride <= 24)
        line.vatCode = static_cast<std::int16_t>(terms.customerVatOverride);
    const int code = NormalisedVatCode(line.vatCode);
    if (terms.vatInclusive && line.unitPrice != 0 && code <= 12 && terms.vat)
        line.unitPrice += terms.money.RoundAmount(line.unitPrice * terms.vat->rateOf(code) / 100);
}

// The first of lines 1..last that an imported line of an article may be merged into: same
// article, unit, price, discounts and VAT code (the lines after the last in use hold no
// article).
DocumentLine* MergeTarget(LineTable& lines, int last, const DocumentLine& line) {
    for (int n = 1; n <= last; ++n) {
        DocumentLine& l = lines[n];
        if (l.articleRecord == line.articleRecord && l.unitPrice == line.unitPrice &&
            l.discount1 == line.discount1 && l.discount2 == line.discount2 &&
            l.vatCode == line.vatCode && Trim(l.unit) == Trim(line.unit))
            return &l;
    }
    return nullptr;
}

struct ChosenNote {
    int record = 0;
    int number = 0;
    std::string date;  // dd/mm/yyyy
    bool isReturn = false;
    std::vector<DocumentLine> blocks;  // the blocks in use
};

// Line-file names of a note: "b" + serial, then "bll" + number (a return: "blr" + its
// return number) + ".a" + the year's last two digits.
std::vector<std::string> NoteFileNames(const DeliveryNoteRecord& r, bool isReturn) {
    const float serial = r.single(bol::kSerial);
    std::vector<std::string> names;
    names.push_back(std::isfinite(serial) && serial >= 0
                        ? "b" + PlainNumberText(static_cast<double>(serial))
                        : std::string());
    const std::string date = r.text(bol::kDate);
    const std::string year = date.size() >= 4 ? date.substr(2, 2) : std::string();
    const std::string number = isReturn ? PlainNumberText(r.dbl(bol::kReturnNumber))
                                        : std::to_string(r.int16(bol::kNumber));
    names.push_back((isReturn ? "blr" : "bll") + number + ".a" + year);
    return names;
}

void AppendNumber(std::string& list, int number) {
    if (!list.empty()) list += ' ';
    list += std::to_string(number);
}

}  // namespace

std::string NoteDescription(int number, const std::string& date) {
    return "Documento trasporto n." + std::to_string(number) + " del " + date;
}

std::string ImportResult::message() const {
    std::string text;
    for (const auto& p : problems) text += (text.empty() ? "" : "\n") + p;
    if (linesLeftOut > 0) {
        text += text.empty() ? "" : "\n";
        text += linesLeftOut == 1
                    ? std::string("1 riga non è stata importata: il documento ha già 500 righe.")
                    : std::to_string(linesLeftOut) +
                          " righe non sono state importate: il documento ha già 500 righe.";
    }
    return text;
}

ImportResult ImportDeliveryNotes(const DataFiles& files, const fs::path& companyFolder,
                                 const std::vector<int>& noteRecords, bool group,
                                 const ImportTerms& terms, LineTable& lines) {
    ImportResult result;
    std::vector<ChosenNote> chosen;
    // The note count and the customer file's length, read once for all the notes.
    const int noteCount = noteRecords.empty() ? 0 : RecordCount(files, tot::kDeliveryNoteLines);
    const int customers = files.physicalRecords(kCli);
    ProgressSteps steps(terms.progress, std::ssize(noteRecords), 1);
    for (int record : noteRecords) {
        steps.step();
        if (record < 1 || record > noteCount) continue;
        const auto r = files.read<DeliveryNotesFile>(record);
        const int customer = r.int16(bol::kCustomer);
        if (customer < 1 || customer > customers) continue;
        ChosenNote note;
        note.record = record;
        note.number = r.int16(bol::kNumber);
        note.date = CivilDate::ShownFromRecord(r.text(bol::kDate));
        note.isReturn = r.text(bol::kText).starts_with('R');
        const std::string source = note.isReturn ? std::string(kReturnNoteCaption)
                                                 : NoteDescription(note.number, note.date);
        Result<LineFileContent> file =
            ReadSourceFile(companyFolder, NoteFileNames(r, note.isReturn),
                           LineFile::kNoteHeaderLines, LineFile::kNoteBlocks);
        if (!file) {
            result.problems.push_back(source + ": " + file.message());
            continue;
        }
        // Only the blocks in use are kept: a file's empty blocks are done with at once, so
        // the next file is read into memory that is still in the processor's cache.
        for (auto& block : file->blocks)
            if (BlockInUse(block)) note.blocks.push_back(std::move(block));
        chosen.push_back(std::move(note));
    }

    Appender appender(lines);
    if (group) {
        for (const auto& note : chosen) {
            if (note.isReturn || note.number <= 0) continue;
            appender.add(DescriptionLine(NoteDescription(note.number, note.date)));
            AppendNumber(result.noteNumbers, note.number);
            result.notes.push_back({note.number, note.date});
        }
    }
    int leftOutBefore = 0;
    for (const auto& note : chosen) {
        if (!group) {
            appender.add(DescriptionLine(note.isReturn ? kReturnDescription
                                                       : NoteDescription(note.number, note.date)));
            if (!note.isReturn) {
                AppendNumber(result.noteNumbers, note.number);
                result.notes.push_back({note.number, note.date});
            }
        }
        const std::string reference = "**" + std::to_string(note.number);
        for (const auto& block : note.blocks) {
            DocumentLine line = SourceLine(block, reference);
            ApplyNoteTerms(line, terms);
            DocumentLine* target = group && line.articleRecord > 0
                                       ? MergeTarget(lines, appender.lastLine(), line)
                                       : nullptr;
            if (target) {
                target->quantity += line.quantity;
                target->quantityMoved += line.quantity;
            } else if (!appender.add(line)) {
                ++result.linesLeftOut;
            }
        }
        if (result.linesLeftOut == leftOutBefore) result.imported.push_back(note.record);
        leftOutBefore = result.linesLeftOut;
    }
    if (result.linesLeftOut > 0)
        result.problems.push_back(
            "I documenti di trasporto con righe non importate restano da fatturare.");
    result.changed = !chosen.empty();
    return result;
}

ImportResult ImportReceipts(const DataFiles& files, const fs::path& companyFolder,
                            const std::vector<int>& receiptRecords, const ImportTerms& terms,
                            LineTable& lines) {
    namespace d = document_record;
    ImportResult result;
    bool vatInclusive = terms.vatInclusive;
    Appender appender(lines);
    // The receipt count and the customer file's length, read once for all the receipts.
    const int receiptCount = receiptRecords.empty() ? 0 : RecordCount(files, tot::kReceipts);
    const int customers = files.physicalRecords(kCli);
    ProgressSteps steps(terms.progress, std::ssize(receiptRecords), 1);
    for (int record : receiptRecords) {
        steps.step();
        if (record < 1 || record > receiptCount) continue;
        const auto r = files.read<ReceiptsFile>(record);
        const int customer = r.int16(d::kCustomer);
        if (customer < 1 || customer > customers) continue;
        const std::string number = Trim(r.text(d::kNumber));
        const std::string source = "Ricevuta fiscale n." + number + " del " +
                                   CivilDate::ShownFromRecord(r.text(d::kDocumentDate));
        const float serial = r.single(d::kSerial);
        const std::string name = std::isfinite(serial) && serial >= 0
                                     ? "r" + PlainNumberText(static_cast<double>(serial))
                                     : std::string("r");
        Result<LineFileContent> file = ReadSourceFile(
            companyFolder, {name}, LineFile::kReceiptHeaderLines, LineFile::kReceiptBlocks);
        if (!file) {
            result.problems.push_back(source + ": " + file.message());
            continue;
        }
        const bool receiptInclusive = file->header.size() >= 12 && file->header[11] == "1";
        if (receiptInclusive != vatInclusive) {
            if (HasPricedLine(lines)) {
                result.problems.push_back(source + ": i prezzi della ricevuta sono " +
                                          (receiptInclusive ? "IVA inclusa" : "IVA esclusa") +
                                          " e il documento ha già righe con prezzi " +
                                          (vatInclusive ? "IVA inclusa" : "IVA esclusa") +
                                          "; la ricevuta non è stata importata.");
                continue;
            }
            vatInclusive = receiptInclusive;
            result.vatInclusive = vatInclusive;
        }
        appender.add(DescriptionLine(source));
        const std::string reference = "##" + number;
        bool complete = true;
        for (const auto& block : file->blocks) {
            if (!BlockInUse(block)) continue;
            if (!appender.add(SourceLine(block, reference))) {
                ++result.linesLeftOut;
                complete = false;
            }
        }
        if (complete) result.imported.push_back(record);
        result.changed = true;
    }
    if (result.linesLeftOut > 0)
        result.problems.push_back("Le ricevute con righe non importate restano da fatturare.");
    return result;
}

ImportResult ImportQuote(const DataFiles& files, int quote, const ImportTerms& terms,
                         LineTable& lines) {
    ImportResult result;
    if (!RecordInRange(files, quote, tot::kQuotes)) return result;
    std::vector<QuoteRecord> records;
    records.reserve(prv::kLinesPerQuote);
    const auto inUse = [](const QuoteRecord& r) {
        return !r.text(prv::kLineDescription1).empty() || !r.text(prv::kLineDescription2).empty() ||
               r.dbl(prv::kQuantity) != 0 || r.dbl(prv::kPrice) != 0;
    };
    int lastInUse = 0;
    // A quote's records lie together: one block read.
    files.scan<QuotesFile>(prv::RecordOf(quote, 1), prv::kLinesPerQuote,
                           [&](std::int32_t, const QuoteRecord& r) {
                               records.push_back(r);
                               if (inUse(r)) lastInUse = static_cast<int>(records.size());
                           });
    const bool quoteInclusive = records.front().int16(prv::kVatIncluded) != 0;
    if (quoteInclusive != terms.vatInclusive) {
        if (HasPricedLine(lines) && lastInUse > 0) {
            result.problems.push_back("Preventivo " + Trim(records.front().text(prv::kNumber)) +
                                      ": i prezzi del preventivo sono " +
                                      (quoteInclusive ? "IVA inclusa" : "IVA esclusa") +
                                      " e il documento ha già righe con prezzi " +
                                      (terms.vatInclusive ? "IVA inclusa" : "IVA esclusa") +
                                      "; il preventivo non è stato importato.");
            return result;
        }
        result.vatInclusive = quoteInclusive;
    }
    const int articles = RecordCount(files, tot::kArticles);
    int n = lines.lastUsed();
    for (int j = 1; j <= lastInUse; ++j) {
        const QuoteRecord& r = records[static_cast<std::size_t>(j - 1)];
        if (++n > LineTable::kLines) {
            if (inUse(r)) ++result.linesLeftOut;
            continue;
        }
        DocumentLine line;
        const int article = r.int16(prv::kArticle);
        if (article >= 1 && article <= articles) {
            line.articleRecord = static_cast<std::int16_t>(article);
            line.code = files.read<ArticlesFile>(article).text(art::kCode);
        }
        std::string description = r.text(prv::kLineDescription1);
        const std::string second = r.text(prv::kLineDescription2);
        if (!second.empty())
            description +=
                std::string(40 - std::min<std::size_t>(40, Utf8Length(description)), ' ') + second;
        line.description = description;
        line.unit = r.text(prv::kUnit);
        line.quantity = r.dbl(prv::kQuantity);
        line.unitPrice = r.dbl(prv::kPrice);
        line.discount1 = r.int16(prv::kDiscount1);
        line.discount2 = r.int16(prv::kDiscount2);
        line.vatCode = line.unitPrice == 0 ? 0 : r.int16(prv::kVatCode);
        lines[n] = line;
        result.changed = true;
    }
    return result;
}

ImportResult ImportInvoice(const fs::path& companyFolder, const std::string& fileName,
                           const std::string& fallbackName, LineTable& lines) {
    ImportResult result;
    Result<LineFileContent> file =
        ReadSourceFile(companyFolder, {fileName, fallbackName}, LineFile::kIssuedHeaderLines,
                       LineFile::kIssuedBlocks);
    if (!file) {
        result.problems.push_back("Fattura: " + file.message());
        return result;
    }
    lines.clear();
    int n = 0;
    for (const auto& block : file->blocks) lines[++n] = block;
    result.vatInclusive = file->header.size() >= 12 && file->header[11] == "1";
    result.changed = true;
    return result;
}

}  // namespace qorvana
