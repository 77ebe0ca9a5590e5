#include "platform/com/Server.h"

#include "platform/com/Registry.h"

#include <dlfcn.h>

#include <filesystem>
#include <optional>

namespace com {
namespace {

std::optional<std::filesystem::path> libraryOf(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname)
        return std::nullopt;
    return std::filesystem::path(info.dli_fname);
}

// Applies a registry change to each class of the library that holds `address`.
HResult forEachClass(std::initializer_list<std::string_view> classNames, const void* address,
                     void (*change)(std::string_view, const std::filesystem::path&)) noexcept {
    try {
        const auto library = libraryOf(address);
        if (!library)
            return kRegistrationFailed;
        for (std::string_view name : classNames)
            change(name, *library);
        return kOk;
    } catch (...) {
        return kRegistrationFailed;
    }
}

} // namespace

HResult getClassObject(const char* requested, std::string_view className, ClassFactory& factory,
                       ClassFactory** out) noexcept {
    if (!out)
        return kFail;
    *out = nullptr;
    if (!requested || className != requested)
        return kClassNotAvailable;
    factory.addRef();
    *out = &factory;
    return kOk;
}

HResult registerServer(std::initializer_list<std::string_view> classNames,
                       const void* addressInLibrary) noexcept {
    return forEachClass(classNames, addressInLibrary, registerClass);
}

HResult unregisterServer(std::initializer_list<std::string_view> classNames,
                         const void* addressInLibrary) noexcept {
    return forEachClass(classNames, addressInLibrary, unregisterClass);
}

} // namespace com
