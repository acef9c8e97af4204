#include "document/write_plan.h"

#include <gtest/gtest.h>

#include "startup/data_files.h"

namespace qorvana {
namespace {

TEST(WritePlan, StopsAtTheFailedStepAndReportsBothSides) {
    std::vector<int> ran;
    WritePlan plan;
    plan.add("primo", [&] { ran.push_back(1); });
    const std::size_t failing = plan.add("secondo", [&] { throw RecordIoError("disco pieno"); });
    plan.add("terzo", [&] { ran.push_back(3); });

    const WritePlan::Outcome outcome = plan.run();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedStep, failing);
    EXPECT_EQ(outcome.error, "disco pieno");
    EXPECT_EQ(outcome.written, "primo");
    EXPECT_EQ(outcome.notWritten, "secondo; terzo");
    EXPECT_EQ(ran, std::vector<int>{1});

    WritePlan first;
    first.add("unico", [] { throw RecordIoError("x"); });
    EXPECT_EQ(first.run().written, "niente");
    EXPECT_TRUE(WritePlan().run().ok);
}

}  // namespace
}  // namespace qorvana
