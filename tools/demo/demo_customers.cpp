#include "tools/demo/demo_customers.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <unordered_set>

#include "core/cp1252.h"
#include "tools/demo/demo_files.h"
#include "tools/demo/demo_fixtures.h"
#include "tools/demo/demo_names.h"
#include "tools/demo/italian_codes.h"

namespace qorvana::demo {
namespace {

inline constexpr const char* kGenericCustomerAccount = "01020001";
inline constexpr const char* kRevenueAccount = "05010001";
inline constexpr const char* kVatAccount = "03020001";
inline constexpr const char* kOutsideVatAccount = "05010002";

// What a fixed or generated customer is made of.
struct CustomerData {
    std::string name1;
    std::string name2;
    std::string address;
    const Town* town = nullptr;
    std::string vatNumber;
    std::string taxCode;
    int payment = 1;
    int agent = 0;
    std::string account = kGenericCustomerAccount;
    std::string priceList = "1";
    int vatOverride = 0;
    std::string email;
    std::string notes1;
    bool deleted = false;
    bool publicAdministration = false;
    std::string recipientCode;
};

std::string Digits(unsigned value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*u", width, value);
    return text;
}

std::string EmailOf(std::string_view name) {
    std::string local;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z')
            local += static_cast<char>(c - 'A' + 'a');
        else if (c >= 'a' && c <= 'z')
            local += c;
        if (local.size() >= 18) break;
    }
    return "info@" + local + ".it";
}

CustomerRecord Encode(const CustomerData& d, DemoRandom& random) {
    auto r = BlankRecord(cli::kFields);
    const Town& town = *d.town;
    SetText(r, cli::kName1, d.name1);
    SetText(r, cli::kName2, d.name2);
    SetText(r, cli::kAddress, d.address);
    SetText(r, cli::kTown, town.name);
    SetText(r, cli::kPostcode, town.postcode);
    SetText(r, cli::kPhone1,
            std::string(town.phonePrefix) + " " + Digits(random.next() % 1000000, 6));
    SetText(r, cli::kVatNumber, d.vatNumber);
    SetText(r, cli::kTaxCode, d.taxCode);
    SetText(r, cli::kPaFlag, d.publicAdministration ? "1" : "0");
    SetText(r, cli::kRecipientCode, d.recipientCode);  // recipient code of the electronic invoice
    r.setInt16(cli::kPaymentCondition, static_cast<std::int16_t>(d.payment));
    r.setInt16(cli::kAgentCode, static_cast<std::int16_t>(d.agent));
    r.setInt16(cli::kRibOption, d.payment >= 3 && d.payment <= 5 ? 1 : 0);
    SetText(r, cli::kCustomerAccount, d.account);
    SetText(r, cli::kRevenueAccount, kRevenueAccount);
    SetText(r, cli::kVatAccount, kVatAccount);
    SetText(r, cli::kOutsideVatAccount, kOutsideVatAccount);
    SetText(r, cli::kVatPrefix, "IT");
    SetText(r, cli::kPriceList, d.priceList);
    SetText(r, cli::kNotes1, d.notes1);
    r.setInt16(cli::kVatCodeOverride, static_cast<std::int16_t>(d.vatOverride));
    SetText(r, cli::kEmail, d.email);
    r.setInt16(cli::kDeleted, d.deleted ? 1 : 0);
    if (d.payment >= 3 && d.payment <= 5) {
        SetText(r, cli::kBankText, "Banco BPM " + std::string(town.name));
        SetText(r, cli::kIbanPrefix, "IT60");
        SetText(r, cli::kCin, "X");
        SetText(r, cli::kAbi, "05034");
        SetText(r, cli::kCab, Digits(11700 + random.next() % 200, 5));
        SetText(r, cli::kBankAccount, Digits(random.next() % 1000000, 12));
    }
    return r;
}

CustomerData Fixture(std::string name1, std::string name2, std::string address, const Town* town,
                     std::string vatNumber, std::string taxCode, int payment, int agent,
                     std::string account) {
    CustomerData d;
    d.name1 = std::move(name1);
    d.name2 = std::move(name2);
    d.address = std::move(address);
    d.town = town;
    d.vatNumber = std::move(vatNumber);
    d.taxCode = std::move(taxCode);
    d.payment = payment;
    d.agent = agent;
    d.account = std::move(account);
    return d;
}

const Town& TownNamed(std::string_view name) {
    for (const auto& town : Towns())
        if (town.name == name) return town;
    return Towns()[0];
}

std::vector<CustomerData> Fixtures() {
    const Town& verona = TownNamed("Verona");
    const Town& vicenza = TownNamed("Vicenza");
    const Town& padova = TownNamed("Padova");
    const Town& milano = TownNamed("Milano");
    const Town& legnago = TownNamed("Legnago");
    std::vector<CustomerData> f(customer::kFixtureCount);
    auto at = [&f](int record) -> CustomerData& { return f[static_cast<std::size_t>(record - 1)]; };

    at(customer::kAlfa) = Fixture("ALFA", "Forniture Industriali S.r.l.", "Via dell'Artigianato 8",
                                  &verona, VatNumber("0345678023"), "", 3, 1, "01020002");
    at(customer::kArco) = Fixture("ARCO", "Costruzioni Edili S.p.A.", "Corso Italia 112", &vicenza,
                                  VatNumber("0298765024"), "", 4, 2, "01020003");
    at(customer::kNordica) = Fixture("NORDICA", "Impianti Termici S.n.c.", "Via Verdi 3", &padova,
                                     VatNumber("0412345028"), "", 5, 1, "01020004");
    at(customer::kBordo) =
        Fixture("BORDO", "Cantieri Navali S.r.l.", "Via del Porto 21", &TownNamed("Venezia"),
                VatNumber("0377711027"), "", 2, 0, "01020005");
    at(customer::kNodo) = Fixture("NODO", "Reti e Cablaggi S.r.l.", "Via Marconi 44", &milano,
                                  VatNumber("0555512015"), "", 1, 3, "01020006");
    at(customer::kRossi) = Fixture("ROSSI", "Impianti elettrici di Rossi Giuseppe", "Via Roma 5",
                                   &legnago, VatNumber("0266633023"), "", 1, 2, "01020007");
    at(customer::kRossiMario) =
        Fixture("ROSSI MARIO", "", "Via Cavour 17", &verona, "",
                PersonTaxCode("ROSSI", "MARIO", 1980, 1, 1, false, "L781"), 1, 0, "01020008");
    at(customer::kDeleted) =
        Fixture("*CORDERIA VENETA", "S.r.l. in liquidazione", "Via Nazionale 90", &padova,
                VatNumber("0199988028"), "", 1, 0, "01020009");
    at(customer::kDeleted).deleted = true;
    at(customer::kComune) = Fixture("COMUNE DI VERONA", "Settore Lavori Pubblici", "Piazza Bra 1",
                                    &verona, "00215150236", "00215150236", 2, 0, "01020010");
    at(customer::kComune).publicAdministration = true;
    at(customer::kComune).recipientCode = "UFH7Q2";
    at(customer::kIstituto) =
        Fixture("ISTITUTO FORMAZIONE VENETO", "Ente di formazione accreditato", "Via Galilei 2",
                &padova, VatNumber("0488877028"), "", 2, 0, "01020011");
    at(customer::kIstituto).vatOverride = 14;
    at(customer::kGrandi) =
        Fixture("GRANDI MAGAZZINI EST", "S.p.A.", "Viale dell'Industria 300", &TownNamed("Treviso"),
                VatNumber("0311122026"), "", 10, 3, "01020012");
    at(customer::kGrandi).priceList = "2";
    at(customer::kBassi) =
        Fixture("IDROTERMICA BASSI", "S.n.c. di Bassi Luca & C.", "Via Fermi 9",
                &TownNamed("Rovigo"), VatNumber("0122233029"), "", 9, 9, "01020013");
    for (auto& c : f) {
        if (c.taxCode.empty()) c.taxCode = c.vatNumber;
        if (c.email.empty()) c.email = EmailOf(c.name1);
    }
    at(customer::kComune).email = "lavoripubblici@comune.verona.it";
    at(customer::kAlfa).notes1 = "Consegna al magazzino ricevimento";
    return f;
}

// A generated customer: a company of one of three name shapes, or a person.
CustomerData Generated(int serial, DemoRandom& random, std::unordered_set<std::string>& names) {
    CustomerData d;
    d.town = &random.pick(Towns());
    const auto surname = random.pick(Surnames());
    for (int attempt = 0;; ++attempt) {
        const auto s = attempt == 0 ? surname : random.pick(Surnames());
        std::string name;
        switch (random.below(4)) {
            case 0: {
                const bool female = random.percent(40);
                const auto first = random.pick(female ? FemaleNames() : MaleNames());
                name = std::string(s) + " " + std::string(first);
                d.taxCode =
                    PersonTaxCode(s, first, random.between(1950, 1995), random.between(1, 12),
                                  random.between(1, 28), female, d.town->code);
                d.name2 = std::string(random.pick(Trades()));
                break;
            }
            case 1:
                name = std::string(s) + " " + std::string(random.pick(Trades())) + " " +
                       std::string(random.pick(LegalForms()));
                break;
            case 2:
                name = std::string(random.pick(Trades())) + " " + std::string(s) + " " +
                       std::string(random.pick(LegalForms()));
                break;
            default:
                name = std::string(s) + " & " + std::string(random.pick(Surnames())) + " " +
                       std::string(random.pick(LegalForms()));
                break;
        }
        if (attempt > 50) name = name.substr(0, 33) + " " + std::to_string(serial);
        if (name.size() <= 40 && names.insert(name).second) {
            d.name1 = name;
            break;
        }
        d.taxCode.clear();
    }
    d.vatNumber =
        VatNumber(Digits(1000000 + static_cast<unsigned>(serial) * 7919 % 9000000, 7) + "023");
    if (d.taxCode.empty()) d.taxCode = d.vatNumber;
    d.address = std::string(random.pick(Streets())) + " " + std::to_string(random.between(1, 180));
    d.payment = random.between(1, 10);
    d.agent = random.between(0, 3);
    d.priceList = random.percent(10) ? "2" : "1";
    d.email = EmailOf(d.name1);
    return d;
}

}  // namespace

std::vector<CustomerRecord> MakeCustomers(int count, DemoRandom& random) {
    std::vector<CustomerRecord> customers;
    customers.reserve(static_cast<std::size_t>(std::max(count, customer::kFixtureCount)));
    std::unordered_set<std::string> names;
    for (const auto& fixture : Fixtures()) {
        names.insert(fixture.name1);
        customers.push_back(Encode(fixture, random));
    }
    for (int serial = customer::kFixtureCount + 1; serial <= count; ++serial)
        customers.push_back(Encode(Generated(serial, random, names), random));
    return customers;
}

std::string NameIndexKey(const CustomerRecord& customer) {
    std::string name = customer.text(cli::kName1);
    if (customer.int16(cli::kDeleted) == 1 && !name.empty()) name.erase(0, 1);
    return UpperCase(name);
}

std::vector<NameIndexRecord> MakeNameIndex(const std::vector<CustomerRecord>& customers) {
    struct Entry {
        std::string key;  // Windows-1252 bytes, compared as the search compares them
        std::string keyUtf8;
        int record;
    };
    std::vector<Entry> entries;
    entries.reserve(customers.size());
    for (std::size_t i = 0; i < customers.size(); ++i) {
        std::string key = NameIndexKey(customers[i]);
        entries.push_back({Utf8ToCp1252(key), key, static_cast<int>(i + 1)});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.key < b.key; });
    std::vector<NameIndexRecord> index;
    index.reserve(entries.size());
    for (const auto& e : entries) {
        auto r = BlankRecord(src::kFields);
        SetText(r, src::kKey, e.keyUtf8);
        r.setInt16(src::kCustomer, static_cast<std::int16_t>(e.record));
        index.push_back(r);
    }
    return index;
}

std::vector<AgentRecord> MakeAgents() {
    struct Agent {
        const char* name;
        const char* code;
        const char* area;
        const char* town;
        int payment;
    };
    const std::array<Agent, 3> agents{{
        {"BIANCHI LUCA", "0001", "Agente zona Verona e provincia", "Verona", 2},
        {"VERDI ANNA", "0002", "Agente zona Vicenza e Padova", "Vicenza", 2},
        {"NERI PAOLO", "0003", "Agente zona Lombardia", "Milano", 10},
    }};
    std::vector<AgentRecord> records;
    for (const auto& a : agents) {
        auto r = BlankRecord(age::kFields);
        SetText(r, age::kName1, a.name);
        SetText(r, age::kName2, "Agente di commercio");
        SetText(r, age::kAddress, "Via Mazzini 10");
        SetText(r, age::kTown, a.town);
        SetText(r, age::kPostcode, TownNamed(a.town).postcode);
        SetText(r, age::kDescription, a.area);
        SetText(r, age::kCode, a.code);
        r.setInt16(age::kPaymentCondition, static_cast<std::int16_t>(a.payment));
        records.push_back(r);
    }
    return records;
}

std::vector<AccountRecord> MakeAccounts(const std::vector<CustomerRecord>& customers) {
    std::map<std::string, std::string> chart{
        {"01010001", "Cassa contanti"},
        {"01030001", "Banco BPM c/c 123456"},
        {kGenericCustomerAccount, "Clienti diversi"},
        {"01040001", "Erario c/ritenute subite"},
        {kVatAccount, "IVA su vendite"},
        {"03020002", "IVA ad esigibilità differita"},
        {kRevenueAccount, "Ricavi vendite merci"},
        {kOutsideVatAccount, "Ricavi vendite esenti e non imponibili"},
        {"05010003", "Ricavi prestazioni di servizi"},
        {"01010002", "Valori bollati"},
        {"01040002", "Erario c/IVA"},
        {"02010001", "Fornitori diversi"},
        {"03010001", "IVA su acquisti"},
        {"04010001", "Capitale sociale"},
        {"04020001", "Riserva legale"},
        {"06010001", "Acquisti merci"},
        {"06020001", "Spese per servizi"},
        {"07010001", "Salari e stipendi"},
        {"12010001", "Interessi passivi bancari"},
        {"12010002", "Commissioni e spese bancarie"},
        {"12020001", "Sconti e abbuoni passivi"},
    };
    for (const auto& c : customers) {
        const std::string code = c.text(cli::kCustomerAccount);
        if (!chart.contains(code)) chart[code] = "Cliente " + NameIndexKey(c);
    }
    std::vector<AccountRecord> accounts;
    for (const auto& [code, name] : chart) {
        auto r = BlankRecord(con::kFields);
        SetText(r, con::kCode, code);
        SetText(r, con::kName, name.substr(0, 40));
        accounts.push_back(r);
    }
    return accounts;
}

}  // namespace qorvana::demo
