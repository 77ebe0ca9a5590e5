#pragma once
// The type library Docuvel40: identity of the component's one creatable class. Clients include
// this header (with _Docuvel.h) without linking the component.

#include <string_view>

namespace docuvel {

inline constexpr std::string_view kTypeLibraryName = "Docuvel40";
inline constexpr int kTypeLibraryMajorVersion = 1;
inline constexpr int kTypeLibraryMinorVersion = 0;
inline constexpr std::string_view kTypeLibraryDescription = "Docuvel® Creator/Previewer 4.0";
// The name a client creates the class by.
inline constexpr std::string_view kDocuvelClassName = "Docuvel40.Docuvel";
inline constexpr std::string_view kComponentLibraryFile = "libdv40032.so";

} // namespace docuvel
