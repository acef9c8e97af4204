#include "posting/write_plan.h"

#include <utility>

#include "core/data_files.h"

namespace qorvana {

std::size_t WritePlan::add(std::string what, Write write) {
    steps_.push_back({std::move(what), std::move(write)});
    return steps_.size() - 1;
}

std::string WritePlan::listed(std::size_t from, std::size_t to) const {
    std::string out;
    for (std::size_t i = from; i < to; ++i) out += (out.empty() ? "" : "; ") + steps_[i].what;
    return out.empty() ? "niente" : out;
}

WritePlan::Outcome WritePlan::run() const {
    Outcome outcome;
    std::size_t done = 0;
    try {
        for (; done < steps_.size(); ++done) steps_[done].write();
    } catch (const RecordIoError& e) {
        outcome.ok = false;
        outcome.failedStep = done;
        outcome.error = e.what();
        outcome.notWritten = listed(done, steps_.size());
    }
    outcome.written = listed(0, done);
    return outcome;
}

}  // namespace qorvana
