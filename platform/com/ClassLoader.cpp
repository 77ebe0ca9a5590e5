#include "platform/com/ClassLoader.h"

#include "platform/com/Registry.h"
#include "platform/com/Server.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

namespace com {
namespace fs = std::filesystem;

namespace {

// Libraries loaded for their classes, one handle each. Process-wide, as the loader's own table.
struct LoadedLibraries {
    std::mutex mutex;
    std::map<fs::path, void*> handles;
};

LoadedLibraries& loaded() {
    static LoadedLibraries libraries;
    return libraries;
}

fs::path key(const fs::path& library) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(library, ec);
    return ec ? fs::absolute(library).lexically_normal() : canonical;
}

[[noreturn]] void cannotCreate(std::string_view className, std::string_view reason) {
    raise(StandardError::CannotCreateObject,
          std::string(className) + " (" + std::string(reason) + ")");
}

void* loadLibrary(const fs::path& library, std::string_view className) {
    auto& libs = loaded();
    const fs::path k = key(library);
    std::lock_guard lock(libs.mutex);
    if (auto it = libs.handles.find(k); it != libs.handles.end())
        return it->second;
    void* handle = dlopen(k.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        cannotCreate(className, why ? why : "cannot load " + k.string());
    }
    libs.handles.emplace(k, handle);
    return handle;
}

template <class Fn> Fn entryPoint(void* handle, const char* name) {
    return reinterpret_cast<Fn>(dlsym(handle, name));
}

// Runs one registration entry point of a library loaded just for that.
bool runRegistration(const fs::path& library, const char* entry) {
    void* handle = dlopen(key(library).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return false;
    const auto fn = entryPoint<DllRegisterServerFn>(handle, entry);
    const bool ok = fn && fn() == kOk;
    dlclose(handle);
    return ok;
}

} // namespace

Ptr<Dispatch> createObjectFromLibrary(const fs::path& library, std::string_view className) {
    void* handle = loadLibrary(library, className);
    const auto getClassObject = entryPoint<DllGetClassObjectFn>(handle, "DllGetClassObject");
    if (!getClassObject)
        cannotCreate(className, "no DllGetClassObject in " + library.string());
    ClassFactory* rawFactory = nullptr;
    const std::string name(className);
    if (getClassObject(name.c_str(), &rawFactory) != kOk || !rawFactory)
        cannotCreate(className, "class not served by " + library.string());
    const auto factory = Ptr<ClassFactory>::adopt(rawFactory);
    auto object = Ptr<Dispatch>::adopt(factory->createInstance());
    if (!object)
        cannotCreate(className, "the factory made no object");
    return object;
}

Ptr<Dispatch> createObject(std::string_view className) {
    const auto library = registeredLibrary(className);
    if (!library)
        cannotCreate(className, "class not registered");
    return createObjectFromLibrary(*library, className);
}

std::size_t freeUnusedLibraries() {
    auto& libs = loaded();
    std::lock_guard lock(libs.mutex);
    std::size_t unloaded = 0;
    for (auto it = libs.handles.begin(); it != libs.handles.end();) {
        const auto canUnload = entryPoint<DllCanUnloadNowFn>(it->second, "DllCanUnloadNow");
        if (canUnload && canUnload() == kOk) {
            dlclose(it->second);
            it = libs.handles.erase(it);
            ++unloaded;
        } else {
            ++it;
        }
    }
    return unloaded;
}

bool registerLibrary(const fs::path& library) {
    return runRegistration(library, "DllRegisterServer");
}

bool unregisterLibrary(const fs::path& library) {
    return runRegistration(library, "DllUnregisterServer");
}

} // namespace com
