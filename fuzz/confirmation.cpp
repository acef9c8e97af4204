#include "fuzz/confirmation.h"

#include <cstdio>
#include <cstdlib>

#include "core/cp1252.h"
#include "core/session.h"
#include "core/tab_file.h"
#include "document/document_pdf.h"
#include "document/due_dates.h"
#include "document/pension_fund.h"
#include "fatturapa/fpa_checks.h"
#include "fatturapa/fpa_export.h"
#include "fatturapa/fpa_file.h"
#include "fatturapa/fpa_tables.h"
#include "journal/account_list.h"
#include "journal/entry_proposal.h"
#include "journal/journal_posting.h"
#include "posting/posting.h"
#include "print/document_print.h"
#include "print/form_drawing.h"
#include "print/pdf_handoff.h"
#include "print/print_image.h"
#include "print/print_settings.h"

namespace qorvana::fuzz {
namespace {

// Printed widths without a font engine: a tenth of the size a character, in millimetres.
double TextWidthOf(const PrintText& text) {
    return static_cast<double>(Utf8Length(text.text)) * (text.size > 0 ? text.size : 9) * 0.1;
}

// The pages as the print loop composes them; their image must read back page for page.
void PrintPages(const Session& s, const DocumentDraft& draft, const PrintSettings& print,
                const VatTable& vat) {
    const PrintedDocument pages = ComposeDocument(
        DocumentToPrintOf(draft, s.files, s.money(), s.numberWithYear()), print, vat,
        ReadFormDrawing(s.companyFile("qorvana.lkf"), "qorvana.lkf").valueOr({}), s.money(),
        TextWidthOf);
    const Result<PrintedDocument> read = ParsePrintImage(PrintImageBytes(pages));
    Expect(read && read->size() == pages.size(), "the print image written reads back");
    for (std::size_t p = 0; read && p < pages.size(); ++p)
        Expect((*read)[p].ops.size() == pages[p].ops.size(), "every element reads back");

    PdfHandoffInput handoff;
    handoff.pdfFolder = s.runSettings.pdfFolder;
    handoff.pdfName = DocumentPdfName(draft.header, draft.kind);
    handoff.sendByMail = true;
    handoff.customerEmail =
        DocumentToPrintOf(draft, s.files, s.money(), s.numberWithYear()).entries.email;
    handoff.extraArgument = print.pdfExtraArgument();
    PdfHandoffStart(s.paths, BuildPdfHandoff(handoff));
}

// The FatturaPA file of the draft as an electronic invoice, composed and checked, not written.
Result<FpaExportPlan> ExportFatturaPa(Session& s, const DocumentDraft& draft, const TabFile& tab,
                                      const VatTable& vat) {
    DocumentDraft electronic = draft;
    electronic.kind = DocumentKind::ElectronicInvoice;
    electronic.fpaState = kFpaXmlNotWritten;
    electronic.header.proposedProgressive = "1";
    electronic.panel.documentType = "TD01";
    electronic.panel.withholdingType = 0;
    electronic.panel.paymentCondition = 1;
    electronic.panel.paymentMode = 4;
    electronic.panel.carrier = 0;
    const FpaRecord settings =
        LoadFpaRecord(s.companyFile("qorvana.fpa"), "qorvana.fpa").valueOr(BlankFpaRecord());
    const CustomerRecord customer = s.files.read<CustomersFile>(draft.customer.record);
    const HeaderTables tables = HeaderTables::FromTab(tab);
    return PrepareFpaExport({settings, electronic, customer, vat, tables, s.money(), s.files,
                             s.paths, CompanyFolder(static_cast<int>(s.companyNumber)),
                             CheckWithProgramSchema});
}

void PostWithJournal(Session& s, const DocumentDraft& draft, const PrintSettings& print,
                     const VatTable& vat, bool post) {
    const JournalEntry entry =
        ProposeEntry(ProposalFor(draft, s.files, s.money(), s.numberWithYear(), print.printLines));
    if (!post) return;
    PostingInput input;
    input.draft = &draft;
    input.vat = &vat;
    input.money = s.money();
    input.pdfFolder = s.runSettings.pdfFolder;
    input.issueMoment = CivilDateTime{CivilDate{2025, 3, 5}, 10, 0, 0};
    (void)PostDocument(s.files, input);  // a refusal is an outcome the harness explores
    const EntryCheck check = CheckEntry(entry, AccountList::Load(s.files));
    if (check.problem == EntryProblem::None)
        (void)PostJournalEntry(s.files, entry, check.accounts, input.issueMoment.dateTimeValue());
}

}  // namespace

void Expect(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "expectation failed: %s\n", what);
    std::abort();
}

DocumentDraft SampleDraft(int customer, const std::string& number) {
    DocumentDraft draft;
    draft.customer = {customer, "ALFA", "Verona"};
    DocumentLine& sold = draft.lines[1];
    sold.articleRecord = 1;
    sold.code = "ABC";
    sold.description = "Articolo di prova";
    sold.quantity = 2;
    sold.unitPrice = 10;
    sold.vatCode = 1;
    draft.lines[2].description = "Consegna al piano";
    HeaderEntries& h = draft.header;
    h.documentNumber = number;
    h.vatRegisterNumber = number;
    h.documentDate = "05/03/2025";
    h.registrationDate = "05/03/2025";
    h.dueDates[0] = "05/04/2025";
    h.paymentTerms = 0;
    h.bank1 = h.bank2 = h.bank3 = h.series = 0;
    return draft;
}

void Recompute(const Session& s, const VatTable& vat, DocumentDraft& draft) {
    UpdateFundLine(draft.lines, draft.einvoice.fund, vat, draft.vatInclusive, s.money(), true);
    draft.figures = RecomputeDocument(draft.lines, vat, draft.vatInclusive, s.money());
    draft.header.instalmentAmounts[0] = InstalmentText(draft.figures.netToPay());
}

void ConfirmDocument(Session& s, DocumentDraft& draft, bool post) {
    const TabFile tab = TabFile::Load(s.companyFile("qorvana.tab"));
    const PrintSettings print = LoadPrintSettings(s);
    const VatTable vat = VatTable::FromTab(tab);
    Recompute(s, vat, draft);
    PrintPages(s, draft, print, vat);
    (void)ExportFatturaPa(s, draft, tab, vat);  // a refusal is an outcome explored too
    PostWithJournal(s, draft, print, vat, post);
}

Result<std::string> SampleFatturaPa(Session& s) {
    DocumentDraft draft = SampleDraft(9, "2");
    const TabFile tab = TabFile::Load(s.companyFile("qorvana.tab"));
    const VatTable vat = VatTable::FromTab(tab);
    Recompute(s, vat, draft);
    const Result<FpaExportPlan> prepared = ExportFatturaPa(s, draft, tab, vat);
    if (!prepared) return *prepared.failure();
    return prepared->xml;
}

}  // namespace qorvana::fuzz
