#pragma once
// Member and option names compare as automation clients compare them: ASCII letters in any case.

#include <cctype>
#include <string_view>

namespace com {

inline bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

} // namespace com
