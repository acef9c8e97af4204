#pragma once
// Small reading helpers over libxml2 for the exchange system's files: parsing that never
// reaches the network, elements found by local name whatever their namespace prefix.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

struct _xmlDoc;
struct _xmlNode;

namespace qorvana::sdi_xml {

struct DocFree {
    void operator()(_xmlDoc* doc) const;
};
using Document = std::unique_ptr<_xmlDoc, DocFree>;

// What libxml2 found wrong with a text or a document, with its own English text kept for the
// log; `Italian` says it to the operator.
struct XmlProblem {
    enum class Kind {
        NotWellFormed,  // the text is not XML, or is cut short or damaged
        Empty,          // no root element
        TooLarge,
        UnknownRoot,  // the schema declares no such root element
        Content,      // an element's children are not the ones the schema wants
        Value,        // an element's or attribute's value breaks its type
        Attribute,    // an attribute missing or not allowed
        Other,
    };
    Kind kind = Kind::Other;
    int line = 0;
    std::string element;   // the element at fault, when known
    std::string original;  // libxml2's text
};
// "il testo XML è incompleto o danneggiato (riga 12)", "l'elemento Codice (riga 7) ha un
// valore non ammesso" ...
std::string Italian(const XmlProblem& problem);

// The parsed text; nullptr and the parser's first complaint in `problem` when it is not
// well-formed XML.
Document Parse(std::string_view xml, XmlProblem& problem);
const _xmlNode* Root(const Document& doc);
std::string LocalName(const _xmlNode* node);
// The first child element of that local name; nullptr when none.
const _xmlNode* Child(const _xmlNode* parent, std::string_view name);
std::vector<const _xmlNode*> Children(const _xmlNode* parent, std::string_view name);
// The element at a path of child names below `from` ("DatiTrasmissione/ProgressivoInvio").
const _xmlNode* At(const _xmlNode* from, std::string_view path);
// The namespace of the element; empty when it has none.
std::string NamespaceOf(const _xmlNode* node);
// The element's text, trimmed; empty for nullptr.
std::string Text(const _xmlNode* node);
std::string TextAt(const _xmlNode* from, std::string_view path);

// A compiled XML schema, loaded once and used for many documents.
class Schema {
  public:
    // The schema at `xsdPath` (its imports beside it); a failure, in Italian, when it cannot
    // be read or compiled.
    static Result<std::unique_ptr<Schema>> Load(const std::string& xsdPath);
    ~Schema();
    Schema(const Schema&) = delete;
    Schema& operator=(const Schema&) = delete;
    // What the document breaks of the schema; empty when valid.
    std::vector<XmlProblem> Violations(const Document& doc) const;

  private:
    struct Compiled;
    explicit Schema(std::unique_ptr<Compiled> compiled);
    std::unique_ptr<Compiled> compiled_;
};

}  // namespace qorvana::sdi_xml
