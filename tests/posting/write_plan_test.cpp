#include "posting/write_plan.h"

#include <gtest/gtest.h>

#include "core/data_files.h"

namespace qorvana {
namespace {

TEST(WritePlan, AFailingFirstStepHasWrittenNothing) {
    bool secondRan = false;
    WritePlan plan;
    const std::size_t first = plan.add("primo", [] { throw RecordIoError("disco pieno"); });
    plan.add("secondo", [&] { secondRan = true; });
    const WritePlan::Outcome outcome = plan.run();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.failedStep, first);
    EXPECT_EQ(outcome.error, "disco pieno");
    EXPECT_EQ(outcome.written, "niente");
    EXPECT_EQ(outcome.notWritten, "primo; secondo");
    EXPECT_FALSE(secondRan);
    EXPECT_TRUE(WritePlan().run().ok);
}

}  // namespace
}  // namespace qorvana
