#pragma once
// The client side: creating objects by class name, and unloading libraries no longer in use.
//
// A library is loaded (dlopen) the first time one of its classes is created and stays loaded for
// the process until freeUnusedLibraries() finds that it has no live objects (DllCanUnloadNow).

#include "platform/com/Unknown.h"

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace com {

// A new object of the registered class `className`. Raises error 429 (with the reason in its text)
// when the class is not registered, its library cannot be loaded or lacks the entry points, or
// its factory fails; an error the factory raises itself reaches the caller unchanged.
Ptr<Dispatch> createObject(std::string_view className);

// The same from a library named by the caller, without the registry (e.g. the library beside the
// program's executable).
Ptr<Dispatch> createObjectFromLibrary(const std::filesystem::path& library,
                                      std::string_view className);

// Unloads every loaded library whose DllCanUnloadNow says yes; returns how many were unloaded.
std::size_t freeUnusedLibraries();

// Runs a library's DllRegisterServer or DllUnregisterServer (as a set-up step or regsvr would);
// false when the library cannot be loaded or the entry point fails.
bool registerLibrary(const std::filesystem::path& library);
bool unregisterLibrary(const std::filesystem::path& library);

} // namespace com
