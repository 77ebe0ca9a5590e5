#pragma once
// Whether the last calculation of the dwelling window completed: cleared when one starts, set
// when it ends. Reports are produced only while it is set.

namespace ampleton {

inline bool& resultValid() {
    static bool valid = false;
    return valid;
}

} // namespace ampleton
