#include "fatturapa/mime_reader.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "core/text.h"

namespace qorvana {
namespace {

// Nesting and count limits: a damaged or hostile message cannot exhaust the stack or memory.
constexpr int kMaxDepth = 12;
constexpr std::size_t kMaxParts = 2000;

std::string TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

struct Part {
    std::map<std::string, std::string> headers;  // lower-cased names, unfolded values
    std::string_view body;
};

// Splits headers and body at the first empty line; header lines are unfolded.
Part SplitPart(std::string_view text) {
    Part part;
    std::size_t at = 0;
    std::string name;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = std::min(end + 1, text.size());
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) {
            part.body = text.substr(at);
            return part;
        }
        if ((line[0] == ' ' || line[0] == '\t') && !name.empty()) {
            part.headers[name] += " " + TrimBlanks(line);
            continue;
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        name = LowerAscii(TrimBlanks(line.substr(0, colon)));
        // The first of a repeated header counts, as mail readers do.
        if (part.headers.count(name) == 0)
            part.headers[name] = TrimBlanks(line.substr(colon + 1));
        else
            name = "\x01";  // continuation lines of a repeated header are dropped too
    }
    return part;
}

std::string Header(const Part& part, const std::string& name) {
    const auto found = part.headers.find(name);
    return found == part.headers.end() ? std::string() : found->second;
}

// "type/subtype" of a Content-Type value, lower-cased.
std::string MediaType(const std::string& value) {
    return LowerAscii(TrimBlanks(std::string_view(value).substr(0, value.find(';'))));
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit((unsigned char)text[i + 1]) &&
            std::isxdigit((unsigned char)text[i + 2])) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A parameter of a structured header value ("boundary", "filename", "name"), unquoted; the
// RFC 2231 form name*=charset''value too.
std::string Parameter(const std::string& value, const std::string& wanted) {
    std::size_t at = value.find(';');
    while (at != std::string::npos && at < value.size()) {
        ++at;
        const std::size_t equals = value.find('=', at);
        if (equals == std::string::npos) break;
        const std::string name =
            LowerAscii(TrimBlanks(std::string_view(value).substr(at, equals - at)));
        std::size_t end;
        std::string text;
        std::size_t start = value.find_first_not_of(" \t", equals + 1);
        if (start != std::string::npos && value[start] == '"') {
            end = start + 1;
            for (; end < value.size() && value[end] != '"'; ++end) {
                if (value[end] == '\\' && end + 1 < value.size()) ++end;
                text += value[end];
            }
            end = value.find(';', end);
        } else {
            end = value.find(';', equals);
            text = TrimBlanks(std::string_view(value).substr(
                equals + 1, end == std::string::npos ? std::string::npos : end - equals - 1));
        }
        if (name == wanted) return text;
        if (name == wanted + "*") {
            const std::size_t quote = text.find("''");
            return PercentDecoded(quote == std::string::npos ? text : text.substr(quote + 2));
        }
        at = end;
    }
    return {};
}

std::string DecodeQuotedPrintable(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out += text[i];
        } else if (i + 2 < text.size() && std::isxdigit((unsigned char)text[i + 1]) &&
                   std::isxdigit((unsigned char)text[i + 2])) {
            out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) {
            i += text[i + 1] == '\r' && i + 2 < text.size() && text[i + 2] == '\n' ? 2 : 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string Decoded(const Part& part) {
    const std::string encoding = LowerAscii(TrimBlanks(Header(part, "content-transfer-encoding")));
    if (encoding == "base64") return DecodeBase64(part.body);
    if (encoding == "quoted-printable") return DecodeQuotedPrintable(part.body);
    return std::string(part.body);
}

// The bodies of a multipart, split at its boundary lines.
std::vector<std::string_view> MultipartBodies(std::string_view body, const std::string& boundary) {
    std::vector<std::string_view> parts;
    if (boundary.empty()) return parts;
    const std::string marker = "--" + boundary;
    std::size_t start = std::string_view::npos;
    std::size_t at = 0;
    while (at < body.size()) {
        std::size_t end = body.find('\n', at);
        if (end == std::string_view::npos) end = body.size();
        std::string_view line = body.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.starts_with(marker)) {
            const std::string_view rest = line.substr(marker.size());
            if (start != std::string_view::npos) {
                // The line break before a boundary belongs to the boundary.
                std::size_t stop = at;
                if (stop > start && body[stop - 1] == '\n') --stop;
                if (stop > start && body[stop - 1] == '\r') --stop;
                parts.push_back(body.substr(start, stop - start));
            }
            if (rest.starts_with("--")) return parts;
            start = std::min(end + 1, body.size());
        }
        at = end + 1;
    }
    if (start != std::string_view::npos && start < body.size())
        parts.push_back(body.substr(start));  // an unclosed last part still counts
    return parts;
}

std::string BaseName(std::string name) {
    const std::size_t slash = name.find_last_of("/\\");
    return slash == std::string::npos ? name : name.substr(slash + 1);
}

void Collect(std::string_view text, const std::string& sender, int depth,
             std::vector<MailAttachment>& found) {
    if (depth > kMaxDepth || found.size() >= kMaxParts) return;
    const Part part = SplitPart(text);
    const std::string type = Header(part, "content-type");
    const std::string media = MediaType(type);
    const std::string from = AddressOf(Header(part, "from"));
    const std::string carrier = from.empty() ? sender : from;
    if (media.starts_with("multipart/")) {
        for (std::string_view body : MultipartBodies(part.body, Parameter(type, "boundary")))
            Collect(body, carrier, depth + 1, found);
        return;
    }
    std::string name = Parameter(Header(part, "content-disposition"), "filename");
    if (name.empty()) name = Parameter(type, "name");
    if (media == "message/rfc822") {
        const std::string inner = Decoded(part);
        Collect(inner, carrier, depth + 1, found);
        return;
    }
    if (!name.empty() && depth > 0) found.push_back({BaseName(name), Decoded(part), carrier});
}

}  // namespace

std::vector<MailAttachment> MailAttachments(std::string_view message) {
    std::vector<MailAttachment> found;
    Collect(message, {}, 0, found);
    return found;
}

std::string AddressOf(std::string_view header) {
    const std::size_t open = header.rfind('<');
    const std::size_t close = header.rfind('>');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open)
        return TrimBlanks(header.substr(open + 1, close - open - 1));
    return TrimBlanks(header);
}

std::string DecodeBase64(std::string_view text) {
    std::string out;
    unsigned value = 0;
    int bits = 0;
    for (char c : text) {
        int digit;
        if (c >= 'A' && c <= 'Z')
            digit = c - 'A';
        else if (c >= 'a' && c <= 'z')
            digit = c - 'a' + 26;
        else if (c >= '0' && c <= '9')
            digit = c - '0' + 52;
        else if (c == '+')
            digit = 62;
        else if (c == '/')
            digit = 63;
        else if (c == '=')
            break;
        else
            continue;
        value = (value << 6) | static_cast<unsigned>(digit);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((value >> bits) & 0xFF);
        }
    }
    return out;
}

}  // namespace qorvana
