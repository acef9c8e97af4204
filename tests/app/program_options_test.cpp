#include "app/program_options.h"

#include <gtest/gtest.h>

namespace qorvana {
namespace {

// What every operator script passes (--print-to DIR, the suite's command line:
// start_up_refusals.sh) is read there; here --help, OPTION=VALUE, and what is refused.
TEST(ProgramOptions, HelpAndWhatItDoesNotUnderstand) {
    EXPECT_TRUE(ParseProgramOptions({"--help"})->help);
    EXPECT_EQ(ParseProgramOptions({"--print-to=/p"})->printTo, "/p");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--drive"}, {"--colour", "red"}, {"one", "two"}, {"--company"}}) {
        const Result<ProgramOptions> refused = ParseProgramOptions(args);
        EXPECT_FALSE(refused) << args[0];
        EXPECT_FALSE(refused.message().empty()) << args[0];
    }
}

TEST(ProgramOptions, CompanyFromOptionBeforeCommandLine) {
    const auto none = std::nullopt;
    // clang-format off
    const struct { std::vector<std::string> args; std::optional<int> company; } cases[] = {
        {{"--company", "999"}, 999}, {{"--company", "1000"}, none}, {{"--company", "1e3"}, none},
        {{"--company", ""}, none}, {{"--company", "3", "xxxxxx012"}, 3}, {{}, none}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(ChosenCompany(ParseProgramOptions(c.args).value()), c.company)
            << (c.args.empty() ? "" : c.args.back());
    }
}

}  // namespace
}  // namespace qorvana
