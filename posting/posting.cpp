#include "posting/posting.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <utility>

#include "articles/article_record.h"
#include "core/counters.h"
#include "core/counters_record.h"
#include "core/cp1252.h"
#include "core/data_files.h"
#include "core/intent_log.h"
#include "core/money.h"
#include "core/numbers.h"
#include "core/paths.h"
#include "core/text.h"
#include "core/whole_file.h"
#include "core/write_set.h"
#include "customers/customer_record.h"
#include "document/document_continuation_record.h"
#include "document/document_kind.h"
#include "document/document_pdf.h"
#include "document/document_record.h"
#include "document/document_setup.h"
#include "document/line_file.h"
#include "document/numbering.h"
#include "document/stock_movement_record.h"
#include "sources/delivery_note_record.h"
#include "sources/source_documents.h"

namespace qorvana {
namespace {

namespace d = document_record;
namespace c = continuation_record;
namespace m = stock_movement_record;

constexpr char kNotStored[] = ": il documento non è stato memorizzato.";

std::string Flag(bool set) {
    return set ? "1" : "0";
}

// A list position + 1 (0 when nothing is chosen) as stored in the record.
std::int16_t Choice(int position) {
    return static_cast<std::int16_t>(position < 0 ? 0 : position + 1);
}

// One line that moves stock, with everything its writes need.
struct Movement {
    int article = 0;
    double toMove = 0;
    double lineQuantity = 0;
    double netPrice = 0;
};

// Everything posting writes, prepared and checked before the first write.
struct Plan {
    int recordNumber = 0;
    bool separateSeries = false;  // numbered in the separate electronic-invoice series
    std::string pdfName;
    bool writeSeriesCounter = false;
    CountersRecord seriesCounter;
    CountersRecord documentCounter;
    DocumentRecord document;
    ContinuationRecord continuation;
    bool creditNote = false;
    std::string reference;
    std::vector<Movement> movements;
    int firstMovement = 0;
    std::vector<int> notes;
    std::vector<int> receipts;
    std::string lineFileSuiteName;
    std::optional<WriteSet::StagedFile> lineFile;
    // qorvana.num with the document's series, for an electronic invoice of kind 7.
    std::string seriesBytes;
    std::optional<WriteSet::StagedFile> seriesFile;
    std::optional<WriteSet::StagedFile> withDocument;  // PostingInput::withDocument
};

// A file of the company folder: its host path and its name as the operator knows it.
struct CompanyFile {
    std::filesystem::path path;
    std::string suiteName;
};
CompanyFile CompanyFileOf(const DataFiles& files, const PostingInput& in, const std::string& name) {
    return {FindInFolder(files.pathOf(kFte).parent_path(), name),
            in.companyFolder.empty() ? name : in.companyFolder + "\\" + name};
}

// Why `needed` records cannot be appended to the file counted by `counterRecord`: its
// counter is damaged (negative) or the file is full.
std::string NoRoomMessage(const DataFiles& files, int counterRecord, const std::string& what,
                          int needed) {
    const int count = files.read<CountersFile>(counterRecord).int16(tot::kRecordCount);
    const std::string counter =
        "Il contatore " + what + " (qorvana.tot, record " + std::to_string(counterRecord) + ")";
    if (count < 0)
        return counter + " è danneggiato (vale " + std::to_string(count) + ")" + kNotStored;
    return counter + " vale " + std::to_string(count) + ": il file non ha spazio per " +
           std::to_string(needed) + " record" + kNotStored;
}

// True when a record holds nothing: never written (zero bytes) or blank.
bool HoldsNothing(std::span<const std::uint8_t> bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](std::uint8_t b) { return b == 0 || b == ' '; });
}

// The records about to be appended must lie past the end of their files or hold nothing:
// counters restored from an older copy would otherwise overwrite stored documents.
Result<> CheckAppendsAreFree(const DataFiles& files, const Plan& plan) {
    const std::string behind = "I contatori di qorvana.tot sono indietro rispetto all'archivio: ";
    const std::string nothing =
        ". Non è stato scritto niente. I contatori non sono stati riparati: il programma propone "
        "di "
        "ripararli dai file all'avvio.";
    if (plan.recordNumber <= files.physicalRecords(kFte)) {
        const auto stored = files.read<InvoicesFile>(plan.recordNumber);
        if (!HoldsNothing(stored.bytes()))
            return Failure{behind + "il record " + std::to_string(plan.recordNumber) +
                           " di qorvana.fte contiene già il documento " +
                           StoredDocumentText(files, stored) + nothing};
    }
    if (plan.recordNumber <= files.physicalRecords(kF2e) &&
        !HoldsNothing(files.read<ContinuationsFile>(plan.recordNumber).bytes()))
        return Failure{behind + "il record " + std::to_string(plan.recordNumber) +
                       " di qorvana.f2e contiene già dati" + nothing};
    const int last = std::min<int>(plan.firstMovement + int(plan.movements.size()) - 1,
                                   files.physicalRecords(kMag));
    int taken = 0;  // the first of the records to be written that holds a movement
    if (plan.firstMovement >= 1 && last >= plan.firstMovement)
        files.scan<MovementsFile>(plan.firstMovement, last - plan.firstMovement + 1,
                                  [&](std::int32_t n, const MovementsFile::Record& m) {
                                      if (taken == 0 && !HoldsNothing(m.bytes())) taken = n;
                                  });
    if (taken != 0)
        return Failure{behind + "il record " + std::to_string(taken) +
                       " di qorvana.mag contiene già un movimento" + nothing};
    return {};
}

// The year and series of the document's number.
NumberingScope ScopeOf(const PostingInput& in) {
    const HeaderEntries& h = in.draft->header;
    const std::string date = CivilDate::RecordFromShown(h.documentDate);
    return {date.empty() ? 0 : std::stoi(date.substr(0, 4)),
            NumberedInSeparateSeries(h.separateSeries, in.documentKind), in.fpaSeparateNumbering};
}

// The next free number of the document's year and series when the number the header
// proposed has been stored meanwhile by another workstation; nullopt when the number is free
// or was typed, or when no number can follow (the number check then refuses).
std::optional<std::string> NumberInsteadOfTaken(const DataFiles& files, const StoredSeries& series,
                                                const PostingInput& in) {
    if (in.draft == nullptr || !in.numberProposed ||
        CivilDate::RecordFromShown(in.draft->header.documentDate).empty())
        return std::nullopt;
    const NumberingScope scope = ScopeOf(in);
    if (NumberIsFree(files, series, scope, in.draft->header.documentNumber)) return std::nullopt;
    const NumberProposal next = ReadNumberProposal(files, series, scope, in.fpaState);
    if (!next.documentNumber) return std::nullopt;
    return std::to_string(*next.documentNumber);
}

// Room for everything posting appends, reserved before the first write, and the whole files it
// writes (qorvana.num, the line file) staged, so that a full disk is found while nothing has
// changed.
Result<> ReserveRoom(DataFiles& files, const PostingInput& in, Plan& plan, WriteSet& set) {
    try {
        files.reserve(kFte, plan.recordNumber, 1);
        files.reserve(kF2e, plan.recordNumber, 1);
        files.reserve(kMag, plan.firstMovement, static_cast<int>(plan.movements.size()));
    } catch (const RecordIoError& e) {
        return Failure{e.what() + std::string(kNotStored)};
    }
    const auto stage = [&](const std::string& name,
                           std::string_view bytes) -> Result<WriteSet::StagedFile> {
        const CompanyFile file = CompanyFileOf(files, in, name);
        auto staged = set.stage(file.path, file.suiteName, bytes);
        if (!staged) return Failure{staged.message() + ". Il documento non è stato memorizzato."};
        return staged;
    };
    if (!plan.seriesBytes.empty()) {
        auto staged = stage(kSeriesFile, plan.seriesBytes);
        if (!staged) return *staged.failure();
        plan.seriesFile = *staged;
    }
    if (in.withDocument) {
        auto staged =
            set.stage(in.withDocument->file, in.withDocument->suiteName, in.withDocument->bytes);
        if (!staged) return Failure{staged.message() + ". Il documento non è stato memorizzato."};
        plan.withDocument = *staged;
    }
    if (!in.writeLineFile) return {};
    const std::string name = LineFile::IssuedFileName(plan.documentCounter.single(tot::kSerial));
    plan.lineFileSuiteName = CompanyFileOf(files, in, name).suiteName;
    auto staged = stage(name, LineFile::Bytes(LineFile::IssuedHeader(*in.draft, in.documentKind),
                                              LineFile::BlocksOf(in.draft->lines)));
    if (!staged) return *staged.failure();
    plan.lineFile = *staged;
    return {};
}

// The records of `wanted` that exist in the file counted by `counterRecord`.
std::vector<int> ExistingRecords(const DataFiles& files, int counterRecord,
                                 const std::vector<int>& wanted) {
    const int count = RecordCount(files, counterRecord);
    std::vector<int> kept;
    for (int n : wanted)
        if (n >= 1 && n <= count) kept.push_back(n);
    return kept;
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

void FillDocument(const PostingInput& in, const Plan& plan, DocumentRecord& r) {
    const HeaderEntries& h = in.draft->header;
    const VatBreakdown& b = in.draft->figures.breakdown;
    r.setInt16(d::kCustomer, static_cast<std::int16_t>(in.draft->customer.record));
    r.setText(d::kNumber, h.documentNumber);
    r.setInt16(d::kBank1, Choice(h.bank1));
    r.setText(d::kRegistrationDate, CivilDate::RecordFromShown(h.registrationDate));
    r.setText(d::kDocumentDate, CivilDate::RecordFromShown(h.documentDate));
    for (int i = 0; i < d::kDueDates; ++i) {
        r.setText(DocumentRecord::At(d::kDueDate, i), CivilDate::RecordFromShown(h.dueDates[i]));
        r.setDouble(DocumentRecord::At(d::kDueAmount, i), TypedValue(h.instalmentAmounts[i]));
    }
    for (int s = 1; s <= d::kVatSlots; ++s) {
        r.setDouble(DocumentRecord::At(d::kTaxable, s - 1), b[s][0]);
        r.setDouble(DocumentRecord::At(d::kVat, s - 1), b[s][1]);
        r.setDouble(DocumentRecord::At(d::kOutsideVat, s - 1), b[s][2]);
    }
    r.setInt16(d::kKind, static_cast<std::int16_t>(in.documentKind));
    r.setInt16(d::kBankReceipt, h.bankReceipt ? 1 : 0);
    r.setText(d::kPaymentTerms, std::to_string(Choice(h.paymentTerms)));
    r.setText(d::kCommissionRate, Trim(h.commissionRate));
    r.setDouble(d::kCommissionAmount, TypedValue(h.commissionAmount));
    r.setInt16(d::kBank2, Choice(h.bank2));
    r.setInt16(d::kBank3, Choice(h.bank3));
    r.setDouble(d::kAdditionalAmount1, TypedValue(h.additionalAmount1));
    r.setDouble(d::kAdditionalAmount2, TypedValue(h.additionalAmount2));
    r.setDouble(d::kVatRegisterNumber, ParseDecimal(h.vatRegisterNumber));
    r.setInt16(d::kSeries, static_cast<std::int16_t>(h.series));
    r.setDouble(d::kIssueMoment, in.issueMoment.dateTimeValue());
    r.setText(d::kSpesometro, Flag(h.vatOptions.spesometro));
    r.setText(d::kVatNotShown, Flag(h.vatOptions.vatNotShown));
    r.setText(d::kSummaryDocument, Flag(h.vatOptions.summaryDocument));
    r.setSingle(d::kSerial, plan.documentCounter.single(tot::kSerial));
    r.setText(d::kVatOnPayment, Flag(h.deferredVat));
    r.setText(d::kLeasingVehicle, h.vatOptions.rentalOrLeasing
                                      ? std::to_string(Choice(in.draft->panel.vehicleKind))
                                      : std::string("0"));
    r.setText(d::kSelfInvoice, Flag(h.vatOptions.selfInvoice));
}

void FillContinuation(const PostingInput& in, const Plan& plan, ContinuationRecord& r) {
    const HeaderEntries& h = in.draft->header;
    const VatBreakdown& b = in.draft->figures.breakdown;
    for (int i = 0; i < c::kVatSlots; ++i) {
        const int s = 9 + i;
        r.setDouble(ContinuationRecord::At(c::kTaxable, i), b[s][0]);
        r.setDouble(ContinuationRecord::At(c::kVat, i), b[s][1]);
        r.setDouble(ContinuationRecord::At(c::kOutsideVat, i), b[s][2]);
    }
    for (int i = 0; i < c::kDueDates; ++i) {
        r.setText(ContinuationRecord::At(c::kDueDate, i),
                  CivilDate::RecordFromShown(h.dueDates[4 + i]));
        r.setDouble(ContinuationRecord::At(c::kDueAmount, i),
                    TypedValue(h.instalmentAmounts[4 + i]));
    }
    r.setText(c::kPdfPath, PdfPath(in.pdfFolder, plan.pdfName));
    r.setDouble(c::kWithholdingAmount, in.draft->figures.withholdingAmount);
    r.setDouble(c::kWithholdingBase, in.draft->figures.withholdingBase);
    r.setText(c::kDeferredVatLimit, h.deferredVat ? DeferredVatLimit(h.documentDate) : "");
    r.setDouble(c::kFpaMode, in.fpaState);
}

// The header values and the files posting needs; the refusal when one is unusable.
Result<> CheckValues(const DataFiles& files, const PostingInput& in) {
    const auto refuse = [](const std::string& why) { return Failure{why + kNotStored}; };
    if (in.draft == nullptr || in.vat == nullptr) return refuse("Documento incompleto");
    const HeaderEntries& h = in.draft->header;
    for (int channel : {int(kTot), int(kFte), int(kF2e), int(kArt), int(kMag)})
        if (!files.isWritable(channel))
            return refuse("Il file " + files.pathOf(channel).filename().string() +
                          " non è aperto in scrittura");
    if (DocumentNumberKey(h.documentNumber).empty() ||
        Utf8Length(h.documentNumber) > d::kNumber.width)
        return refuse("Il numero del documento non è valido");
    // A whole number the counter cannot hold would be proposed again for the next document.
    const double typed = Val(h.documentNumber);
    if (typed == std::floor(typed) && !CounterWordValue(h.documentNumber) &&
        Trim(h.documentNumber).find_first_not_of("+-0123456789") == std::string::npos)
        return refuse("Il numero del documento " + Trim(h.documentNumber) +
                      " è fuori dai limiti (da 1 a " + std::to_string(kMaxCountedRecords) + ")");
    if (IsValidDate(h.documentDate) != 0) return refuse("La data del documento non è valida");
    if (IsValidDate(h.registrationDate) != 0)
        return refuse("La data di registrazione del documento non è valida");
    if (in.draft->customer.record < 0 || in.draft->customer.record > kMaxCountedRecords)
        return refuse("Il cliente del documento non è valido");
    if (Utf8Length(Trim(h.commissionRate)) > d::kCommissionRate.width)
        return refuse("L'aliquota provvigione non è valida");
    // No vehicle kind chosen stores "0": the kinds are offered only on the electronic-invoice
    // panel, so an ordinary leasing document has none.
    if (h.vatOptions.rentalOrLeasing && in.draft->panel.vehicleKind > 8)
        return refuse("Il tipo di veicolo del noleggio o leasing non è valido");
    for (int pos : {h.paymentTerms, h.bank1, h.bank2, h.bank3, h.series})
        if (pos < -1 || pos >= std::numeric_limits<std::int16_t>::max())
            return refuse("Una scelta dell'intestazione non è valida");
    return {};
}

// Counters record 7 (and 5 for the separate electronic-invoice series): the document's
// record number, the serial and the last number issued.
Result<> PlanCounters(const DataFiles& files, const PostingInput& in, Plan& plan) {
    const HeaderEntries& h = in.draft->header;
    const auto next = NextRecordNumber(files, tot::kInvoices);
    if (!next) return Failure{NoRoomMessage(files, tot::kInvoices, "dei documenti", 1)};
    plan.recordNumber = *next;
    plan.documentCounter = files.read<CountersFile>(tot::kInvoices);
    plan.documentCounter.setInt16(tot::kRecordCount, static_cast<std::int16_t>(plan.recordNumber));
    plan.documentCounter.setInt16(tot::kWrittenMark, 1);
    plan.documentCounter.setSingle(tot::kSerial,
                                   NextSerial(plan.documentCounter.single(tot::kSerial)));
    const auto number = CounterWordValue(h.documentNumber);
    plan.writeSeriesCounter = plan.separateSeries;
    if (plan.writeSeriesCounter) {
        // The separate electronic-invoice series keeps its numbers in record 5 only.
        plan.seriesCounter = files.read<CountersFile>(tot::kFatturaPa);
        // Never back: another workstation may have written later transmissions meanwhile.
        if (const auto progressive = CounterWordValue(h.transmissionNumber))
            plan.seriesCounter.setInt16(
                tot::kRecordCount,
                std::max(plan.seriesCounter.int16(tot::kRecordCount), *progressive));
        if (number) plan.seriesCounter.setInt16(tot::kLastNumber, *number);
    } else if (number) {
        plan.documentCounter.setInt16(tot::kLastNumber, *number);
    }
    return {};
}

// The lines that move stock, and room for their movements.
Result<> PlanMovements(const DataFiles& files, const PostingInput& in, Plan& plan) {
    plan.creditNote = IsCreditNote(in.documentKind, in.draft->panel.documentType);
    plan.reference = (plan.creditNote ? "NC " : "FT ") + Trim(in.draft->header.documentNumber);
    const int articles = RecordCount(files, tot::kArticles);
    for (int n = 1; n <= LineTable::kLines; ++n) {
        const DocumentLine& line = in.draft->lines[n];
        const double toMove = line.quantity - line.quantityMoved;
        if (!(toMove > 0) || line.articleRecord < 1 || line.articleRecord > articles) continue;
        Movement mv;
        mv.article = line.articleRecord;
        mv.toMove = toMove;
        mv.lineQuantity = line.quantity;
        mv.netPrice = NetUnitPrice(line, *in.vat, in.draft->vatInclusive, in.money);
        if (!AllFinite({mv.toMove, mv.lineQuantity, mv.netPrice, mv.toMove * mv.netPrice}))
            return Failure{"Quantità o prezzo non validi alla riga " + std::to_string(n) +
                           kNotStored};
        plan.movements.push_back(mv);
    }
    if (plan.movements.empty()) return {};
    const auto first = NextRecordNumber(files, tot::kMovements);
    if (!first || *first + static_cast<int>(plan.movements.size()) - 1 > kMaxCountedRecords)
        return Failure{NoRoomMessage(files, tot::kMovements, "dei movimenti di magazzino",
                                     static_cast<int>(plan.movements.size()))};
    plan.firstMovement = *first;
    return {};
}

// The imported delivery notes and receipts to mark: only records that exist, and each still
// open as it was when imported. One that another workstation invoiced meanwhile refuses the
// posting: a note or receipt is invoiced once.
Result<> PlanMarks(const DataFiles& files, const PostingInput& in, Plan& plan) {
    plan.notes = ExistingRecords(files, tot::kDeliveryNoteLines, in.draft->imports.deliveryNotes);
    plan.receipts = ExistingRecords(files, tot::kReceipts, in.draft->imports.receipts);
    if (!plan.notes.empty() && !files.isWritable(kBol))
        return Failure{"Il file qorvana.bol non è aperto in scrittura" + std::string(kNotStored)};
    if (!plan.receipts.empty() && !files.isWritable(kRic))
        return Failure{"Il file qorvana.ric non è aperto in scrittura" + std::string(kNotStored)};
    const std::string meanwhile = " è stata fatturata nel frattempo da un'altra postazione";
    for (int rec : plan.notes) {
        const auto note = files.read<DeliveryNotesFile>(rec);
        if (note.int16(bol::kInvoiced) != 0)
            return Failure{"La bolla n. " + std::to_string(note.int16(bol::kNumber)) + " del " +
                           CivilDate::ShownFromRecord(note.text(bol::kDate)) + meanwhile +
                           kNotStored};
    }
    for (int rec : plan.receipts) {
        const auto receipt = files.read<ReceiptsFile>(rec);
        if (receipt.int16(d::kKind) != kReceiptToInvoice)
            return Failure{"La ricevuta n. " + Trim(receipt.text(d::kNumber)) + " del " +
                           CivilDate::ShownFromRecord(receipt.text(d::kDocumentDate)) + meanwhile +
                           kNotStored};
    }
    return {};
}

// qorvana.num with the series of an electronic invoice of kind 7 at its record number.
void PlanSeriesEntry(const PostingInput& in, const StoredSeries& series, Plan& plan) {
    if (in.documentKind != DocumentKind::ElectronicInvoice) return;
    StoredSeries withDocument = series;
    const HeaderEntries& h = in.draft->header;
    withDocument[plan.recordNumber] = {
        Trim(h.documentNumber), CivilDate::RecordFromShown(h.documentDate), plan.separateSeries};
    plan.seriesBytes = StoredSeriesText(withDocument);
}

// Checks everything and prepares every record; an Italian message when posting must not
// start. `series` is the company's qorvana.num.
Status Prepare(const DataFiles& files, const StoredSeries& series, const PostingInput& in,
               Plan& plan) {
    if (auto checked = CheckValues(files, in); !checked) return checked;
    const HeaderEntries& h = in.draft->header;
    plan.separateSeries = NumberedInSeparateSeries(h.separateSeries, in.documentKind);
    plan.pdfName = DocumentPdfName(h, in.documentKind);
    if (auto done = PlanCounters(files, in, plan); !done) return done;
    if (auto done = PlanMovements(files, in, plan); !done) return done;
    if (auto done = PlanMarks(files, in, plan); !done) return done;
    if (auto done = CheckAppendsAreFree(files, plan); !done) return done;
    if (auto free = NumberIsFree(files, series, ScopeOf(in), h.documentNumber); !free) return free;
    PlanSeriesEntry(in, series, plan);
    plan.document = NewDocumentRecord();
    FillDocument(in, plan, plan.document);
    plan.continuation = NewContinuationRecord();
    FillContinuation(in, plan, plan.continuation);
    return {};
}

StockMovementRecord MovementRecord(const PostingInput& in, const Plan& plan, const Movement& mv) {
    StockMovementRecord r;
    r.blankTexts(m::kFields);
    r.setText(m::kDate, CivilDate::RecordFromShown(in.draft->header.registrationDate));
    r.setText(m::kCounterpart, in.draft->customer.name);
    r.setInt16(m::kFixedOne1, 1);
    r.setText(m::kReference, plan.reference);
    r.setDouble(m::kIssueMoment, in.issueMoment.dateTimeValue());
    r.setInt16(m::kArticle, static_cast<std::int16_t>(mv.article));
    r.setInt16(m::kCustomer, static_cast<std::int16_t>(in.draft->customer.record));
    r.setDouble(m::kQuantity, plan.creditNote ? -mv.toMove : mv.toMove);
    r.setDouble(m::kNetUnitPrice, mv.netPrice);
    r.setInt16(m::kFixedOne2, 1);
    r.setInt16(m::kFixedZero, 0);
    return r;
}

void UpdateArticle(ArticleRecord& a, const Plan& plan, const Movement& mv, const Money& money) {
    double stock = a.dbl(art::kStock);
    double sold = a.dbl(art::kQuantitySold);
    double value = a.dbl(art::kValueSold);
    if (plan.creditNote) {
        stock += mv.lineQuantity;
        sold -= mv.lineQuantity;
        value -= money.RoundAmount(mv.netPrice * mv.lineQuantity);
    } else {
        stock -= mv.toMove;
        sold += mv.toMove;
        value += money.RoundAmount(mv.toMove * mv.netPrice);
    }
    a.setDouble(art::kStock, stock);
    a.setDouble(art::kQuantitySold, sold);
    a.setDouble(art::kValueSold, value);
}

// Adds the articles and the movements of the moved lines and the movement counter.
void AddMovements(WriteSet& set, const PostingInput& in, const Plan& plan) {
    for (std::size_t i = 0; i < plan.movements.size(); ++i) {
        const Movement& mv = plan.movements[i];
        ArticleRecord a = set.read<ArticlesFile>(mv.article);
        UpdateArticle(a, plan, mv, in.money);
        set.write<ArticlesFile>(mv.article, a);
        set.write<MovementsFile>(plan.firstMovement + static_cast<int>(i),
                                 MovementRecord(in, plan, mv));
    }
    auto counter = set.read<CountersFile>(tot::kMovements);
    const int last = plan.firstMovement + static_cast<int>(plan.movements.size()) - 1;
    counter.setInt16(tot::kRecordCount, static_cast<std::int16_t>(last));
    set.write<CountersFile>(tot::kMovements, counter);
}

// Adds the marks on the imported records of `File`, as the step `what`: `field` set to `value`.
template <class File, class Field>
void AddMarks(WriteSet& set, const char* what, const std::vector<int>& records, Field field,
              std::int16_t value) {
    if (records.empty()) return;
    set.step(what);
    for (int rec : records) {
        auto r = set.read<File>(rec);
        r.setInt16(field, value);
        set.write<File>(rec, r);
    }
}

// Adds every write of the posting to `set`, in the suite's order, in steps named as the
// operator reads them; the written files are made durable before the line file is named.
void AddWrites(WriteSet& set, const PostingInput& in, const Plan& plan) {
    const std::string n = std::to_string(plan.recordNumber);
    set.step("contatore documenti (qorvana.tot)");
    if (plan.writeSeriesCounter) set.write<CountersFile>(tot::kFatturaPa, plan.seriesCounter);
    set.write<CountersFile>(tot::kInvoices, plan.documentCounter);
    // The document and the series it was numbered in go together: the series first, so that
    // a stored electronic invoice always finds its entry.
    set.step("documento " + n +
             (plan.seriesFile ? " (qorvana.fte, qorvana.num)" : " (qorvana.fte)"));
    if (plan.seriesFile) set.publish(*plan.seriesFile);
    set.write<InvoicesFile>(plan.recordNumber, plan.document);
    set.step("seconda parte " + n + " (qorvana.f2e)");
    set.write<ContinuationsFile>(plan.recordNumber, plan.continuation);
    if (!plan.movements.empty()) {
        set.step("articoli, movimenti di magazzino e loro contatore");
        AddMovements(set, in, plan);
    }
    AddMarks<DeliveryNotesFile>(set, "segni sulle bolle importate", plan.notes, bol::kInvoiced, 1);
    AddMarks<ReceiptsFile>(set, "segni sulle ricevute importate", plan.receipts, d::kKind, 0);
    set.step("scrittura definitiva su disco");
    set.flush();
    if (plan.lineFile) {
        set.step("il file delle righe " + plan.lineFileSuiteName);
        set.publish(*plan.lineFile);
    }
    if (plan.withDocument) {
        set.step("il file " + in.withDocument->suiteName);
        set.publish(*plan.withDocument);
    }
}

}  // namespace

float NextSerial(float serial) {
    if (!std::isfinite(serial) || serial < 0) serial = 0;
    const float next = serial + 1.0f;
    if (next > 1000000000.0f || next == serial) return 1.0f;
    return next;
}

double NetUnitPrice(const DocumentLine& line, const VatTable& vat, bool vatInclusive,
                    const Money& money) {
    double net = line.unitPrice;
    net -= money.PercentOf(net, line.discount1);
    net -= money.PercentOf(net, line.discount2);
    const int code = NormalisedVatCode(line.vatCode);
    if (code < 13 && vatInclusive)
        net = money.RoundCurrency(net / ((100 + vat.rateOf(code)) / 100));
    return net;
}

Result<DocumentStored> PostDocument(DataFiles& files, const PostingInput& input) {
    DocumentStored stored;
    Plan plan;
    PostingInput in = input;
    std::optional<DocumentDraft> renumbered;
    try {
        const CompanyFile seriesFile = CompanyFileOf(files, input, kSeriesFile);
        const Result<StoredSeries> series = ReadStoredSeries(seriesFile.path, seriesFile.suiteName);
        if (!series) return Failure{series.message() + kNotStored};
        if (auto next = NumberInsteadOfTaken(files, *series, input)) {
            renumbered = *in.draft;
            HeaderEntries& h = renumbered->header;
            if (Trim(h.vatRegisterNumber) == Trim(h.documentNumber)) h.vatRegisterNumber = *next;
            h.documentNumber = *next;
            in.draft = &*renumbered;
            stored.renumbered = *next;
            stored.vatRegisterNumber = h.vatRegisterNumber;
        }
        if (auto prepared = Prepare(files, *series, in, plan); !prepared)
            return *prepared.failure();
    } catch (const RecordIoError& e) {
        return Failure{std::string("Errore di lettura dei dati (") + e.what() + ")" + kNotStored};
    }
    WriteSet set(files);
    try {
        if (auto reserved = ReserveRoom(files, in, plan, set); !reserved)
            return *reserved.failure();
        AddWrites(set, in, plan);
    } catch (const RecordIoError& e) {
        return Failure{std::string("Errore di lettura dei dati (") + e.what() + ")" + kNotStored};
    }
    stored.recordNumber = plan.recordNumber;
    stored.serial = plan.documentCounter.single(tot::kSerial);
    stored.pdfName = plan.pdfName;

    stored.movements = static_cast<int>(plan.movements.size());
    const HeaderEntries& h = in.draft->header;
    const Status applied = ApplyWithIntent(
        set, files.pathOf(kFte).parent_path(),
        "La " + DocumentTitle(in.documentKind, in.draft->panel.documentType, h.documentNumber,
                              h.documentDate, in.draft->customer.name));
    if (applied) return stored;
    // Once the intent is written the document is stored: what is missing is completed from it.
    if (applied.partlyDone()) return {*applied.failure(), stored};
    return Failure{applied.message()};
}

}  // namespace qorvana
