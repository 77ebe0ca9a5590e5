#pragma once
// Call by name for a server class: a table of its members, each bound to a member function of
// the class's interface. The table converts the variant arguments to the parameter types with the
// automation rules (Variant::toSingle, ...), passes `Variant` parameters as given (missing when
// the caller left them out) and turns the return value back into a variant.
//
//     static const com::DispatchTable<ICounter> kTable = com::DispatchTable<ICounter>()
//         .method("Add", &ICounter::Add)
//         .get("Name", &ICounter::Name)
//         .put("Name", &ICounter::SetName);
//     CallResult invoke(name, kind, args) noexcept override { return kTable.invoke(*this, ...); }
//
// Parameter types: bool, std::int16_t, std::int32_t, float, double, std::string (by value or const
// reference), std::string& (a text written back to the caller's by-reference argument), and
// Variant (by value, const reference or reference). Trailing Variant parameters may be left out.

#include "platform/com/Names.h"
#include "platform/com/Unknown.h"

#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

namespace com {
namespace detail {

// One argument converted to parameter type P; commit() writes an out-parameter back.
template <class P> struct Param {
    static_assert(sizeof(P) == 0, "parameter type not supported by call by name");
};

#define COM_PARAM(Type, conversion)                                                                \
    template <> struct Param<Type> {                                                               \
        std::remove_cvref_t<Type> value;                                                           \
        explicit Param(Variant& a) : value(a.conversion()) {}                                      \
        Type get() { return value; }                                                               \
        void commit(Variant&) {}                                                                   \
    };
COM_PARAM(bool, toBoolean)
COM_PARAM(std::int16_t, toInteger)
COM_PARAM(std::int32_t, toLong)
COM_PARAM(float, toSingle)
COM_PARAM(double, toDouble)
COM_PARAM(std::string, toText)
COM_PARAM(const std::string&, toText)
#undef COM_PARAM

template <> struct Param<std::string&> {
    std::string value;
    explicit Param(Variant& a) : value(a.isMissing() ? std::string() : a.toText()) {}
    std::string& get() { return value; }
    void commit(Variant& a) { a.assignText(std::move(value)); }
};

template <class V>
requires std::is_same_v<std::remove_cvref_t<V>, Variant>
struct Param<V> {
    Variant& arg;
    explicit Param(Variant& a) : arg(a) {}
    V get() { return arg; }
    void commit(Variant&) {}
};

template <class P>
inline constexpr bool kIsVariant = std::is_same_v<std::remove_cvref_t<P>, Variant>;

template <class R> Variant toVariant(R&& r) {
    return Variant(std::forward<R>(r));
}

template <class T, class Fn, class R, class... A>
Variant call(T& self, Fn fn, std::vector<Variant>& args) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        // Braced initialisation converts the arguments left to right, so the first bad one is
        // the one reported.
        std::tuple<Param<A>...> params{Param<A>(args[I])...};
        Variant result;
        if constexpr (std::is_void_v<R>)
            std::invoke(fn, self, std::get<I>(params).get()...);
        else
            result = toVariant(std::invoke(fn, self, std::get<I>(params).get()...));
        (std::get<I>(params).commit(args[I]), ...);
        return result;
    }
    (std::index_sequence_for<A...>{});
}

template <class... A> constexpr std::size_t requiredCount() {
    constexpr bool variant[] = {kIsVariant<A>..., false};
    std::size_t n = sizeof...(A);
    while (n > 0 && variant[n - 1])
        --n;
    return n;
}

} // namespace detail

template <class T> class DispatchTable {
public:
    template <class R, class C, class... A>
    DispatchTable& method(std::string_view name, R (C::*fn)(A...)) {
        return add<R, A...>(name, InvokeKind::Method, fn);
    }
    template <class R, class C, class... A>
    DispatchTable& method(std::string_view name, R (C::*fn)(A...) const) {
        return add<R, A...>(name, InvokeKind::Method, fn);
    }
    template <class R, class C, class... A>
    DispatchTable& get(std::string_view name, R (C::*fn)(A...)) {
        return add<R, A...>(name, InvokeKind::PropertyGet, fn);
    }
    template <class R, class C, class... A>
    DispatchTable& get(std::string_view name, R (C::*fn)(A...) const) {
        return add<R, A...>(name, InvokeKind::PropertyGet, fn);
    }
    template <class R, class C, class... A>
    DispatchTable& put(std::string_view name, R (C::*fn)(A...)) {
        return add<R, A...>(name, InvokeKind::PropertyPut, fn);
    }

    // Calls the member; never throws. Unknown names raise 438, too many or too few arguments 450
    // and 449, arguments that do not convert 13 or 6, and the member its own errors.
    CallResult invoke(T& self, std::string_view name, InvokeKind kind,
                      std::span<Variant> args) const noexcept {
        CallResult result;
        result.error = guardCall([&] {
            const Entry& entry = find(name, kind);
            if (args.size() > entry.arity)
                raise(StandardError::WrongArgumentCount);
            if (args.size() < entry.required)
                raise(entry.kind == InvokeKind::PropertyPut ? StandardError::WrongArgumentCount
                                                            : StandardError::ArgumentNotOptional);
            std::vector<Variant> local(args.begin(), args.end());
            local.resize(entry.arity);
            result.value = entry.call(self, local);
            for (std::size_t i = 0; i < args.size(); ++i)
                if (!args[i].isByRef())
                    args[i] = std::move(local[i]);
        });
        return result;
    }

    bool has(std::string_view name) const {
        for (const Entry& e : entries_)
            if (sameName(e.name, name))
                return true;
        return false;
    }

private:
    struct Entry {
        std::string name;
        InvokeKind kind;
        std::size_t arity;
        std::size_t required;
        std::function<Variant(T&, std::vector<Variant>&)> call;
    };

    template <class R, class... A, class Fn>
    DispatchTable& add(std::string_view name, InvokeKind kind, Fn fn) {
        entries_.push_back(Entry{std::string(name), kind, sizeof...(A),
                                 detail::requiredCount<A...>(),
                                 [fn](T& self, std::vector<Variant>& args) {
                                     return detail::call<T, Fn, R, A...>(self, fn, args);
                                 }});
        return *this;
    }

    // A reader may be called as a method and a method as a reader, as automation clients do.
    const Entry& find(std::string_view name, InvokeKind kind) const {
        const Entry* fallback = nullptr;
        for (const Entry& e : entries_) {
            if (!sameName(e.name, name))
                continue;
            if (e.kind == kind)
                return e;
            if (kind != InvokeKind::PropertyPut && e.kind != InvokeKind::PropertyPut && !fallback)
                fallback = &e;
        }
        if (!fallback)
            raise(StandardError::UnknownMember, name);
        return *fallback;
    }

    std::vector<Entry> entries_;
};

} // namespace com
