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
    try {
        const auto library = libraryOf(addressInLibrary);
        if (!library)
            return kRegistrationFailed;
        for (std::string_view name : classNames)
            registerClass(name, *library);
        return kOk;
    } catch (...) {
        return kRegistrationFailed;
    }
}

HResult unregisterServer(std::initializer_list<std::string_view> classNames,
                         const void* addressInLibrary) noexcept {
    try {
        const auto library = libraryOf(addressInLibrary);
        if (!library)
            return kRegistrationFailed;
        for (std::string_view name : classNames)
            unregisterClass(name, *library);
        return kOk;
    } catch (...) {
        return kRegistrationFailed;
    }
}

} // namespace com
