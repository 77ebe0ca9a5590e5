#pragma once
// Writing a small file whole or not at all.

#include <filesystem>
#include <string_view>
#include <system_error>

namespace ampleton {

// Writes a new file beside `path` and puts it in place only once it is complete on disk; an
// existing file keeps its content on failure, and no partial file is left behind.
std::error_code writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

} // namespace ampleton
