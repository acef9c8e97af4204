#pragma once
// A small deterministic generator, so that the same options always give the same company
// (the standard distributions differ between libraries).

#include <cstdint>
#include <span>

namespace qorvana::demo {

class DemoRandom {
  public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}

    std::uint32_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(state_ >> 33);
    }
    // 0 .. n - 1.
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    // low .. high.
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    template <typename T>
    const T& pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))];
    }

  private:
    std::uint64_t state_;
};

}  // namespace qorvana::demo
