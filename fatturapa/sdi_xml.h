#pragma once
// Small reading helpers over libxml2 for the exchange system's files: parsing that never
// reaches the network, elements found by local name whatever their namespace prefix.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct _xmlDoc;
struct _xmlNode;

namespace qorvana::sdi_xml {

struct DocFree {
    void operator()(_xmlDoc* doc) const;
};
using Document = std::unique_ptr<_xmlDoc, DocFree>;

// The parsed text; nullptr and the parser's first complaint in `problem` when it is not
// well-formed XML.
Document Parse(std::string_view xml, std::string& problem);
const _xmlNode* Root(const Document& doc);
std::string LocalName(const _xmlNode* node);
// The first child element of that local name; nullptr when none.
const _xmlNode* Child(const _xmlNode* parent, std::string_view name);
std::vector<const _xmlNode*> Children(const _xmlNode* parent, std::string_view name);
// The element at a path of child names below `from` ("DatiTrasmissione/ProgressivoInvio").
const _xmlNode* At(const _xmlNode* from, std::string_view path);
// The element's text, trimmed; empty for nullptr.
std::string Text(const _xmlNode* node);
std::string TextAt(const _xmlNode* from, std::string_view path);

// A compiled XML schema, loaded once and used for many documents.
class Schema {
  public:
    // The schema at `xsdPath` (its imports beside it); nullptr and an Italian message in
    // `error` when it cannot be read or compiled.
    static std::unique_ptr<Schema> Load(const std::string& xsdPath, std::string& error);
    ~Schema();
    Schema(const Schema&) = delete;
    Schema& operator=(const Schema&) = delete;
    // What the document breaks of the schema, one text each (with the line); empty when valid.
    std::vector<std::string> Violations(const Document& doc) const;

  private:
    struct Compiled;
    explicit Schema(std::unique_ptr<Compiled> compiled);
    std::unique_ptr<Compiled> compiled_;
};

}  // namespace qorvana::sdi_xml
