#include "core/write_hook.h"

#ifdef QORVANA_WRITE_HOOK

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace qorvana {
namespace {

struct HookState {
    WriteFault fault;
    std::int64_t counted = 0;
    const char* countFile = nullptr;
};

WriteFault FaultFromEnvironment() {
    const char* text = std::getenv("QORVANA_WRITE_FAULT");
    if (text == nullptr) return {};
    const std::string value = text;
    const auto colon = value.find(':');
    const std::string kind = value.substr(0, colon);
    const std::int64_t at = colon == std::string::npos ? 0 : std::atoll(value.c_str() + colon + 1);
    if (kind == "kill") return {WriteFaultKind::Kill, at, 0};
    if (kind == "eio") return {WriteFaultKind::Error, at, EIO};
    if (kind == "enospc") return {WriteFaultKind::Error, at, ENOSPC};
    return {};
}

HookState& State() {
    static HookState state{FaultFromEnvironment(), 0, std::getenv("QORVANA_WRITE_COUNT")};
    return state;
}

// The count, for a parent process that cannot ask: written with plain system calls, which
// are no write points of their own.
void RecordCount(const HookState& s) {
    if (s.countFile == nullptr) return;
    const int fd = ::open(s.countFile, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return;
    const std::string text = std::to_string(s.counted) + "\n";
    [[maybe_unused]] const ssize_t n = ::write(fd, text.data(), text.size());
    ::close(fd);
}

}  // namespace

int BeforeWritePoint() {
    HookState& s = State();
    ++s.counted;
    RecordCount(s);
    if (s.fault.kind == WriteFaultKind::Error && s.counted == s.fault.at) return s.fault.error;
    return 0;
}

void AfterWritePoint() {
    const HookState& s = State();
    if (s.fault.kind == WriteFaultKind::Kill && s.counted == s.fault.at)
        ::kill(::getpid(), SIGKILL);
}

void SetWriteFault(const WriteFault& fault) {
    State().fault = fault;
    State().counted = 0;
}

std::int64_t WritePointsCounted() {
    return State().counted;
}

}  // namespace qorvana

#endif
