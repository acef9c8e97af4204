#pragma once
// Fontconfig reads its configuration (some thirty XML files under /etc/fonts) the first time
// the program measures a text, which the first form does at once: a quarter of the start's
// work. Started on another core as the program starts, it is done, or nearly, by the time the
// first form is built, instead of delaying it.

#include <thread>

namespace qorvana {

class FontWarmUp {
  public:
    // Starts fontconfig's set-up on a thread, where Qt draws text through fontconfig.
    FontWarmUp();
    ~FontWarmUp() { wait(); }
    FontWarmUp(const FontWarmUp&) = delete;
    FontWarmUp& operator=(const FontWarmUp&) = delete;

    // Waits for the set-up to end: called before the first form, so that Qt finds it done
    // rather than doing it a second time alongside.
    void wait();

  private:
    std::thread thread_;
};

}  // namespace qorvana
