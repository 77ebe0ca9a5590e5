#pragma once
// The two messages the renderer shows, each with an exclamation icon and an OK button.

#include <string_view>

namespace docuvel {

struct RendererMessage {
    std::string_view title;
    std::string_view text;
};

inline constexpr RendererMessage kDocumentMissingMessage{
    "Document Deleted or Moved!",
    "The document file has been deleted or moved and drawing cannot continue!"};

inline constexpr RendererMessage kUnknownDocumentMessage{
    "Unknown Document Error!",
    "There has been an unknown error reading the document file!\r\rIt may not be a compatible "
    "file, may be corrupted, or may have been created wrong."};

} // namespace docuvel
