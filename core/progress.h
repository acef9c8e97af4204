#pragma once
// How far long work has gone, for the operator: the work calls the report now and then with
// the steps done and the steps in all (0 when it cannot tell).

#include <cstdint>
#include <functional>

namespace qorvana {

using ProgressReport = std::function<void(std::int64_t done, std::int64_t total)>;

// Calls `report` (when set) at most once every `every` steps, and at the last one.
class ProgressSteps {
  public:
    ProgressSteps(const ProgressReport& report, std::int64_t total, std::int64_t every)
        : report_(report), total_(total), every_(every) {}
    void step() {
        ++done_;
        if (report_ && (done_ % every_ == 0 || done_ == total_)) report_(done_, total_);
    }

  private:
    const ProgressReport& report_;
    std::int64_t total_;
    std::int64_t every_;
    std::int64_t done_ = 0;
};

}  // namespace qorvana
