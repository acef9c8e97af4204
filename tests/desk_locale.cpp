// The tests run under the locale of their environment, as the program does (Qt makes the
// desktop's locale active at start-up): ctest runs them under C.UTF-8 and an Italian one.
#include <gtest/gtest.h>

#include <clocale>

namespace {

class DeskLocale : public ::testing::Environment {
  public:
    void SetUp() override { std::setlocale(LC_ALL, ""); }
};
const auto* const kDeskLocale = ::testing::AddGlobalTestEnvironment(new DeskLocale);

}  // namespace
