#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace keslog {

// Errors cross module boundaries as values: a Status is either ok or carries
// the operator-facing message (and, for messages that have one, the title).
class Status {
  public:
    Status() = default;
    static Status ok() { return {}; }
    static Status error(std::string message, std::string title = {}) {
        Status s;
        s.failed_ = true;
        s.message_ = std::move(message);
        s.title_ = std::move(title);
        return s;
    }

    // A failure of the operating system, with its errno value kept so that
    // callers can tell a missing disk from a full one.
    static Status systemError(int errnoValue, std::string message) {
        Status s = error(std::move(message));
        s.systemError_ = errnoValue;
        return s;
    }

    bool isOk() const { return !failed_; }
    explicit operator bool() const { return isOk(); }
    const std::string& message() const { return message_; }
    const std::string& title() const { return title_; }
    int systemError() const { return systemError_; }  // 0: not a system failure

  private:
    bool failed_ = false;
    int systemError_ = 0;
    std::string message_;
    std::string title_;
};

// A value or the Status that explains why there is none.
template <typename T>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}       // NOLINT: implicit by design
    Result(Status error) : error_(std::move(error)) {}  // NOLINT

    bool isOk() const { return value_.has_value(); }
    explicit operator bool() const { return isOk(); }
    T& value() { return *value_; }
    const T& value() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    const Status& status() const { return error_; }

  private:
    std::optional<T> value_;
    Status error_;
};

}  // namespace keslog
