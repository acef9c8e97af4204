// Reading a FatturaPA file with libxml2: well-formedness, the 1.2.3 schema, and the document
// model that the content checks read. Elements are matched by local name, so any namespace
// prefix of the root is accepted, as the exchange system accepts it.

#include "fatturapa/fpa_checks.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlschemas.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <string>

#ifndef QORVANA_FPA_SCHEMA_DIR
#error "QORVANA_FPA_SCHEMA_DIR must name the build tree's copy of the schemas"
#endif

namespace qorvana {
namespace {

constexpr const char* kSchemaFile = "Schema_VFPA12_V1.2.3.xsd";

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;

// The checks never reach the network: not for the schema's imports, not for a DTD.
void InitLibxml() {
    static const bool done = [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(xmlNoNetExternalEntityLoader);
        return true;
    }();
    (void)done;
}

std::string TrimText(std::string text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsElement(const xmlNode* node, const char* name) {
    return node->type == XML_ELEMENT_NODE &&
           xmlStrEqual(node->name, reinterpret_cast<const xmlChar*>(name));
}

const xmlNode* Child(const xmlNode* parent, const char* name) {
    if (parent == nullptr) return nullptr;
    for (const xmlNode* n = parent->children; n != nullptr; n = n->next)
        if (IsElement(n, name)) return n;
    return nullptr;
}

std::vector<const xmlNode*> Children(const xmlNode* parent, const char* name) {
    std::vector<const xmlNode*> found;
    if (parent == nullptr) return found;
    for (const xmlNode* n = parent->children; n != nullptr; n = n->next)
        if (IsElement(n, name)) found.push_back(n);
    return found;
}

int LineOf(const xmlNode* node) {
    const long line = xmlGetLineNo(node);
    return line > 0 && line <= INT_MAX ? static_cast<int>(line) : 0;
}

std::string TextOf(const xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return TrimText(std::move(text));
}

// The path of an element named in a schema error, from below the root, e.g.
// "FatturaElettronicaBody/DatiBeniServizi/ DettaglioLinee[2]/PrezzoTotale"; repeated siblings get
// their position.
std::string PathOf(const xmlNode* node) {
    std::string path;
    for (; node != nullptr && node->type == XML_ELEMENT_NODE && node->parent != nullptr &&
           node->parent->type == XML_ELEMENT_NODE;
         node = node->parent) {
        std::string step = reinterpret_cast<const char*>(node->name);
        int position = 0, count = 0;
        for (const xmlNode* n = node->parent->children; n != nullptr; n = n->next)
            if (n->type == XML_ELEMENT_NODE && xmlStrEqual(n->name, node->name)) {
                ++count;
                if (n == node) position = count;
            }
        if (count > 1) step += "[" + std::to_string(position) + "]";
        path = path.empty() ? step : step + "/" + path;
    }
    return path;
}

// The path of a child below parentPath; repeated children get their position.
std::string ChildPath(const std::string& parentPath, const char* name, std::size_t index = 0,
                      std::size_t count = 1) {
    std::string path = parentPath.empty() ? name : parentPath + "/" + name;
    if (count > 1) path += "[" + std::to_string(index + 1) + "]";
    return path;
}

FpaText ReadText(const xmlNode* parent, const std::string& parentPath, const char* name) {
    FpaText text;
    if (const xmlNode* n = Child(parent, name)) {
        text = {TextOf(n), true, ChildPath(parentPath, name), LineOf(n)};
    }
    return text;
}

FpaAmount ReadAmount(const xmlNode* parent, const std::string& parentPath, const char* name) {
    FpaAmount amount;
    if (const xmlNode* n = Child(parent, name)) {
        amount = {ParseFpaDecimal(TextOf(n)), true, ChildPath(parentPath, name), LineOf(n)};
    }
    return amount;
}

std::vector<FpaDiscount> ReadDiscounts(const xmlNode* parent, const std::string& path) {
    std::vector<FpaDiscount> read;
    const std::vector<const xmlNode*> discounts = Children(parent, "ScontoMaggiorazione");
    for (std::size_t i = 0; i < discounts.size(); ++i) {
        const std::string at = ChildPath(path, "ScontoMaggiorazione", i, discounts.size());
        read.push_back({at, LineOf(discounts[i]), ReadText(discounts[i], at, "Tipo"),
                        ReadAmount(discounts[i], at, "Percentuale"),
                        ReadAmount(discounts[i], at, "Importo")});
    }
    return read;
}

FpaLine ReadLine(const xmlNode* node, const std::string& path) {
    FpaLine line;
    line.path = path;
    line.line = LineOf(node);
    line.quantity = ReadAmount(node, path, "Quantita");
    line.unitPrice = ReadAmount(node, path, "PrezzoUnitario");
    line.discounts = ReadDiscounts(node, path);
    line.totalPrice = ReadAmount(node, path, "PrezzoTotale");
    line.rate = ReadAmount(node, path, "AliquotaIVA");
    line.withholding = ReadText(node, path, "Ritenuta");
    line.nature = ReadText(node, path, "Natura");
    return line;
}

FpaSummary ReadSummary(const xmlNode* node, const std::string& path) {
    FpaSummary summary;
    summary.path = path;
    summary.line = LineOf(node);
    summary.rate = ReadAmount(node, path, "AliquotaIVA");
    summary.nature = ReadText(node, path, "Natura");
    summary.rounding = ReadAmount(node, path, "Arrotondamento");
    summary.taxable = ReadAmount(node, path, "ImponibileImporto");
    summary.tax = ReadAmount(node, path, "Imposta");
    summary.chargeability = ReadText(node, path, "EsigibilitaIVA");
    return summary;
}

FpaTaxId ReadTaxId(const xmlNode* parent, const std::string& parentPath, const char* name) {
    FpaTaxId id;
    if (const xmlNode* n = Child(parent, name)) {
        const std::string path = ChildPath(parentPath, name);
        id = {true, path, LineOf(n), ReadText(n, path, "IdPaese"), ReadText(n, path, "IdCodice")};
    }
    return id;
}

// The identifiers of the party block `name` below `parent`.
FpaParty ReadParty(const xmlNode* parent, const std::string& parentPath, const char* name) {
    FpaParty party;
    if (const xmlNode* n = Child(parent, name)) {
        const std::string path = ChildPath(parentPath, name);
        party = {true, path, LineOf(n), ReadTaxId(n, path, "IdFiscaleIVA"),
                 ReadText(n, path, "CodiceFiscale")};
    }
    return party;
}

FpaBody ReadBody(const xmlNode* node, const std::string& path) {
    FpaBody body;
    body.path = path;
    body.line = LineOf(node);
    const std::string generalPath = path + "/DatiGenerali/DatiGeneraliDocumento";
    const xmlNode* general = Child(Child(node, "DatiGenerali"), "DatiGeneraliDocumento");
    body.documentType = ReadText(general, generalPath, "TipoDocumento");
    body.date = ReadText(general, generalPath, "Data");
    body.number = ReadText(general, generalPath, "Numero");
    body.hasWithholdingData = Child(general, "DatiRitenuta") != nullptr;
    const std::vector<const xmlNode*> funds = Children(general, "DatiCassaPrevidenziale");
    for (std::size_t i = 0; i < funds.size(); ++i) {
        const std::string at = ChildPath(generalPath, "DatiCassaPrevidenziale", i, funds.size());
        body.funds.push_back(
            {at, LineOf(funds[i]), ReadAmount(funds[i], at, "ImportoContributoCassa"),
             ReadAmount(funds[i], at, "AliquotaIVA"), ReadText(funds[i], at, "Ritenuta"),
             ReadText(funds[i], at, "Natura")});
    }
    body.discounts = ReadDiscounts(general, generalPath);
    const std::vector<const xmlNode*> linked =
        Children(Child(node, "DatiGenerali"), "DatiFattureCollegate");
    for (std::size_t i = 0; i < linked.size(); ++i)
        body.linkedInvoiceDates.push_back(ReadText(
            linked[i], ChildPath(path + "/DatiGenerali", "DatiFattureCollegate", i, linked.size()),
            "Data"));
    const std::string goodsPath = path + "/DatiBeniServizi";
    const xmlNode* goods = Child(node, "DatiBeniServizi");
    body.goodsLine = goods ? LineOf(goods) : 0;
    const std::vector<const xmlNode*> lines = Children(goods, "DettaglioLinee");
    for (std::size_t i = 0; i < lines.size(); ++i)
        body.lines.push_back(
            ReadLine(lines[i], ChildPath(goodsPath, "DettaglioLinee", i, lines.size())));
    const std::vector<const xmlNode*> summaries = Children(goods, "DatiRiepilogo");
    for (std::size_t i = 0; i < summaries.size(); ++i)
        body.summaries.push_back(
            ReadSummary(summaries[i], ChildPath(goodsPath, "DatiRiepilogo", i, summaries.size())));
    return body;
}

// The model of a document whose root is FatturaElettronica; nullopt for any other root.
std::optional<FpaDocument> ReadDocument(const xmlDoc* doc) {
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (root == nullptr || !IsElement(root, "FatturaElettronica")) return std::nullopt;
    FpaDocument model;
    if (xmlChar* version = xmlGetProp(root, reinterpret_cast<const xmlChar*>("versione"))) {
        model.version = {TrimText(reinterpret_cast<const char*>(version)), true,
                         "FatturaElettronica/@versione", LineOf(root)};
        xmlFree(version);
    }
    const xmlNode* header = Child(root, "FatturaElettronicaHeader");
    const xmlNode* transmission = Child(header, "DatiTrasmissione");
    const std::string transmissionPath = "FatturaElettronicaHeader/DatiTrasmissione";
    model.transmitter = ReadTaxId(transmission, transmissionPath, "IdTrasmittente");
    model.transmissionFormat = ReadText(transmission, transmissionPath, "FormatoTrasmissione");
    model.recipientCode = ReadText(transmission, transmissionPath, "CodiceDestinatario");
    model.certifiedEmail = ReadText(transmission, transmissionPath, "PECDestinatario");
    const std::string headerPath = "FatturaElettronicaHeader";
    const xmlNode* seller = Child(header, "CedentePrestatore");
    const xmlNode* customer = Child(header, "CessionarioCommittente");
    model.seller = ReadParty(seller, headerPath + "/CedentePrestatore", "DatiAnagrafici");
    model.customer = ReadParty(customer, headerPath + "/CessionarioCommittente", "DatiAnagrafici");
    for (FpaParty representative :
         {ReadParty(Child(header, "RappresentanteFiscale"), headerPath + "/RappresentanteFiscale",
                    "DatiAnagrafici"),
          ReadParty(customer, headerPath + "/CessionarioCommittente", "RappresentanteFiscale")})
        if (representative.present) model.representatives.push_back(std::move(representative));
    const std::vector<const xmlNode*> bodies = Children(root, "FatturaElettronicaBody");
    for (std::size_t i = 0; i < bodies.size(); ++i)
        model.bodies.push_back(
            ReadBody(bodies[i], ChildPath("", "FatturaElettronicaBody", i, bodies.size())));
    return model;
}

// Collects libxml2's structured errors as "schema" findings.
void CollectError(void* findings, xmlError* error) {
    if (error == nullptr || error->level == XML_ERR_WARNING) return;
    std::string message = TrimText(error->message ? error->message : "");
    const auto* node = static_cast<const xmlNode*>(error->node);
    const bool element = node != nullptr && node->type == XML_ELEMENT_NODE;
    static_cast<std::vector<FpaFinding>*>(findings)->push_back(
        {"schema", "il file non rispetta il formato FatturaPA 1.2.3: " + message,
         element ? PathOf(node) : "", element ? LineOf(node) : error->line});
}

// Parses the text; well-formedness errors go to findings. nullptr when not well formed.
DocPtr Parse(std::string_view xml, std::vector<FpaFinding>& findings) {
    InitLibxml();
    if (xml.size() > static_cast<std::size_t>(INT_MAX)) {
        findings.push_back(
            {"schema", "il file è troppo grande per una fattura elettronica", "", 0});
        return nullptr;
    }
    xmlSetStructuredErrorFunc(&findings, CollectError);
    DocPtr doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                             XML_PARSE_NONET | XML_PARSE_BIG_LINES));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!doc && findings.empty())
        findings.push_back({"schema", "il file non è un documento XML leggibile", "", 0});
    return doc;
}

void AppendContentFindings(const xmlDoc* doc, std::vector<FpaFinding>& findings) {
    if (const std::optional<FpaDocument> model = ReadDocument(doc)) {
        std::vector<FpaFinding> content = RunFpaContentChecks(*model);
        findings.insert(findings.end(), content.begin(), content.end());
    }
}

}  // namespace

struct FpaSchema::Parts {
    xmlSchemaPtr schema = nullptr;
    ~Parts() { xmlSchemaFree(schema); }
};

FpaSchema::FpaSchema(std::unique_ptr<Parts> parts) : parts_(std::move(parts)) {}
FpaSchema::~FpaSchema() = default;

Result<std::unique_ptr<FpaSchema>> FpaSchema::Load(const std::string& xsdPath) {
    InitLibxml();
    std::error_code ec;
    if (!std::filesystem::is_regular_file(xsdPath, ec))
        return Failure{"schema FatturaPA non trovato: " + xsdPath};
    std::vector<FpaFinding> problems;
    xmlSchemaParserCtxtPtr context = xmlSchemaNewParserCtxt(xsdPath.c_str());
    if (context == nullptr) return Failure{"impossibile leggere lo schema FatturaPA " + xsdPath};
    xmlSchemaSetParserStructuredErrors(context, CollectError, &problems);
    auto parts = std::make_unique<Parts>();
    parts->schema = xmlSchemaParse(context);
    xmlSchemaFreeParserCtxt(context);
    if (parts->schema == nullptr) {
        std::string error = "impossibile leggere lo schema FatturaPA " + xsdPath;
        if (!problems.empty()) error += ": " + problems.front().message;
        return Failure{error};
    }
    return std::unique_ptr<FpaSchema>(new FpaSchema(std::move(parts)));
}

std::string DefaultFpaSchemaPath() {
    return SchemaFilePath(kSchemaFile);
}

std::string SchemaFilePath(std::string_view file) {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path beside = exe.parent_path() / "schemas" / file;
        if (std::filesystem::is_regular_file(beside, ec)) return beside.string();
    }
    return (std::filesystem::path(QORVANA_FPA_SCHEMA_DIR) / file).string();
}

std::vector<FpaFinding> CheckFatturaPA(std::string_view xml, const FpaSchema& schema) {
    std::vector<FpaFinding> findings;
    const DocPtr doc = Parse(xml, findings);
    if (!doc) return findings;
    xmlSchemaValidCtxtPtr context = xmlSchemaNewValidCtxt(schema.parts_->schema);
    if (context == nullptr) {
        findings.push_back({"schema", "impossibile applicare lo schema FatturaPA", "", 0});
        return findings;
    }
    xmlSchemaSetValidStructuredErrors(context, CollectError, &findings);
    xmlSchemaValidateDoc(context, doc.get());
    xmlSchemaFreeValidCtxt(context);
    AppendContentFindings(doc.get(), findings);
    return findings;
}

std::vector<FpaFinding> CheckFatturaPAContent(std::string_view xml) {
    std::vector<FpaFinding> findings;
    const DocPtr doc = Parse(xml, findings);
    if (!doc) return findings;
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (root == nullptr || !IsElement(root, "FatturaElettronica")) {
        findings.push_back({"schema",
                            "l'elemento radice non è FatturaElettronica: il file non è "
                            "una fattura elettronica",
                            "", root ? LineOf(root) : 0});
        return findings;
    }
    AppendContentFindings(doc.get(), findings);
    return findings;
}

}  // namespace qorvana
