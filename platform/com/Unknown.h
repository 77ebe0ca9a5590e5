#pragma once
// The object model shared by object servers and their clients.
//
// Every object is reference counted (addRef/release) and answers queryInterface with a pointer to
// one of its interfaces, found by the interface's name (its `kInterfaceId`). Interfaces are C++
// abstract classes; a dual interface derives from Dispatch, so that its members can also be called
// by name with a list of variants. Members of an interface raise com::Error (Error.h); invoke()
// never throws and returns the error as CallResult::error instead.
//
// Objects are deleted by the library that made them (in release()), so a client never runs server
// code after the last release, and the library can be unloaded once it has no live objects.

#include "platform/com/Error.h"
#include "platform/com/Variant.h"

#include <span>
#include <string_view>
#include <utility>

namespace com {

class Unknown {
public:
    static constexpr std::string_view kInterfaceId = "Unknown";

    virtual void addRef() noexcept = 0;
    virtual void release() noexcept = 0;
    // The interface `interfaceId` of this object with one more reference, or nullptr.
    virtual void* queryInterface(std::string_view interfaceId) noexcept = 0;

protected:
    virtual ~Unknown() = default;
};

enum class InvokeKind { Method, PropertyGet, PropertyPut };

struct CallResult {
    Variant value;                  // the return value; missing for a method without one
    std::optional<ErrorInfo> error; // the error the member raised

    bool ok() const { return !error.has_value(); }
};

class Dispatch : public Unknown {
public:
    static constexpr std::string_view kInterfaceId = "Dispatch";

    // Calls the member `name` (any letter case). A property writer takes the new value as its
    // last argument. A reader may also be called as a method. `args` are in declaration order;
    // a text passed with Variant::byRef is written back when the member writes its parameter.
    virtual CallResult invoke(std::string_view name, InvokeKind kind,
                              std::span<Variant> args) noexcept = 0;
};

class ClassFactory : public Unknown {
public:
    static constexpr std::string_view kInterfaceId = "ClassFactory";

    // A new object with one reference, as its Dispatch interface; raises com::Error on failure.
    virtual Dispatch* createInstance() = 0;
};

// An owning interface pointer: one reference, released when it goes.
template <class T> class Ptr {
public:
    Ptr() = default;
    // Takes over a reference the caller already holds (as returned by createInstance).
    static Ptr adopt(T* p) {
        Ptr r;
        r.p_ = p;
        return r;
    }
    Ptr(const Ptr& o) : p_(o.p_) {
        if (p_)
            p_->addRef();
    }
    Ptr(Ptr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    Ptr& operator=(Ptr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~Ptr() { reset(); }

    void reset() noexcept {
        if (auto* p = std::exchange(p_, nullptr))
            p->release();
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // The object's interface U, or an empty pointer when it has none.
    template <class U> Ptr<U> query() const {
        if (!p_)
            return {};
        return Ptr<U>::adopt(static_cast<U*>(p_->queryInterface(U::kInterfaceId)));
    }

private:
    T* p_ = nullptr;
};

} // namespace com
