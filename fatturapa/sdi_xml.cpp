#include "fatturapa/sdi_xml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlschemas.h>

#include <climits>

#include "fatturapa/sdi_files.h"

namespace qorvana::sdi_xml {
namespace {

void InitOffline() {
    static const bool done = [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(xmlNoNetExternalEntityLoader);
        return true;
    }();
    (void)done;
}

XmlProblem::Kind KindOf(const xmlError& error) {
    using Kind = XmlProblem::Kind;
    if (error.domain != XML_FROM_SCHEMASV) return Kind::NotWellFormed;
    const int code = error.code;
    if (code == XML_SCHEMAV_CVC_ELT_1) return Kind::UnknownRoot;
    if (code >= XML_SCHEMAV_CVC_DATATYPE_VALID_1_2_1 && code <= XML_SCHEMAV_CVC_ENUMERATION_VALID)
        return Kind::Value;
    if ((code >= XML_SCHEMAV_CVC_COMPLEX_TYPE_2_1 && code <= XML_SCHEMAV_CVC_COMPLEX_TYPE_2_4) ||
        code == XML_SCHEMAV_ELEMENT_CONTENT)
        return Kind::Content;
    if (code >= XML_SCHEMAV_CVC_ATTRIBUTE_1 && code <= XML_SCHEMAV_CVC_COMPLEX_TYPE_5_2)
        return Kind::Attribute;
    return Kind::Other;
}

XmlProblem ProblemOf(const xmlError& error) {
    XmlProblem problem;
    problem.kind = KindOf(error);
    problem.line = error.line;
    problem.original = error.message ? error.message : "";
    while (!problem.original.empty() &&
           (problem.original.back() == '\n' || problem.original.back() == ' '))
        problem.original.pop_back();
    const auto* node = static_cast<const xmlNode*>(error.node);
    if (node != nullptr && node->type == XML_ELEMENT_NODE) {
        problem.element = LocalName(node);
        if (problem.line <= 0) problem.line = static_cast<int>(xmlGetLineNo(node));
    }
    return problem;
}

void FirstError(void* context, xmlError* error) {
    auto* problem = static_cast<XmlProblem*>(context);
    if (error == nullptr || error->level == XML_ERR_WARNING) return;
    if (problem->original.empty()) *problem = ProblemOf(*error);
}

void AllErrors(void* context, xmlError* error) {
    if (error == nullptr || error->level == XML_ERR_WARNING) return;
    static_cast<std::vector<XmlProblem>*>(context)->push_back(ProblemOf(*error));
}

}  // namespace

void DocFree::operator()(_xmlDoc* doc) const {
    xmlFreeDoc(doc);
}

std::string Italian(const XmlProblem& p) {
    using Kind = XmlProblem::Kind;
    const std::string line = p.line > 0 ? " (riga " + std::to_string(p.line) + ")" : "";
    const std::string element = p.element.empty() ? "un elemento" : "l'elemento " + p.element;
    switch (p.kind) {
        case Kind::NotWellFormed:
            return "il testo XML è incompleto o danneggiato" + line;
        case Kind::Empty:
            return "il file non contiene un documento XML";
        case Kind::TooLarge:
            return "il file è troppo grande";
        case Kind::UnknownRoot:
            return element + line + " non è un messaggio previsto dallo schema";
        case Kind::Content:
            return element + line +
                   " non contiene gli elementi previsti (uno manca, è in più o fuori posto)";
        case Kind::Value:
            return element + line + " ha un valore non ammesso";
        case Kind::Attribute:
            return (p.element.empty() ? "un attributo"
                                      : "un attributo dell'elemento " + p.element) +
                   line + " manca o non è ammesso";
        case Kind::Other:
            break;
    }
    return element + line + " non rispetta lo schema";
}

Document Parse(std::string_view xml, XmlProblem& problem) {
    InitOffline();
    problem = {};
    if (xml.size() > static_cast<std::size_t>(INT_MAX)) {
        problem.kind = XmlProblem::Kind::TooLarge;
        return nullptr;
    }
    xmlSetStructuredErrorFunc(&problem, FirstError);
    Document doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                               XML_PARSE_NONET | XML_PARSE_BIG_LINES));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!doc && problem.original.empty()) problem.kind = XmlProblem::Kind::Empty;
    if (doc && xmlDocGetRootElement(doc.get()) == nullptr) {
        problem = {XmlProblem::Kind::Empty, 0, {}, {}};
        return nullptr;
    }
    if (doc) problem = {};  // recovered warnings are no problem
    return doc;
}

const _xmlNode* Root(const Document& doc) {
    return doc ? xmlDocGetRootElement(doc.get()) : nullptr;
}

std::string LocalName(const _xmlNode* node) {
    return node && node->name ? reinterpret_cast<const char*>(node->name) : "";
}

const _xmlNode* Child(const _xmlNode* parent, std::string_view name) {
    if (parent == nullptr) return nullptr;
    for (const xmlNode* n = parent->children; n != nullptr; n = n->next)
        if (n->type == XML_ELEMENT_NODE && LocalName(n) == name) return n;
    return nullptr;
}

std::vector<const _xmlNode*> Children(const _xmlNode* parent, std::string_view name) {
    std::vector<const _xmlNode*> found;
    if (parent == nullptr) return found;
    for (const xmlNode* n = parent->children; n != nullptr; n = n->next)
        if (n->type == XML_ELEMENT_NODE && LocalName(n) == name) found.push_back(n);
    return found;
}

const _xmlNode* At(const _xmlNode* from, std::string_view path) {
    const xmlNode* node = from;
    while (node != nullptr && !path.empty()) {
        const std::size_t slash = path.find('/');
        node = Child(node, path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    }
    return node;
}

std::string NamespaceOf(const _xmlNode* node) {
    return node && node->ns && node->ns->href ? reinterpret_cast<const char*>(node->ns->href) : "";
}

std::string Text(const _xmlNode* node) {
    if (node == nullptr) return {};
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string TextAt(const _xmlNode* from, std::string_view path) {
    return Text(At(from, path));
}

struct Schema::Compiled {
    xmlSchemaPtr schema = nullptr;
    ~Compiled() { xmlSchemaFree(schema); }
};

Schema::Schema(std::unique_ptr<Compiled> compiled) : compiled_(std::move(compiled)) {}
Schema::~Schema() = default;

Result<std::unique_ptr<Schema>> Schema::Load(const std::string& xsdPath) {
    InitOffline();
    std::vector<XmlProblem> problems;
    xmlSchemaParserCtxtPtr context = xmlSchemaNewParserCtxt(xsdPath.c_str());
    const Failure unusable{"lo schema " + xsdPath +
                           " manca o è danneggiato: reinstallare il programma"};
    if (context == nullptr) return unusable;
    xmlSchemaSetParserStructuredErrors(context, AllErrors, &problems);
    auto compiled = std::make_unique<Compiled>();
    compiled->schema = xmlSchemaParse(context);
    xmlSchemaFreeParserCtxt(context);
    if (compiled->schema == nullptr) {
        if (!problems.empty()) LogOriginal("schema " + xsdPath, problems.front().original);
        return unusable;
    }
    return std::unique_ptr<Schema>(new Schema(std::move(compiled)));
}

std::vector<XmlProblem> Schema::Violations(const Document& doc) const {
    std::vector<XmlProblem> problems;
    xmlSchemaValidCtxtPtr context = xmlSchemaNewValidCtxt(compiled_->schema);
    if (context == nullptr) return {{XmlProblem::Kind::Other, 0, {}, "no validation context"}};
    xmlSchemaSetValidStructuredErrors(context, AllErrors, &problems);
    const int result = xmlSchemaValidateDoc(context, doc.get());
    xmlSchemaFreeValidCtxt(context);
    if (result != 0 && problems.empty())
        problems.push_back({XmlProblem::Kind::Other, 0, {}, "not valid"});
    return problems;
}

}  // namespace qorvana::sdi_xml
