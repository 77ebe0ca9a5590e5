#pragma once
// The hidden server window's picture holder: raster pictures that a page recording cannot keep
// are loaded here and painted onto the target from here.

#include "platform/gdi/RasterPicture.h"

#include <filesystem>

namespace docuvel {

// Loads the holder when it is not loaded, clears it and loads the picture file into it. The held
// picture, with its natural size in inches, or null when the file is not a picture the loader
// reads (the holder is then empty).
const gdi::RasterPicture* LoadHolderPicture(const std::filesystem::path& path);

// True while the holder is loaded; false when the library starts.
bool serverFormLoaded();

// Unloads the holder and the picture it holds (the print dialog does this when the user
// selects another printer).
void unloadObjectServer();

} // namespace docuvel
