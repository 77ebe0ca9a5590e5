#pragma once
// The surface that writes enhanced-metafile records: to a file for a recording context, or to
// memory as the log behind flood fills on vector devices.

#include "platform/gdi/DcState.h"

#include <cstdio>
#include <memory>
#include <string>

namespace gdi {

// Records kept in memory, for a device of `deviceSize` pixels.
std::unique_ptr<Surface> makeMemoryRecorder(QSize deviceSize);

struct RecordingFrame {
    QRect frame;    // 0.01 mm, as given (right and bottom inclusive)
    QSize device;   // reference device in pixels
    QSizeF microns; // reference device in micrometres
    std::string description;
};

// Writes a complete metafile to `file`, which it owns: the header (patched at the end), the
// records, the end record.
std::unique_ptr<Surface> makeFileRecorder(std::FILE* file, const RecordingFrame& frame);
// Ends the recording; false on a write failure. The file is closed with the recorder.
bool finishFileRecorder(Surface& recorder);

} // namespace gdi
