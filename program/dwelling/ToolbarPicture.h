#pragma once
// The images of the dwelling window's toolbar buttons, drawn by us: open folder, floppy disk,
// document and printer, each flat, raised, sunken and grey.

#include <QPixmap>

namespace ampleton {

inline constexpr int kToolbarCellWidth = 23;
inline constexpr int kToolbarCellHeight = 22;
inline constexpr int kToolbarButtonCount = 4;

enum class ToolbarImage { OpenFolder = 0, FloppyDisk = 1, Document = 2, Printer = 3 };
enum class ButtonState { Flat = 0, Raised = 1, Sunken = 2, Grey = 3 };

// One cell, 23 x 22 logical pixels, drawn at the given device pixel ratio so that it stays sharp
// on a high-DPI screen.
QPixmap toolbarCell(ToolbarImage image, ButtonState state, qreal devicePixelRatio);

} // namespace ampleton
