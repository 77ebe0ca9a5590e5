#pragma once
// A dwelling for tests: entry texts by field index and the calculation method.

#include "program/dwelling/DwellingInput.h"

#include <initializer_list>
#include <utility>

namespace ampleton::test {

inline DwellingInput dwelling(std::initializer_list<std::pair<int, const char*>> entries,
                              NecMethod method = NecMethod::Standard) {
    DwellingInput in;
    for (const auto& [index, text] : entries)
        in.entryTexts[index] = text;
    in.setMethod(method);
    return in;
}

} // namespace ampleton::test
