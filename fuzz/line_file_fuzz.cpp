// Line files, as the imports read them, chosen by the input's first byte:
//   0  an open delivery note of customer 1 ("b" + serial), imported one note a description line
//   1  the same note, imported grouped (equal lines merged)
//   2  an open receipt of customer 1 ("r" + serial)
//   3  the invoice of the company ("f" + serial), copied whole
// The input is the line file; the lines imported then go through the whole confirmation
// (figures, print, FatturaPA, posting, journal), and written as a line file again they must
// read back.

#include <cstdint>
#include <vector>

#include "core/session.h"
#include "core/tab_file.h"
#include "document/document_setup.h"
#include "document/line_file.h"
#include "fuzz/confirmation.h"
#include "fuzz/scratch_company.h"
#include "print/print_settings.h"
#include "sources/imports.h"
#include "sources/source_documents.h"

namespace {

using namespace qorvana;
using namespace qorvana::fuzz;

constexpr int kCustomer = 1;

// The first row the picker of `kind` offers customer 1.
SourceRow FirstSource(const Session& s, SourceKind kind) {
    const std::vector<SourceRow> rows = ListSources(s.files, kind, kCustomer, {});
    Expect(!rows.empty(), "the company has a source of each kind");
    return rows.front();
}

ImportResult Import(Session& s, int choice, std::string_view bytes, DocumentDraft& draft) {
    const auto folder = s.companyFolder();
    const VatTable vat = VatTable::FromTab(TabFile::Load(s.companyFile("qorvana.tab")));
    ImportTerms terms;
    terms.vat = &vat;
    terms.money = s.money();
    terms.customerVatOverride =
        ReadDocumentSetup(s.files, s.generalSettings, draft.customer.record).customerVatCode;
    if (choice <= 1) {
        const SourceRow note = FirstSource(s, SourceKind::DeliveryNotes);
        ScratchCompany::Put(folder / ("b" + note.cells[3]), bytes);
        ImportResult r =
            ImportDeliveryNotes(s.files, folder, {note.record}, choice == 1, terms, draft.lines);
        draft.imports.deliveryNotes = r.imported;
        draft.imports.noteNumbers = r.noteNumbers;
        return r;
    }
    if (choice == 2) {
        const SourceRow receipt = FirstSource(s, SourceKind::Receipts);
        ScratchCompany::Put(folder / ("r" + receipt.cells[3]), bytes);
        ImportResult r = ImportReceipts(s.files, folder, {receipt.record}, terms, draft.lines);
        draft.imports.receipts = r.imported;
        return r;
    }
    const InvoicePick pick = InvoicePickOf(FirstSource(s, SourceKind::Invoices));
    ScratchCompany::Put(folder / pick.fileName, bytes);
    return ImportInvoice(folder, pick.fileName, pick.fallbackName, draft.lines);
}

// The lines imported, written as an issued document's line file, read back whole.
void WriteAgain(const DocumentDraft& draft) {
    const std::string bytes = LineFile::Bytes(LineFile::IssuedHeader(draft, DocumentKind::Invoice),
                                              LineFile::BlocksOf(draft.lines));
    const LineFileContent read =
        LineFile::Parse(bytes, LineFile::kIssuedHeaderLines, LineFile::kIssuedBlocks);
    Expect(read.complete && read.header.size() == LineFile::kIssuedHeaderLines &&
               read.blocks.size() == LineFile::kIssuedBlocks,
           "a line file written reads back whole");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScratchCompany& company = ScratchCompany::Get();
    {
        const Selected input = Select({data, size}, 4);
        const auto session = company.openSession();
        DocumentDraft draft = SampleDraft(kCustomer, "2");
        draft.lines.clear();
        const ImportResult result = Import(*session, input.choice, input.bytes, draft);
        result.message();
        if (result.vatInclusive) draft.vatInclusive = *result.vatInclusive;
        WriteAgain(draft);
        ConfirmDocument(*session, draft, true);
    }
    company.restore();
    return 0;
}
