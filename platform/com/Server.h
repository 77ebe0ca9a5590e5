#pragma once
// What an in-process object server (a shared library loaded by class name) is made of.
//
// The library exports the four entry points declared below, and nothing else (build it with
// -fvisibility=hidden and -fno-gnu-unique, or dlclose cannot unload it):
//
//     namespace { com::ServerLock lock; com::Factory<CounterObject> factory(lock); }
//     COM_EXPORT com::HResult DllGetClassObject(const char* cls, com::ClassFactory** out) {
//         return com::getClassObject(cls, "ComTest.Counter", factory, out);
//     }
//     COM_EXPORT com::HResult DllCanUnloadNow() { return com::canUnloadNow(lock); }
//     COM_EXPORT com::HResult DllRegisterServer() {
//         return com::registerServer({"ComTest.Counter"}, &lock);
//     }
//     COM_EXPORT com::HResult DllUnregisterServer() {
//         return com::unregisterServer({"ComTest.Counter"}, &lock);
//     }
//
// Objects derive from com::Object<Interface>, which counts them in the library's ServerLock, so
// that DllCanUnloadNow answers from the number of live objects.

#include "platform/com/Unknown.h"

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#define COM_EXPORT extern "C" __attribute__((visibility("default")))

namespace com {

using HResult = std::int32_t;
inline constexpr HResult kOk = 0;
inline constexpr HResult kFalse = 1; // "no", from DllCanUnloadNow
inline constexpr HResult kFail = std::int32_t(0x80004005);
inline constexpr HResult kClassNotAvailable = std::int32_t(0x80040111);
inline constexpr HResult kRegistrationFailed = std::int32_t(0x80040201);

// The entry points' types, as the loader looks them up.
using DllGetClassObjectFn = HResult (*)(const char* className, ClassFactory** factory);
using DllCanUnloadNowFn = HResult (*)();
using DllRegisterServerFn = HResult (*)();
using DllUnregisterServerFn = HResult (*)();

// The count of a library's live objects.
class ServerLock {
public:
    void lock() noexcept { ++count_; }
    void unlock() noexcept { --count_; }
    long count() const noexcept { return count_; }

private:
    std::atomic<long> count_{0};
};

// Reference counting and interface lookup for an object of `Interface` (a Dispatch). The concrete
// class implements the interface's members and invoke().
template <class Interface> class Object : public Interface {
public:
    explicit Object(ServerLock& lock) : lock_(lock) { lock_.lock(); }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void addRef() noexcept override { ++refs_; }
    void release() noexcept override {
        if (--refs_ == 0)
            delete this;
    }
    void* queryInterface(std::string_view id) noexcept override {
        Interface* self = this;
        void* found = nullptr;
        if (id == Interface::kInterfaceId)
            found = self;
        else if (id == Dispatch::kInterfaceId)
            found = static_cast<Dispatch*>(self);
        else if (id == Unknown::kInterfaceId)
            found = static_cast<Unknown*>(self);
        if (found)
            addRef();
        return found;
    }

protected:
    ~Object() override { lock_.unlock(); }

private:
    ServerLock& lock_;
    std::atomic<long> refs_{1};
};

// The class factory of `Impl`, constructed as Impl(ServerLock&). It lives as long as the library.
template <class Impl> class Factory final : public ClassFactory {
public:
    explicit Factory(ServerLock& lock) : lock_(lock) {}

    void addRef() noexcept override {}
    void release() noexcept override {}
    void* queryInterface(std::string_view id) noexcept override {
        if (id == ClassFactory::kInterfaceId)
            return static_cast<ClassFactory*>(this);
        if (id == Unknown::kInterfaceId)
            return static_cast<Unknown*>(this);
        return nullptr;
    }
    Dispatch* createInstance() override { return static_cast<Dispatch*>(new Impl(lock_)); }

private:
    ServerLock& lock_;
};

// Bodies of the entry points.
HResult getClassObject(const char* requested, std::string_view className, ClassFactory& factory,
                       ClassFactory** out) noexcept;
inline HResult canUnloadNow(const ServerLock& lock) noexcept {
    return lock.count() == 0 ? kOk : kFalse;
}
// Register or unregister the classes for the library that holds `addressInLibrary` (any object
// or function of it) in the per-user class registry (Registry.h).
HResult registerServer(std::initializer_list<std::string_view> classNames,
                       const void* addressInLibrary) noexcept;
HResult unregisterServer(std::initializer_list<std::string_view> classNames,
                         const void* addressInLibrary) noexcept;

} // namespace com
