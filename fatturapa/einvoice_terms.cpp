#include "fatturapa/einvoice_terms.h"

#include "core/counters.h"
#include "core/cp1252.h"
#include "core/data_file_types.h"
#include "core/data_files.h"
#include "core/key_value_file.h"
#include "core/money.h"
#include "core/session.h"
#include "core/text.h"
#include "core/whole_file.h"
#include "fatturapa/einvoice_natures.h"
#include "fatturapa/fpa_composer.h"
#include "fatturapa/fpa_writer_v10.h"
#include "fatturapa/fpa_writer_v12.h"
#include "fatturapa/tax_ids.h"

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

// The keys of qorvana-fe.ini that set the stamp duty of one VAT code.
constexpr std::string_view kStampDutyOfCode = "bollo_codice_iva_";

// The pension fund of cassa_tipo, cassa_aliquota and cassa_codice_iva; what is wrong with them
// in `wrong`, the fund then left out whole.
PensionFund ReadPensionFund(const KeyValues& values, const std::string& settingsName,
                            std::vector<std::string>& wrong) {
    const std::string type = UpperCase(Trim(ValueOf(values, "cassa_tipo")));
    if (type.empty()) return {};
    const std::size_t before = wrong.size();
    const auto told = [&](const std::string& key, const std::string& what) {
        wrong.push_back("In " + settingsName + " " + key + " vale \"" + Trim(ValueOf(values, key)) +
                        "\": " + what + ".");
    };
    const int number = type.size() == 4 && type.starts_with("TC") && fpaxml::Digits(type.substr(2))
                           ? std::stoi(type.substr(2))
                           : 0;
    if (number < 1 || number > 22)
        told("cassa_tipo", "il tipo di cassa previdenziale va da TC01 a TC22");
    const TypedNumber rate = ReadTypedNumber(Trim(ValueOf(values, "cassa_aliquota")));
    if (!rate.ok() || !(rate.value > 0) || rate.value > 100)
        told("cassa_aliquota",
             "indicare la percentuale del contributo alla cassa previdenziale (per esempio 4)");
    const std::string code = Trim(ValueOf(values, "cassa_codice_iva"));
    const int vatCode =
        !code.empty() && code.size() <= 2 && fpaxml::Digits(code) ? std::stoi(code) : 0;
    if (vatCode < 1 || vatCode > 24)
        told("cassa_codice_iva", "il codice IVA del contributo va da 1 a 24");
    if (wrong.size() != before) {
        wrong.back() += " La cassa previdenziale non è applicata finché non è corretta.";
        return {};
    }
    PensionFund fund;
    fund.type = type;
    fund.rate = rate.value;
    fund.vatCode = vatCode;
    return fund;
}

}  // namespace

Result<EInvoiceSettings> LoadEInvoiceSettings(const Session& s) {
    EInvoiceSettings settings;
    const std::string settingsName = s.companyPath(kEInvoiceSettingsFile);
    const FileRead read = ReadWholeFile(s.companyFile(kEInvoiceSettingsFile));
    if (read.missing) return settings;
    if (!read.ok()) return {Failure{ReadFailureMessage(settingsName, read.error)}, settings};
    const KeyValues values = ParseKeyValues(read.bytes);
    const auto notYesOrNo = [&](const std::string& key, const std::string& value) {
        return "In " + settingsName + " " + key + " vale \"" + value +
               "\": i valori possibili sono si e no.";
    };
    for (const auto& [key, target] :
         {std::pair<const char*, bool*>{"tutti_i_clienti", &settings.everyCustomer},
          {"bollo_a_carico_del_cliente", &settings.chargeStampDuty}}) {
        const std::string value = ValueOf(values, key);
        if (!Yes(value) && !No(value)) return {Failure{notYesOrNo(key, value)}, EInvoiceSettings{}};
        *target = Yes(value);
    }
    std::vector<std::string> wrong;
    std::string iban;
    for (char c : ValueOf(values, "iban"))
        if (c != ' ') iban += c;
    iban = UpperCase(iban);
    if (const std::string fault = iban.empty() ? "" : IbanFault(iban); !fault.empty())
        wrong.push_back("In " + settingsName + " l'iban \"" + iban + "\" " + fault +
                        ": i bonifici sono scritti senza IBAN finché non è corretto.");
    else
        settings.iban = iban;
    for (const auto& [key, value] : values) {
        if (!key.starts_with(kStampDutyOfCode)) continue;
        const std::string digits = key.substr(kStampDutyOfCode.size());
        const int code = digits.size() == 2 && fpaxml::Digits(digits) ? std::stoi(digits) : 0;
        if (code < 13 || code > 24)
            wrong.push_back("In " + settingsName + " " + key +
                            " non vale: il bollo si indica per i codici IVA da 13 a 24.");
        else if (!Yes(value) && !No(value))
            wrong.push_back(notYesOrNo(key, value));
        else
            settings.stampDutyByVatCode[code] = Yes(value);
    }
    settings.fund = ReadPensionFund(values, settingsName, wrong);
    if (wrong.empty()) return settings;
    std::string problem;
    for (const std::string& w : wrong) problem += (problem.empty() ? "" : "\n") + w;
    return {Failure{problem}, settings};
}

Result<EInvoiceCustomer> ReadEInvoiceCustomer(const Session& s, int customer) {
    const Result<EInvoiceCustomers> data = ReadEInvoiceCustomers(
        s.companyFile(kEInvoiceCustomersFile), s.companyPath(kEInvoiceCustomersFile));
    if (!data) return *data.failure();
    const auto at = data->find(customer);
    return at != data->end() ? at->second : EInvoiceCustomer{};
}

Status SaveEInvoiceCustomer(const Session& s, int customer, const EInvoiceCustomer& data) {
    const auto file = s.companyFile(kEInvoiceCustomersFile);
    const std::string name = s.companyPath(kEInvoiceCustomersFile);
    Result<EInvoiceCustomers> read = ReadEInvoiceCustomers(file, name);
    if (!read) return Failure{read.message() + ": i dati non sono stati memorizzati."};
    if (data.empty())
        read->erase(customer);
    else
        (*read)[customer] = data;
    return WriteEInvoiceCustomers(file, name, *read);
}

int StampDutyEntry(const HeaderTables& tables) {
    for (int entry = 1; entry <= 12; ++entry) {
        const auto& e = tables.exemptions[static_cast<std::size_t>(entry)];
        if (!Trim(e[0]).empty() && NatureOfDigits(Trim(e[2])) == "N1") return entry;
    }
    return 0;
}

std::array<bool, 13> StampDutyEntries(const HeaderTables& tables,
                                      const EInvoiceSettings& settings) {
    std::array<bool, 13> bears{};
    for (int entry = 1; entry <= 12; ++entry) {
        const auto set = settings.stampDutyByVatCode.find(entry + 12);
        const NatureRule* rule = NatureRuleOf(
            NatureOfDigits(Trim(tables.exemptions[static_cast<std::size_t>(entry)][2])));
        bears[static_cast<std::size_t>(entry)] =
            set != settings.stampDutyByVatCode.end() ? set->second : !rule || rule->bearsStampDuty;
    }
    return bears;
}

std::array<bool, 25> FundBaseCodes(const HeaderTables& tables) {
    std::array<bool, 25> base{};
    for (int code = 1; code <= 24; ++code)
        base[static_cast<std::size_t>(code)] =
            code <= 12 ||
            NatureOfDigits(Trim(tables.exemptions[static_cast<std::size_t>(code - 12)][2])) != "N1";
    return base;
}

EInvoiceTerms CompanyEInvoiceTerms(const EInvoiceSettings& settings, const HeaderTables& tables) {
    EInvoiceTerms terms;
    terms.everyCustomer = settings.everyCustomer;
    terms.chargeStampDuty = settings.everyCustomer && settings.chargeStampDuty;
    terms.stampDutyEntry = StampDutyEntry(tables);
    terms.stampDutyEntries = StampDutyEntries(tables, settings);
    terms.companyIban = settings.iban;
    terms.fund = settings.fund;
    terms.fund.baseCodes = FundBaseCodes(tables);
    return terms;
}

Result<CustomerEInvoiceTerms> ReadEInvoiceTerms(const Session& s, const EInvoiceSettings& settings,
                                                const HeaderTables& tables, int customer) {
    CustomerEInvoiceTerms result;
    result.terms = CompanyEInvoiceTerms(settings, tables);
    if (!settings.everyCustomer) return result;
    const Result<EInvoiceCustomer> data = ReadEInvoiceCustomer(s, customer);
    std::string problem = data.message();
    result.terms.customer = data.valueOr(EInvoiceCustomer{});
    if (IsCustomerRecord(s.files, customer)) {
        try {
            result.missing =
                MissingEInvoiceData(s.files.read<CustomersFile>(customer), result.terms.customer);
        } catch (const RecordIoError& e) {
            problem = e.what();
        }
    }
    if (!problem.empty()) return {Failure{problem}, result};
    return result;
}

bool IsForeignCustomer(const CustomerRecord& customer) {
    return CustomerCountry(customer) != "IT";
}

namespace {

// The 7-character code the customer record carries at offsets 515 to 521 (or its first 6).
std::string CarriedRecipientCode(const CustomerRecord& customer) {
    return UpperCase(Trim(fpaxml::PaddedText(customer, cli::kRecipientCode) +
                          customer.text(cli::kRecipientCodeSeventh)));
}

bool IsPublicAdministration(const CustomerRecord& customer) {
    return Trim(customer.text(cli::kPaFlag)) == "1";
}

}  // namespace

Recipient RecipientOf(const CustomerRecord& customer, const EInvoiceCustomer& data) {
    const std::string own = UpperCase(Trim(data.recipientCode));
    if (IsPublicAdministration(customer))
        return {RecipientKind::PublicAdministration,
                own.size() == 6 ? own : UpperCase(Trim(customer.text(cli::kRecipientCode))),
                {}};
    if (IsForeignCustomer(customer))
        return {RecipientKind::Foreign,
                CustomerCountry(customer) == "SM" ? kSanMarinoRecipientCode : "XXXXXXX",
                {}};
    const std::string code = own.size() == 7 ? own : CarriedRecipientCode(customer);
    if (code.size() == 7 && code != "0000000") return {RecipientKind::Business, code, {}};
    if (!Trim(data.pec).empty()) return {RecipientKind::CertifiedMail, "0000000", Trim(data.pec)};
    if (Trim(customer.text(cli::kVatNumber)).empty())
        return {RecipientKind::Consumer, "0000000", {}};
    return {RecipientKind::Business, "0000000", {}};
}

std::string OfficeCodeWarning(const CustomerRecord& customer, const EInvoiceCustomer& data) {
    if (IsPublicAdministration(customer) || IsForeignCustomer(customer)) return {};
    const std::string own = UpperCase(Trim(data.recipientCode));
    const std::string carried = CarriedRecipientCode(customer);
    const std::string code = own.size() == 6 ? own : own.empty() ? carried : "";
    if (code.size() != 6) return {};
    return "il codice destinatario \"" + code +
           "\" ha 6 caratteri, come il codice ufficio di una pubblica amministrazione, ma la "
           "scheda non indica il cliente come pubblica amministrazione: le sue fatture "
           "elettroniche non lo useranno (un'impresa ha un codice di 7 caratteri)";
}

bool IsPrivatePerson(const CustomerRecord& customer) {
    return !IsForeignCustomer(customer) && Trim(customer.text(cli::kVatNumber)).empty() &&
           Utf8Length(Trim(customer.text(cli::kTaxCode))) == 16;
}

std::string LegalName(const CustomerRecord& customer) {
    const std::string first = Trim(customer.text(cli::kName1));
    const std::string second = Trim(customer.text(cli::kName2));
    if (first.empty() || second.empty()) return first + second;
    const bool full = Utf8Length(first) + Utf8Length(second) >= 80;
    return first + (full ? "" : " ") + second;
}

std::optional<CustomerNaming> CustomerNamingOf(const CustomerRecord& customer,
                                               const EInvoiceCustomer* data) {
    if (data && !Trim(data->firstName).empty() && !Trim(data->surname).empty())
        return CustomerNaming{{}, Trim(data->firstName), Trim(data->surname)};
    if (!data || !IsPrivatePerson(customer)) return CustomerNaming{LegalName(customer), {}, {}};
    // The tax code's letters 1-3 come from the surname, 4-6 from the first name.
    const std::string taxCode = UpperCase(Trim(customer.text(cli::kTaxCode)));
    const std::string one = Trim(customer.text(cli::kName1));
    const std::string two = Trim(customer.text(cli::kName2));
    const auto named = [&](const std::string& surname, const std::string& firstName) {
        return !surname.empty() && !firstName.empty() &&
               TaxCodeSurnameLetters(surname) == taxCode.substr(0, 3) &&
               TaxCodeFirstNameLetters(firstName) == taxCode.substr(3, 3);
    };
    if (named(one, two)) return CustomerNaming{{}, two, one};
    if (named(two, one)) return CustomerNaming{{}, one, two};
    return std::nullopt;
}

std::vector<std::string> MissingEInvoiceData(const CustomerRecord& c,
                                             const EInvoiceCustomer& data) {
    std::vector<std::string> missing;
    const auto blank = [&](Field<CustomerLayout> f) { return Trim(c.text(f)).empty(); };
    if (blank(cli::kName1)) missing.push_back("la ragione sociale");
    if (!blank(cli::kName1) && !CustomerNamingOf(c, &data))
        missing.push_back(
            "il nome e il cognome del cliente, persona fisica: la scheda non li distingue");
    if (blank(cli::kAddress)) missing.push_back("l'indirizzo della sede");
    if (blank(cli::kTown)) missing.push_back("il comune della sede");
    const bool foreign = IsForeignCustomer(c);
    const std::string postcode = Trim(c.text(cli::kPostcode));
    if (!foreign && (postcode.size() != 5 || !fpaxml::Digits(postcode)))
        missing.push_back("il CAP della sede (5 cifre)");
    const Recipient r = RecipientOf(c, data);
    if (r.kind == RecipientKind::PublicAdministration && r.code.size() != 6)
        missing.push_back("il codice ufficio della pubblica amministrazione (6 caratteri)");
    if (const std::string office = OfficeCodeWarning(c, data); !office.empty())
        missing.push_back(office);
    if (foreign && blank(cli::kVatNumber) && Trim(data.foreignTaxId).empty())
        missing.push_back("l'identificativo fiscale estero");
    if (!foreign && blank(cli::kVatNumber) && blank(cli::kTaxCode))
        missing.push_back("la partita IVA o il codice fiscale");
    return missing;
}

}  // namespace qorvana
