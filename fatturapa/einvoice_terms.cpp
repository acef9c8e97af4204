#include "fatturapa/einvoice_terms.h"

#include "core/counters.h"
#include "core/cp1252.h"
#include "core/data_file_types.h"
#include "core/data_files.h"
#include "core/key_value_file.h"
#include "core/session.h"
#include "core/text.h"
#include "core/whole_file.h"
#include "fatturapa/fpa_composer.h"
#include "fatturapa/fpa_writer_v10.h"
#include "fatturapa/fpa_writer_v12.h"

namespace qorvana {
namespace {

bool Yes(const std::string& value) {
    const std::string v = UpperCase(Trim(value));
    return v == "SI" || v == "SÌ" || v == "1";
}

bool No(const std::string& value) {
    const std::string v = UpperCase(Trim(value));
    return v.empty() || v == "NO" || v == "0";
}

}  // namespace

EInvoiceSettingsRead LoadEInvoiceSettings(const Session& s) {
    EInvoiceSettingsRead result;
    const std::string settingsName = s.companyPath(kEInvoiceSettingsFile);
    const FileRead read = ReadWholeFile(s.companyFile(kEInvoiceSettingsFile));
    if (read.missing) return result;
    if (!read.ok()) {
        result.problem = ReadFailureMessage(settingsName, read.error);
        return result;
    }
    const KeyValues values = ParseKeyValues(read.bytes);
    for (const auto& [key, target] :
         {std::pair<const char*, bool*>{"tutti_i_clienti", &result.settings.everyCustomer},
          {"bollo_a_carico_del_cliente", &result.settings.chargeStampDuty}}) {
        const std::string value = ValueOf(values, key);
        if (!Yes(value) && !No(value))
            return {EInvoiceSettings{}, "In " + settingsName + " " + key + " vale \"" + value +
                                            "\": i valori possibili sono si e no."};
        *target = Yes(value);
    }
    return result;
}

EInvoiceCustomerRead ReadEInvoiceCustomer(const Session& s, int customer) {
    const EInvoiceCustomersRead data = ReadEInvoiceCustomers(s.companyFile(kEInvoiceCustomersFile),
                                                             s.companyPath(kEInvoiceCustomersFile));
    if (!data.customers) return {{}, data.problem};
    const auto at = data.customers->find(customer);
    return {at != data.customers->end() ? at->second : EInvoiceCustomer{}, {}};
}

std::optional<std::string> SaveEInvoiceCustomer(const Session& s, int customer,
                                                const EInvoiceCustomer& data) {
    const auto file = s.companyFile(kEInvoiceCustomersFile);
    const std::string name = s.companyPath(kEInvoiceCustomersFile);
    EInvoiceCustomersRead read = ReadEInvoiceCustomers(file, name);
    if (!read.customers) return read.problem + ": i dati non sono stati memorizzati.";
    if (data.empty())
        read.customers->erase(customer);
    else
        (*read.customers)[customer] = data;
    return WriteEInvoiceCustomers(file, name, *read.customers);
}

int StampDutyEntry(const HeaderTables& tables) {
    for (int entry = 1; entry <= 12; ++entry) {
        const auto& e = tables.exemptions[static_cast<std::size_t>(entry)];
        if (!Trim(e[0]).empty() && NatureOfDigits(Trim(e[2])) == "N1") return entry;
    }
    return 0;
}

EInvoiceTermsRead ReadEInvoiceTerms(const Session& s, const EInvoiceSettings& settings,
                                    const HeaderTables& tables, int customer) {
    EInvoiceTermsRead result;
    if (!settings.everyCustomer) return result;
    result.terms.everyCustomer = true;
    result.terms.chargeStampDuty = settings.chargeStampDuty;
    result.terms.stampDutyEntry = StampDutyEntry(tables);
    const EInvoiceCustomerRead data = ReadEInvoiceCustomer(s, customer);
    if (!data.problem.empty()) result.problem = data.problem;
    result.terms.customer = data.data;
    if (IsCustomerRecord(s.files, customer)) {
        try {
            result.missing = MissingEInvoiceData(s.files.read<CustomersFile>(customer), data.data);
        } catch (const RecordIoError& e) {
            result.problem = e.what();
        }
    }
    return result;
}

bool IsForeignCustomer(const CustomerRecord& customer) {
    return CustomerCountry(customer) != "IT";
}

Recipient RecipientOf(const CustomerRecord& customer, const EInvoiceCustomer& data) {
    const std::string own = UpperCase(Trim(data.recipientCode));
    if (Trim(customer.text(cli::kPaFlag)) == "1")
        return {RecipientKind::PublicAdministration,
                own.size() == 6 ? own : UpperCase(Trim(customer.text(cli::kRecipientCode))),
                {}};
    if (IsForeignCustomer(customer)) return {RecipientKind::Foreign, "XXXXXXX", {}};
    const std::string carried = UpperCase(Trim(fpaxml::PaddedText(customer, cli::kRecipientCode) +
                                               customer.text(cli::kRecipientCodeSeventh)));
    const std::string code = own.size() == 7 ? own : carried;
    if (code.size() == 7 && code != "0000000") return {RecipientKind::Business, code, {}};
    if (!Trim(data.pec).empty()) return {RecipientKind::CertifiedMail, "0000000", Trim(data.pec)};
    if (Trim(customer.text(cli::kVatNumber)).empty())
        return {RecipientKind::Consumer, "0000000", {}};
    return {RecipientKind::Business, "0000000", {}};
}

std::vector<std::string> MissingEInvoiceData(const CustomerRecord& c,
                                             const EInvoiceCustomer& data) {
    std::vector<std::string> missing;
    const auto blank = [&](Field<CustomerLayout> f) { return Trim(c.text(f)).empty(); };
    if (blank(cli::kName1)) missing.push_back("la ragione sociale");
    if (blank(cli::kAddress)) missing.push_back("l'indirizzo della sede");
    if (blank(cli::kTown)) missing.push_back("il comune della sede");
    const bool foreign = IsForeignCustomer(c);
    const std::string postcode = Trim(c.text(cli::kPostcode));
    if (!foreign && (postcode.size() != 5 || !fpaxml::Digits(postcode)))
        missing.push_back("il CAP della sede (5 cifre)");
    const Recipient r = RecipientOf(c, data);
    if (r.kind == RecipientKind::PublicAdministration && r.code.size() != 6)
        missing.push_back("il codice ufficio della pubblica amministrazione (6 caratteri)");
    if (foreign && blank(cli::kVatNumber) && Trim(data.foreignTaxId).empty())
        missing.push_back("l'identificativo fiscale estero");
    if (!foreign && blank(cli::kVatNumber) && blank(cli::kTaxCode))
        missing.push_back("la partita IVA o il codice fiscale");
    return missing;
}

}  // namespace qorvana
