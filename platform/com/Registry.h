#pragma once
// The per-user class registry: which library file serves a class name.
//
// One small file per class in the registry directory, named after the class and holding the
// library's absolute path. The directory is $AMPLETON_COM_REGISTRY when set (tests point it at a
// temporary folder), else $XDG_CONFIG_HOME/ampleton/classes, else ~/.config/ampleton/classes.
// Entries are replaced atomically, so a reader never sees half an entry.

#include <filesystem>
#include <optional>
#include <string_view>

namespace com {

inline constexpr const char* kRegistryVariable = "AMPLETON_COM_REGISTRY";

std::filesystem::path registryDirectory();

// Class names are letters, digits, '.', '_' and '-', not beginning with '.', at most 200
// characters: they name files.
bool isValidClassName(std::string_view className);

// Throw std::invalid_argument for an invalid class name, std::filesystem::filesystem_error when
// the registry cannot be written.
void registerClass(std::string_view className, const std::filesystem::path& library);
// Removes the entry only when it names `library` (another library may have taken the class over).
void unregisterClass(std::string_view className, const std::filesystem::path& library);

std::optional<std::filesystem::path> registeredLibrary(std::string_view className);

} // namespace com
