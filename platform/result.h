#pragma once
// What every fallible operation of the core returns: its value, or the reason
// it failed. Each operation says what its reason holds (the path it failed on,
// the character it could not convert, a message for the user). Reads like an
// optional: test it, then take the value with * or ->.
#include <optional>
#include <string>
#include <utility>

namespace platform {

// The value of an operation that only succeeds or fails.
struct Done {};

// A failure on its way into a Result of any type: return Fail(reason).
struct Failure {
  std::string reason;
};
inline Failure Fail(std::string reason) { return Failure{std::move(reason)}; }

template <class T = Done>
class Result {
 public:
  Result() requires std::is_same_v<T, Done> : value_(Done{}) {}
  Result(T value) : value_(std::move(value)) {}
  Result(Failure failure) : error_(std::move(failure.reason)) {}

  bool ok() const { return value_.has_value(); }
  bool has_value() const { return ok(); }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return error_; }

  T& operator*() & { return *value_; }
  const T& operator*() const& { return *value_; }
  T&& operator*() && { return *std::move(value_); }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  template <class U>
  T value_or(U&& fallback) const {
    return value_.value_or(std::forward<U>(fallback));
  }

  // Equal to a value when it holds an equal one.
  friend bool operator==(const Result& result, const T& value) {
    return result.ok() && *result == value;
  }

 private:
  std::optional<T> value_;
  std::string error_;  // empty while ok
};

// An operation without a value: ok, or the reason it failed.
using Status = Result<>;

}  // namespace platform
