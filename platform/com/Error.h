#pragma once
// Error information: a member that rejects its input raises one numbered error with its exact
// text, and the caller receives the number and the description.
//
// Across an interface call the error travels as the exception com::Error; a call by name returns
// it as ErrorInfo (never as an exception). guardCall() turns anything a member may throw into
// ErrorInfo, so that no other exception crosses from a server to its client.

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace com {

struct ErrorInfo {
    std::int32_t number = 0;
    std::string description;

    friend bool operator==(const ErrorInfo&, const ErrorInfo&) = default;
};

class Error : public std::exception {
public:
    Error(std::int32_t number, std::string description);
    ~Error() override;

    std::int32_t number() const { return info_.number; }
    const std::string& description() const { return info_.description; }
    const ErrorInfo& info() const { return info_; }
    const char* what() const noexcept override { return info_.description.c_str(); }

private:
    ErrorInfo info_;
};

// Raises error `number` with `description`.
[[noreturn]] void raise(std::int32_t number, std::string description);

// Errors of the calling machinery itself, with their usual automation numbers and texts.
enum class StandardError : std::int32_t {
    Overflow = 6,
    TypeMismatch = 13,
    CannotCreateObject = 429,
    UnknownMember = 438,
    ArgumentNotOptional = 449,
    WrongArgumentCount = 450,
    AutomationError = 440,
};

std::string_view standardErrorText(StandardError e);
[[noreturn]] void raise(StandardError e);
// A standard error whose text carries a detail, e.g. the class name that could not be created.
[[noreturn]] void raise(StandardError e, std::string_view detail);

// Runs `call` and returns the error it raised, if any. A com::Error keeps its number and text;
// any other exception becomes AutomationError with the exception's text.
std::optional<ErrorInfo> guardCall(const std::function<void()>& call) noexcept;

} // namespace com
