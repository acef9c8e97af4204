#pragma once
// The outcome of an operation that can be refused or can fail: done (with its value, when it
// has one), or a Failure whose message tells the operator, in Italian, why it was refused or
// what failed. Every such operation of the core returns one; it cannot be dropped unread.
//
//     Result<PostedDocument> posted = PostDocument(...);
//     if (!posted) Warn(posted.message());
//
// A failure that came after part of the work reached the files says so (partlyDone), and may
// carry the value as far as it was done, so that the operator can be told what was written.

#include <optional>
#include <string>
#include <utility>

namespace qorvana {

// Why an operation was refused or failed, in the operator's words.
struct Failure {
    std::string message;
    // Part of the work reached the files before the failure: not everything is as it was.
    bool partlyDone = false;
};

template <class T = void>
class [[nodiscard]] Result {
  public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : failure_(std::move(failure)) {}
    // Failed after part of the work was done; `done` says how far it got.
    Result(Failure failure, T done) : value_(std::move(done)), failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    // The refusal or error; empty when done.
    const std::string& message() const { return failure_ ? failure_->message : kNone; }
    bool partlyDone() const { return failure_ && failure_->partlyDone; }
    const std::optional<Failure>& failure() const { return failure_; }

    // The value: the result when done, how far it got when partly done.
    bool hasValue() const { return value_.has_value(); }
    const T& value() const { return *value_; }
    T& value() { return *value_; }
    const T* operator->() const { return &*value_; }
    T* operator->() { return &*value_; }
    const T& operator*() const { return *value_; }
    T& operator*() { return *value_; }
    // The value when done, else `fallback` (also when partly done).
    T valueOr(T fallback) const& { return ok() ? *value_ : std::move(fallback); }
    T valueOr(T fallback) && { return ok() ? std::move(*value_) : std::move(fallback); }

  private:
    static inline const std::string kNone;
    std::optional<T> value_;
    std::optional<Failure> failure_;
};

template <>
class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return !failure_; }
    explicit operator bool() const { return ok(); }
    const std::string& message() const { return failure_ ? failure_->message : kNone; }
    bool partlyDone() const { return failure_ && failure_->partlyDone; }
    const std::optional<Failure>& failure() const { return failure_; }

  private:
    static inline const std::string kNone;
    std::optional<Failure> failure_;
};

// Done, nothing to give back.
using Status = Result<>;

}  // namespace qorvana
