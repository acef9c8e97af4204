// The settings files, chosen by the input's first byte; the input replaces that file:
//   0 qorvana.int   1 qorvana.eur   2 qorvana.tbl   3 qorvana.prg   4 qorvana.tab
//   5 qorvana.ilx   6 qorvana.lyf   7 qorvana.pdf   8 qorvana.lkf   9 qorvana.fpv
//   10 qorvana.gnr  11 qorvana.fpa  12 qorvana-fe.ini  13 qorvana.fec
// (eur, tbl and prg in the data root, the others in the company folder). Everything that
// reads settings then runs: start-up, the start form's and the header's tables, payment terms
// and due dates, the VAT chooser, the body form's setup, the e-invoice terms and every
// customer's e-invoice data (which must be written back as read), and the confirmation of a
// document to the public administration (print, FatturaPA, journal entry) under the company's
// e-invoice terms.

#include <array>
#include <cstdint>

#include "core/session.h"
#include "core/settings.h"
#include "core/tab_file.h"
#include "document/document_setup.h"
#include "document/due_dates.h"
#include "document/payment_terms.h"
#include "fatturapa/einvoice_terms.h"
#include "fatturapa/fpa_tables.h"
#include "fuzz/confirmation.h"
#include "fuzz/scratch_company.h"

namespace {

using namespace qorvana;
using namespace qorvana::fuzz;

struct SettingsFile {
    const char* name;
    bool dataRoot;
};
constexpr std::array<SettingsFile, 14> kFiles{{{"qorvana.int", false},
                                               {"qorvana.eur", true},
                                               {"qorvana.tbl", true},
                                               {"qorvana.prg", true},
                                               {"qorvana.tab", false},
                                               {"qorvana.ilx", false},
                                               {"qorvana.lyf", false},
                                               {"qorvana.pdf", false},
                                               {"qorvana.lkf", false},
                                               {"qorvana.fpv", false},
                                               {"qorvana.gnr", false},
                                               {"qorvana.fpa", false},
                                               {"qorvana-fe.ini", false},
                                               {"qorvana.fec", false}}};

// The public administration of the demo company: an electronic invoice goes to it.
constexpr int kPublicAdministration = 9;

// The header's payment terms: every condition's due dates and instalments.
void DueDatesOfEveryTerm(const TabFile& tab, const Money& money) {
    const PaymentTerms terms = PaymentTerms::FromTab(tab);
    terms.anyOffered();
    const PostponeRules rules = PostponeRules::FromTerms(terms);
    const CivilDate base = DueDateBase("31/01/2025", CivilDate{2025, 1, 31});
    for (int row = 1; row <= PaymentTerms::kTerms; ++row) {
        const PaymentCode code = terms.parsed(row);
        ComputeDueDates(code, base, rules);
        for (const auto& amount : SplitInstalments(code, 1000.01, money))
            if (amount) InstalmentText(*amount);
    }
}

// Every customer's e-invoice data, what the start of a document tells of it and how the
// e-invoice names the customer; the data written again must read back the same.
void EveryCustomersEInvoiceData(const Session& s) {
    const Result<EInvoiceCustomers> read =
        ReadEInvoiceCustomers(s.companyFile(kEInvoiceCustomersFile), kEInvoiceCustomersFile);
    if (!read) return;
    const CustomerRecord customer = s.files.read<CustomersFile>(kPublicAdministration);
    for (const auto& [number, data] : *read) {
        MissingEInvoiceData(customer, data);
        CustomerNamingOf(customer, &data);
        EInvoiceCustomer typed = data;
        NormaliseEInvoiceCustomer(typed);
    }
    EInvoiceCustomers kept;
    for (const auto& [number, data] : *read)
        if (!data.empty()) kept[number] = data;
    const std::string text = EInvoiceCustomersText(kept);
    ScratchCompany::Put(s.companyFile(kEInvoiceCustomersFile), text);
    const Result<EInvoiceCustomers> again =
        ReadEInvoiceCustomers(s.companyFile(kEInvoiceCustomersFile), kEInvoiceCustomersFile);
    Expect(again && EInvoiceCustomersText(*again) == text,
           "the customers' e-invoice data written read back");
}

void ReadEverySetting(Session& s) {
    const TabFile tab = TabFile::Load(s.companyFile("qorvana.tab"));
    LoadStartTables(s, tab);
    const HeaderTables tables = HeaderTables::FromTab(tab);
    VatTable::FromTab(tab).chooserItems();
    DueDatesOfEveryTerm(tab, s.money());
    ReadDocumentSetup(s.files, s.generalSettings, kPublicAdministration);
    EveryCustomersEInvoiceData(s);
    DocumentDraft draft = SampleDraft(kPublicAdministration, "2");
    draft.einvoice = CompanyEInvoiceTerms(LoadEInvoiceSettings(s).value(), tables);
    ConfirmDocument(s, draft, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ScratchCompany& company = ScratchCompany::Get();
    const Selected input = Select({data, size}, static_cast<int>(kFiles.size()));
    const SettingsFile& file = kFiles[static_cast<std::size_t>(input.choice)];
    ScratchCompany::Put((file.dataRoot ? company.dataRoot() : company.folder()) / file.name,
                        input.bytes);
    ReadEverySetting(*company.openSession());
    company.restore();
    return 0;
}
