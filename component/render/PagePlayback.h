#pragma once
// The record handlers of page playback and the recording they draw into. Each handler is called
// with the file positioned after the record code and reads its own fields.

#include "component/render/PrinterDC.h"
#include "component/render/RendererMessages.h"
#include "component/render/RendererState.h"

#include <stdexcept>
#include <string_view>

namespace docuvel {

// The page recording could not be created.
class RecordingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Opens a new disk recording whose unit is one printer pixel.
void BeginPageRecording(RendererState& s);
// Plays the open recording stretched over the target, deletes it and its file, and deletes the
// pen, brush and font of the page.
void FinishPageRecording(RendererState& s);

// Reads and plays the record whose type is in s.recordType.
void playRecord(RendererState& s, RecordReader& file);

// Text and font records (90, 91, 92, 100).
void playFont(RendererState& s, RecordReader& file);
void playText(RendererState& s, RecordReader& file);
void playWrapText(RendererState& s, RecordReader& file);
void playRotatedText(RendererState& s, RecordReader& file);

void showRendererMessage(const RendererMessage& message);

} // namespace docuvel
