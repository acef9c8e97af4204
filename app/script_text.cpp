#include "app/script_text.h"

#include <cctype>

namespace qorvana {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Reads the words of one line; a failure says what is wrong with it.
Result<std::vector<ScriptWord>> SplitWords(std::string_view line) {
    std::vector<ScriptWord> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (IsBlank(line[i])) {
            ++i;
            continue;
        }
        ScriptWord word;
        if (line[i] == '"') {
            word.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\') {
                    if (i >= line.size()) return Failure{"a backslash ends the line"};
                    const char next = line[i++];
                    if (next != '"' && next != '\\')
                        return Failure{std::string("unknown escape \\") + next + " in a text"};
                    word.text += next;
                    continue;
                }
                word.text += c;
            }
            if (!closed) return Failure{"a text is not closed by a double quote"};
            if (i < line.size() && !IsBlank(line[i]))
                return Failure{"a text runs into the next word"};
        } else {
            while (i < line.size() && !IsBlank(line[i])) word.text += line[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace

Result<std::vector<ScriptStep>> ParseScript(std::string_view script) {
    std::vector<ScriptStep> steps;
    int number = 0;
    std::size_t start = 0;
    while (start <= script.size()) {
        std::size_t end = script.find('\n', start);
        if (end == std::string_view::npos) end = script.size();
        std::string_view line = script.substr(start, end - start);
        ++number;
        start = end + 1;
        std::size_t first = 0;
        while (first < line.size() && IsBlank(line[first])) ++first;
        if (first == line.size() || line[first] == '#') {
            if (end == script.size()) break;
            continue;
        }
        Result<std::vector<ScriptWord>> words = SplitWords(line);
        if (!words) return Failure{"line " + std::to_string(number) + ": " + words.message()};
        steps.push_back({number, std::move(*words)});
        if (end == script.size()) break;
    }
    return steps;
}

std::optional<ControlName> ParseControlName(std::string_view word) {
    ControlName control;
    const std::size_t dot = word.find('.');
    control.form = std::string(word.substr(0, dot));
    if (control.form.empty()) return std::nullopt;
    if (dot == std::string_view::npos) return control;
    std::string_view rest = word.substr(dot + 1);
    const std::size_t open = rest.find('(');
    if (open != std::string_view::npos) {
        if (rest.back() != ')' || open + 2 >= rest.size()) return std::nullopt;
        std::string_view digits = rest.substr(open + 1, rest.size() - open - 2);
        if (digits.size() > 5) return std::nullopt;
        int index = 0;
        for (char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
            index = index * 10 + (c - '0');
        }
        control.index = index;
        rest = rest.substr(0, open);
    }
    if (rest.empty()) return std::nullopt;
    for (char c : rest)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return std::nullopt;
    control.name = std::string(rest);
    return control;
}

std::string ControlNameText(const ControlName& control) {
    std::string text = control.form;
    if (!control.name.empty()) text.append(1, '.').append(control.name);
    if (control.index >= 0)
        text.append(1, '(').append(std::to_string(control.index)).append(1, ')');
    return text;
}

std::string QuoteScriptText(std::string_view text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace qorvana
