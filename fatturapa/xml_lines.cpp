#include "fatturapa/xml_lines.h"

#include "fatturapa/xml_text.h"

namespace qorvana {

void XmlLines::indent() {
    out_.append(static_cast<std::size_t>(2 * level_), ' ');
}

void XmlLines::raw(std::string_view line) {
    out_ += line;
    out_ += "\r\n";
}

void XmlLines::open(std::string_view tag) {
    indent();
    out_ += '<';
    out_ += tag;
    out_ += ">\r\n";
    ++level_;
}

void XmlLines::close(std::string_view tag) {
    --level_;
    indent();
    out_ += "</";
    out_ += tag;
    out_ += ">\r\n";
}

void XmlLines::element(std::string_view tag, std::string_view escaped) {
    indent();
    out_ += '<';
    out_ += tag;
    out_ += '>';
    out_ += escaped;
    out_ += "</";
    out_ += tag;
    out_ += ">\r\n";
}

void XmlLines::elementText(std::string_view tag, std::string_view value) {
    indent();
    out_ += '<';
    out_ += tag;
    out_ += '>';
    AppendXmlEscaped(out_, value);
    out_ += "</";
    out_ += tag;
    out_ += ">\r\n";
}

}  // namespace qorvana
