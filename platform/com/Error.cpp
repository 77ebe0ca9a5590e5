#include "platform/com/Error.h"

namespace com {

Error::Error(std::int32_t number, std::string description)
    : info_{number, std::move(description)} {}

// Out of line, so that the type has one identity in every library that throws or catches it.
Error::~Error() = default;

void raise(std::int32_t number, std::string description) {
    throw Error(number, std::move(description));
}

std::string_view standardErrorText(StandardError e) {
    switch (e) {
    case StandardError::Overflow:
        return "Overflow";
    case StandardError::TypeMismatch:
        return "Type mismatch";
    case StandardError::CannotCreateObject:
        return "ActiveX component can't create object";
    case StandardError::UnknownMember:
        return "Object doesn't support this property or method";
    case StandardError::ArgumentNotOptional:
        return "Argument not optional";
    case StandardError::WrongArgumentCount:
        return "Wrong number of arguments or invalid property assignment";
    case StandardError::AutomationError:
        return "Automation error";
    }
    return "Automation error";
}

void raise(StandardError e) {
    throw Error(std::int32_t(e), std::string(standardErrorText(e)));
}

void raise(StandardError e, std::string_view detail) {
    std::string text(standardErrorText(e));
    if (!detail.empty())
        text.append(": ").append(detail);
    throw Error(std::int32_t(e), std::move(text));
}

std::optional<ErrorInfo> guardCall(const std::function<void()>& call) noexcept {
    try {
        call();
        return std::nullopt;
    } catch (const Error& e) {
        return e.info();
    } catch (const std::exception& e) {
        return ErrorInfo{std::int32_t(StandardError::AutomationError),
                         std::string(standardErrorText(StandardError::AutomationError)) + ": " +
                             e.what()};
    } catch (...) {
        return ErrorInfo{std::int32_t(StandardError::AutomationError),
                         std::string(standardErrorText(StandardError::AutomationError))};
    }
}

} // namespace com
