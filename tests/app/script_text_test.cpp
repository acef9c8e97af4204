#include "app/script_text.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

std::vector<ScriptWord> W(std::initializer_list<std::pair<const char*, bool>> words) {
    std::vector<ScriptWord> out;
    for (const auto& [text, quoted] : words) out.push_back({text, quoted});
    return out;
}

TEST(ScriptText, SplitsStepsSkippingCommentsAndBlankLines) {
    const ScriptParse parsed = ParseScript(
        "#! demo: --fpa-switch 0\n"
        "\n"
        "   # a comment\n"
        "type qoremf.nome \"al\"\n"
        "key qoremf.nome \"a b\" Enter\r\n"
        "expect qoremf.text2(0) \"Quote \\\" and \\\\ back\"\n"
        "expect qoremf.text2(1) \"\"\n"
        "expect qoremf.text2(2) \"città €\"");
    ASSERT_EQ(parsed.errorLine, 0) << parsed.error;
    ASSERT_EQ(parsed.steps.size(), 5u);
    EXPECT_EQ(parsed.steps[0].line, 4);
    EXPECT_EQ(parsed.steps[0].words, W({{"type", false}, {"qoremf.nome", false}, {"al", true}}));
    EXPECT_EQ(parsed.steps[1].words,
              W({{"key", false}, {"qoremf.nome", false}, {"a b", true}, {"Enter", false}}));
    EXPECT_EQ(parsed.steps[2].words[2].text, "Quote \" and \\ back");
    EXPECT_EQ(parsed.steps[3].words[2], (ScriptWord{"", true}));
    EXPECT_EQ(parsed.steps[4].line, 8);
    EXPECT_EQ(parsed.steps[4].words[2].text, "città €");
}

TEST(ScriptText, ReportsTheLineOfABadText) {
    // clang-format off
    const struct { const char* script; int line; } cases[] = {
        {"click a.b\ntype a.b \"open", 2}, {"type a.b \"x\\n\"", 1}, {"\n\ntype a.b \"x\"y", 3},
        {"type a.b \"x\\", 1}};
    // clang-format on
    for (const auto& c : cases) {
        const ScriptParse parsed = ParseScript(c.script);
        EXPECT_EQ(parsed.errorLine, c.line) << c.script;
        EXPECT_FALSE(parsed.error.empty());
    }
}

TEST(ScriptText, ControlNames) {
    const auto none = std::nullopt;
    // clang-format off
    const struct { const char* word; std::optional<ControlName> expected; } cases[] = {
        {"qoremf", ControlName{"qoremf", "", -1}},
        {"qoremf.nome", ControlName{"qoremf", "nome", -1}},
        {"qoremfx.quantita(3)", ControlName{"qoremfx", "quantita", 3}},
        {"qoremft.Combo8(0)", ControlName{"qoremft", "Combo8", 0}},
        {"qorsel.srx(12)", ControlName{"qorsel", "srx", 12}},
        {".nome", none}, {"qoremf.", none}, {"qoremf.text2()", none}, {"qoremf.text2(-1)", none},
        {"qoremf.text2(1", none}, {"qoremf.te xt", none}, {"qoremf.(1)", none}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(ParseControlName(c.word), c.expected) << c.word;
        if (c.expected) {
            EXPECT_EQ(ControlNameText(*c.expected), c.word);
        }
    }
}

TEST(ScriptText, QuotesTextsAsScriptsWriteThem) {
    EXPECT_EQ(QuoteScriptText("Anagrafica non trovata"), "\"Anagrafica non trovata\"");
    EXPECT_EQ(QuoteScriptText("a \"b\" \\c"), "\"a \\\"b\\\" \\\\c\"");
    // What is quoted reads back as the same text.
    const ScriptParse parsed = ParseScript("expect-message " + QuoteScriptText("x \"y\" \\z"));
    ASSERT_EQ(parsed.steps.size(), 1u);
    EXPECT_EQ(parsed.steps[0].words[1].text, "x \"y\" \\z");
}

}  // namespace
}  // namespace qorvana
