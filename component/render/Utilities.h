#pragma once
// Three small operations shared across the component: naming a new temporary file, testing
// whether a file exists, and choosing the printer's paper from a document's page size.

#include "platform/host/printer/PaperSizes.h"

#include <optional>
#include <string>

namespace docuvel {

inline constexpr const char* kTempPrefix = "dvc";
inline constexpr const char* kTempEnding = ".tmp";

// The path of a new, empty file "dvc<unique>.tmp" in the system's temporary folder ($TMPDIR, or
// /tmp when that is unset or no folder). The file is created exclusively with owner-only
// permissions, so no other process can take or read the name first. Throws std::system_error
// when no file can be created.
std::string MakeTempFileName();

// True when something (a file or a folder) exists at `path`; an unreadable path counts as missing.
bool FileExists(const std::string& path);

// Sets the current printer's paper from a page size in inches, when the size (either way round) is
// one of the table below; any other size, and a paper the printer refuses, leave it unchanged.
void SelectPrinterPaper(float width, float height);

struct PagePaper {
    float width, height; // inches
    host::PaperCode code;
};

inline constexpr PagePaper kPagePapers[] = {
    {8.5f, 11.0f, host::PaperCode::Letter},    {8.5f, 14.0f, host::PaperCode::Legal},
    {17.0f, 11.0f, host::PaperCode::Tabloid},  {8.5f, 5.5f, host::PaperCode::Statement},
    {7.5f, 10.5f, host::PaperCode::Executive},
};

// The paper of the first row matching (width, height) or (height, width).
std::optional<host::PaperCode> paperForPage(float width, float height);

} // namespace docuvel
