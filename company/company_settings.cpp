#include "company/company_settings.h"

#include "core/numbers.h"
#include "core/session.h"
#include "core/tab_file.h"
#include "fatturapa/fpa_file.h"

namespace qorvana {
namespace {

TabFile LoadTab(const Session& session) {
    return TabFile::Load(session.companyFile("qorvana.tab"));
}

// The header's tables and the payment terms from `tab` (qorvana.tab), and qorvana.fpa; adds the
// messages of the files that could not be read (qorvana.tab's is its caller's).
void ReadHeaderPart(Session& session, const TabFile& tab, CompanySettings& settings,
                    std::vector<std::string>& problems) {
    settings.headerTables = HeaderTables::FromTab(tab);
    settings.paymentTerms = PaymentTerms::FromTab(tab);
    settings.postponeRules = PostponeRules::FromTerms(settings.paymentTerms);
    const Result<FpaRecord> fpa =
        LoadFpaRecord(session.companyFile("qorvana.fpa"), session.companyPath("qorvana.fpa"));
    settings.fpa = fpa.valueOr(BlankFpaRecord());
    NoteDefaultsUsed(problems, fpa.message());
}

// The print tables; adds their messages.
void ReadPrintPart(Session& session, CompanySettings& settings,
                   std::vector<std::string>& problems) {
    settings.print = LoadPrintSettings(session);
    problems.insert(problems.end(), settings.print.problems.begin(), settings.print.problems.end());
}

// The company's VAT table from `tab` (qorvana.tab), built once for each reading; a qorvana.tab
// that cannot be read is noted in `problems`.
void ReadVatPart(const Session& session, const TabFile& tab, CompanySettings& settings,
                 std::vector<std::string>& problems) {
    NoteReadError(problems, tab.readError(), session.companyPath("qorvana.tab"));
    settings.vat = VatTable::FromTab(tab);
}

}  // namespace

bool CompanySettings::fpaSeparateNumbering() const {
    return Val(fpa.text(fpa::kSeparateSeries)) == 1;
}

int CompanySettings::fpaSeriesPosition() const {
    return ToInt16OrZero(Val(fpa.text(fpa::kSeriesPosition)));
}

CompanySettings& SettingsOf(Session& session) {
    if (!session.companySettings) session.companySettings = std::make_shared<CompanySettings>();
    return *session.companySettings;
}

const CompanySettings& SettingsOf(const Session& session) {
    static const CompanySettings kNone;
    return session.companySettings ? *session.companySettings : kNone;
}

std::vector<std::string> LoadCompanySettings(Session& session) {
    CompanySettings& settings = SettingsOf(session);
    std::vector<std::string> problems = RefreshSharedSettings(session);
    // qorvana.tab is read once for every part.
    const TabFile tab = LoadTab(session);
    settings.start = LoadStartTables(session, tab);
    problems.insert(problems.end(), settings.start.problems.begin(), settings.start.problems.end());
    // Wrong values are told and the settings are taken without them.
    const Result<EInvoiceSettings> einvoice = LoadEInvoiceSettings(session);
    settings.einvoice = einvoice.value();
    if (!einvoice) problems.push_back(einvoice.message());
    // The header's part: the start form shows a customer's e-invoice terms with its tables, and
    // the e-invoice window needs the VAT table and qorvana.fpa. The print tables wait for the
    // body form, before anything is printed.
    std::vector<std::string> toldLater;
    ReadVatPart(session, tab, settings, toldLater);
    ReadHeaderPart(session, tab, settings, toldLater);
    return problems;
}

std::vector<std::string> RereadHeaderSettings(Session& session) {
    std::vector<std::string> problems = RefreshSharedSettings(session);
    const TabFile tab = LoadTab(session);
    ReadVatPart(session, tab, SettingsOf(session), problems);
    ReadHeaderPart(session, tab, SettingsOf(session), problems);
    return problems;
}

std::vector<std::string> RereadBodySettings(Session& session) {
    std::vector<std::string> problems = RefreshSharedSettings(session);
    CompanySettings& settings = SettingsOf(session);
    ReadPrintPart(session, settings, problems);
    ReadVatPart(session, LoadTab(session), settings, problems);
    return problems;
}

}  // namespace qorvana
