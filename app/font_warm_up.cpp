#include "app/font_warm_up.h"

#include <dlfcn.h>

namespace qorvana {

FontWarmUp::FontWarmUp() {
    // Looked up rather than linked: the library is there only when Qt Gui brought it, and the
    // program itself needs nothing of it.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (init) thread_ = std::thread([init] { init(); });
}

void FontWarmUp::wait() {
    if (thread_.joinable()) thread_.join();
}

}  // namespace qorvana
