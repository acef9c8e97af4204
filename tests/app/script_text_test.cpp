#include "app/script_text.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

TEST(ScriptText, ReportsTheLineOfABadText) {
    // clang-format off
    const struct { const char* script; int line; } cases[] = {
        {"click a.b\ntype a.b \"open", 2}, {"type a.b \"x\\n\"", 1}, {"\n\ntype a.b \"x\"y", 3},
        {"type a.b \"x\\", 1}};
    // clang-format on
    for (const auto& c : cases) {
        const Result<std::vector<ScriptStep>> parsed = ParseScript(c.script);
        ASSERT_FALSE(parsed) << c.script;
        const std::string prefix = "line " + std::to_string(c.line) + ": ";
        EXPECT_TRUE(parsed.message().starts_with(prefix) && parsed.message().size() > prefix.size())
            << parsed.message();
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

// What is quoted reads back as the same text, also from a script with Windows line ends (the
// messages quoted as the replay prints them: replay_contract.sh, failures.check.py).
TEST(ScriptText, QuotesTextsAsScriptsWriteThem) {
    const Result<std::vector<ScriptStep>> parsed =
        ParseScript("# x\r\nexpect-message " + QuoteScriptText("x \"y\" \\z") + "\r\n");
    ASSERT_TRUE(parsed) << parsed.message();
    ASSERT_EQ(parsed->size(), 1u);
    EXPECT_EQ((*parsed)[0].line, 2);
    EXPECT_EQ((*parsed)[0].words[1], (ScriptWord{"x \"y\" \\z", true}));
}

}  // namespace
}  // namespace qorvana
