#pragma once
// The text side of operator scripts: splitting a script into steps and words, control names
// FORM.NAME(INDEX), and quoting texts the way scripts write them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace qorvana {

// One word of a step; `quoted` for a text written in double quotes.
struct ScriptWord {
    std::string text;
    bool quoted = false;
    friend bool operator==(const ScriptWord&, const ScriptWord&) = default;
};

// One step: its line number in the script (1-based) and its words.
struct ScriptStep {
    int line = 0;
    std::vector<ScriptWord> words;
};

// Splits a script: blank lines and lines starting with "#" are skipped; words are separated by
// blanks; "..." is a text with \" and \\ as escapes. A line that does not read so fails,
// "line N: what is wrong".
Result<std::vector<ScriptStep>> ParseScript(std::string_view script);

// FORM, FORM.NAME or FORM.NAME(INDEX).
struct ControlName {
    std::string form;
    std::string name;  // empty for a form alone
    int index = -1;
    friend bool operator==(const ControlName&, const ControlName&) = default;
};
std::optional<ControlName> ParseControlName(std::string_view word);
std::string ControlNameText(const ControlName& control);

// "TEXT" with \" and \\ escaped, as scripts write texts.
std::string QuoteScriptText(std::string_view text);

}  // namespace qorvana
