// A small in-process server with one class, built as its own library for the loader tests.

#include "platform/com/tests/testserver/Counter.h"

#include "platform/com/DispatchTable.h"
#include "platform/com/Server.h"

namespace {

using comtest::ICounter;

class Counter final : public com::Object<ICounter> {
public:
    using Object::Object;

    std::int32_t Add(std::int32_t amount) override {
        if (amount <= 0)
            com::raise(comtest::kBadAmount, comtest::kBadAmountText);
        return total_ += amount;
    }
    std::int32_t Total() const override { return total_; }
    std::string Name() const override { return name_; }
    void SetName(std::string name) override { name_ = std::move(name); }

    com::CallResult invoke(std::string_view name, com::InvokeKind kind,
                           std::span<com::Variant> args) noexcept override {
        static const auto table = com::DispatchTable<ICounter>()
                                      .method("Add", &ICounter::Add)
                                      .get("Total", &ICounter::Total)
                                      .get("Name", &ICounter::Name)
                                      .put("Name", &ICounter::SetName);
        return table.invoke(*this, name, kind, args);
    }

private:
    std::int32_t total_ = 0;
    std::string name_ = "counter";
};

com::ServerLock serverLock;
com::Factory<Counter> factory(serverLock);

} // namespace

COM_EXPORT com::HResult DllGetClassObject(const char* className, com::ClassFactory** out) {
    return com::getClassObject(className, comtest::kCounterClass, factory, out);
}

COM_EXPORT com::HResult DllCanUnloadNow() {
    return com::canUnloadNow(serverLock);
}

COM_EXPORT com::HResult DllRegisterServer() {
    return com::registerServer({comtest::kCounterClass}, &serverLock);
}

COM_EXPORT com::HResult DllUnregisterServer() {
    return com::unregisterServer({comtest::kCounterClass}, &serverLock);
}
