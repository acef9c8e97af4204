#include "fatturapa/sdi_xml.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlschemas.h>

#include <climits>

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

void FirstError(void* context, xmlError* error) {
    auto* problem = static_cast<std::string*>(context);
    if (error == nullptr || error->level == XML_ERR_WARNING) return;
    if (problem->empty() && error->message != nullptr) {
        *problem = error->message;
        while (!problem->empty() && (problem->back() == '\n' || problem->back() == ' '))
            problem->pop_back();
        if (error->line > 0) *problem += " (riga " + std::to_string(error->line) + ")";
    }
}

void AllErrors(void* context, xmlError* error) {
    if (error == nullptr || error->level == XML_ERR_WARNING) return;
    std::string text = error->message ? error->message : "";
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (error->line > 0) text += " (riga " + std::to_string(error->line) + ")";
    static_cast<std::vector<std::string>*>(context)->push_back(text);
}

}  // namespace

void DocFree::operator()(_xmlDoc* doc) const {
    xmlFreeDoc(doc);
}

Document Parse(std::string_view xml, std::string& problem) {
    InitOffline();
    problem.clear();
    if (xml.size() > static_cast<std::size_t>(INT_MAX)) {
        problem = "il file è troppo grande";
        return nullptr;
    }
    xmlSetStructuredErrorFunc(&problem, FirstError);
    Document doc(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr,
                               XML_PARSE_NONET | XML_PARSE_BIG_LINES));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!doc && problem.empty()) problem = "non è un documento XML";
    if (doc && xmlDocGetRootElement(doc.get()) == nullptr) {
        problem = "il documento XML è vuoto";
        return nullptr;
    }
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

std::unique_ptr<Schema> Schema::Load(const std::string& xsdPath, std::string& error) {
    InitOffline();
    std::vector<std::string> problems;
    xmlSchemaParserCtxtPtr context = xmlSchemaNewParserCtxt(xsdPath.c_str());
    if (context == nullptr) {
        error = "lo schema " + xsdPath + " non si può leggere";
        return nullptr;
    }
    xmlSchemaSetParserStructuredErrors(context, AllErrors, &problems);
    auto compiled = std::make_unique<Compiled>();
    compiled->schema = xmlSchemaParse(context);
    xmlSchemaFreeParserCtxt(context);
    if (compiled->schema == nullptr) {
        error = "lo schema " + xsdPath + " non si può leggere";
        if (!problems.empty()) error += ": " + problems.front();
        return nullptr;
    }
    return std::unique_ptr<Schema>(new Schema(std::move(compiled)));
}

std::vector<std::string> Schema::Violations(const Document& doc) const {
    std::vector<std::string> problems;
    xmlSchemaValidCtxtPtr context = xmlSchemaNewValidCtxt(compiled_->schema);
    if (context == nullptr) return {"lo schema non si può applicare"};
    xmlSchemaSetValidStructuredErrors(context, AllErrors, &problems);
    const int result = xmlSchemaValidateDoc(context, doc.get());
    xmlSchemaFreeValidCtxt(context);
    if (result != 0 && problems.empty()) problems.push_back("il documento non rispetta lo schema");
    return problems;
}

}  // namespace qorvana::sdi_xml
