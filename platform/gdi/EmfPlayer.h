#pragma once
// Plays enhanced-metafile records onto a device context, ours and other programs' alike.

#include "platform/gdi/DcState.h"

#include <variant>
#include <vector>

namespace gdi {

class EmfPlayer {
public:
    // The context's base transform already maps the metafile's device units onto the target.
    explicit EmfPlayer(Dc& dc) : dc_(dc) {}
    // Plays a run of whole records; stops at the end record or at a malformed record. State
    // (objects, modes, transforms) carries over from one call to the next.
    void play(const char* data, std::size_t size);

private:
    using Object = std::variant<std::monostate, HPEN, HBRUSH, HFONT>;
    struct Mapping {
        int mode = 1; // MM_TEXT
        QPoint windowOrg, viewportOrg;
        QSize windowExt{1, 1}, viewportExt{1, 1};
        QTransform world;
    };
    struct Saved {
        GraphicsState gs;
        Mapping mapping;
    };

    bool record(std::uint32_t type, const char* p, std::size_t n);
    void applyTransform();
    void select(std::uint32_t handle);
    void put(std::uint32_t handle, Object object);

    Dc& dc_;
    std::vector<Object> objects_;
    Mapping mapping_;
    std::vector<Saved> saved_;
};

} // namespace gdi
