#pragma once
// The interface of the small server class the loader tests create by name.

#include "platform/com/Unknown.h"

#include <cstdint>
#include <string>

namespace comtest {

inline constexpr const char* kCounterClass = "ComTest.Counter";

inline constexpr std::int32_t kBadAmount = 1001;
inline constexpr const char* kBadAmountText = "The amount must be greater than zero.";

class ICounter : public com::Dispatch {
public:
    static constexpr std::string_view kInterfaceId = "ComTest.ICounter";

    // Adds a positive amount and returns the new total; raises kBadAmount otherwise.
    virtual std::int32_t Add(std::int32_t amount) = 0;
    virtual std::int32_t Total() const = 0;
    virtual std::string Name() const = 0;
    virtual void SetName(std::string name) = 0;
};

} // namespace comtest
