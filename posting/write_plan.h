#pragma once
// The writes of a posting, run in order once every check has passed. A write that fails
// stops the plan; the outcome says, in the operator's words, what was written and what
// was not. Document posting and journal posting both write through one.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace qorvana {

class WritePlan {
  public:
    using Write = std::function<void()>;

    struct Outcome {
        bool ok = true;
        std::size_t failedStep = 0;  // when !ok: the step that failed, as add() numbered it
        std::string error;           // when !ok: the failure's own text
        std::string written;         // the steps done, "; "-separated ("niente" for none)
        std::string notWritten;      // the failed step and those after it
    };

    // Adds a step named `what` (Italian, as the operator reads it); returns its number.
    std::size_t add(std::string what, Write write);
    std::size_t size() const { return steps_.size(); }

    // Runs the steps in order; a RecordIoError stops the plan at the step that threw.
    Outcome run() const;

  private:
    struct Step {
        std::string what;
        Write write;
    };
    std::string listed(std::size_t from, std::size_t to) const;

    std::vector<Step> steps_;
};

}  // namespace qorvana
