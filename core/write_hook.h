#pragma once
// Write points of the program: every system call that changes the company's files (a record
// written, a file written or flushed, a name given, a folder flushed) passes here. The test
// build (QORVANA_WRITE_HOOK) counts them and can end the process right after the N-th, as a
// power cut would, or make the N-th fail with a system error, so that tests can check that
// every posting survives a crash or a failure at any point. In the product both are empty.
//
// The fault is chosen by SetWriteFault, or by the environment of the process:
// QORVANA_WRITE_FAULT="kill:N" (SIGKILL right after write point N), "eio:N", "enospc:N"
// (the N-th fails with that error before it reaches the disk), "count" (count only; the
// count is written to QORVANA_WRITE_COUNT, a file, at every point).

#include <cerrno>
#include <cstdint>

namespace qorvana {

enum class WriteFaultKind { None, Kill, Error };

struct WriteFault {
    WriteFaultKind kind = WriteFaultKind::None;
    std::int64_t at = 0;  // the write point, counted from 1
    int error = 0;        // for Error: EIO, ENOSPC
};

#ifdef QORVANA_WRITE_HOOK
inline constexpr bool kWriteHook = true;
// Before a write point: 0 to go on, or the error it must fail with.
int BeforeWritePoint();
// After a write point that reached the system: ends the process when it is the chosen one.
void AfterWritePoint();
// The fault for the points from now on, counted afresh.
void SetWriteFault(const WriteFault& fault);
// Write points counted since the last SetWriteFault (or the start).
std::int64_t WritePointsCounted();
#else
// Without the hook nothing is counted and no fault is made: tests that need one skip.
inline constexpr bool kWriteHook = false;
inline int BeforeWritePoint() {
    return 0;
}
inline void AfterWritePoint() {}
inline void SetWriteFault(const WriteFault&) {}
inline std::int64_t WritePointsCounted() {
    return 0;
}
#endif

// Runs `call`, a system call that returns -1 and sets errno when it fails, as a write point.
template <class Call>
auto AtWritePoint(Call&& call) -> decltype(call()) {
    if (const int injected = BeforeWritePoint()) {
        errno = injected;
        return -1;
    }
    const auto done = call();
    AfterWritePoint();
    return done;
}

}  // namespace qorvana
