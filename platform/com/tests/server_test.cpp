#include "platform/com/ClassLoader.h"
#include "platform/com/Registry.h"
#include "platform/com/tests/testserver/Counter.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace com {
namespace {
namespace fs = std::filesystem;

using comtest::ICounter;

bool libraryIsLoaded() {
    void* h = dlopen(COMTEST_SERVER, RTLD_NOW | RTLD_NOLOAD);
    if (h)
        dlclose(h);
    return h != nullptr;
}

// Every test registers into a folder of its own, never the user's registry.
class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "comtest-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        registry_ = fs::path(pattern) / "classes";
        setenv(kRegistryVariable, registry_.c_str(), 1);
    }
    void TearDown() override {
        freeUnusedLibraries();
        unsetenv(kRegistryVariable);
        fs::remove_all(registry_.parent_path());
    }
    fs::path registry_;
};

TEST_F(ServerTest, CreateByClassNameCallAndUnload) {
    ASSERT_TRUE(registerLibrary(COMTEST_SERVER));
    EXPECT_EQ(registryDirectory(), registry_);
    ASSERT_EQ(registeredLibrary(comtest::kCounterClass), fs::canonical(COMTEST_SERVER));

    {
        Ptr<Dispatch> object = createObject(comtest::kCounterClass);
        ASSERT_TRUE(object);
        EXPECT_TRUE(libraryIsLoaded());

        // Through the interface.
        Ptr<ICounter> counter = object.query<ICounter>();
        ASSERT_TRUE(counter);
        EXPECT_EQ(counter->Add(5), 5);
        try {
            counter->Add(0);
            ADD_FAILURE() << "no error raised";
        } catch (const Error& e) {
            EXPECT_EQ(e.number(), comtest::kBadAmount);
            EXPECT_EQ(e.description(), comtest::kBadAmountText);
        }

        // By name, on the same object.
        std::vector<Variant> args{Variant("7")};
        const CallResult added = object->invoke("add", InvokeKind::Method, args);
        ASSERT_TRUE(added.ok());
        EXPECT_EQ(added.value, Variant(12));
        std::vector<Variant> name{Variant("tally")};
        EXPECT_TRUE(object->invoke("Name", InvokeKind::PropertyPut, name).ok());
        EXPECT_EQ(counter->Name(), "tally");
        std::vector<Variant> bad{Variant(-3)};
        const CallResult failed = object->invoke("Add", InvokeKind::Method, bad);
        ASSERT_FALSE(failed.ok());
        EXPECT_EQ(*failed.error, (ErrorInfo{comtest::kBadAmount, comtest::kBadAmountText}));
        EXPECT_EQ(counter->Total(), 12);

        EXPECT_FALSE(object.query<ClassFactory>());
        EXPECT_EQ(freeUnusedLibraries(), 0u); // live objects keep the library
        EXPECT_TRUE(libraryIsLoaded());
    }
    EXPECT_EQ(freeUnusedLibraries(), 1u);
    EXPECT_FALSE(libraryIsLoaded());

    ASSERT_TRUE(unregisterLibrary(COMTEST_SERVER));
    EXPECT_FALSE(registeredLibrary(comtest::kCounterClass));
    EXPECT_FALSE(fs::exists(registry_ / "ComTest.Counter.class"));
}

TEST_F(ServerTest, ObjectsAreIndependent) {
    ASSERT_TRUE(registerLibrary(COMTEST_SERVER));
    auto a = createObject(comtest::kCounterClass).query<ICounter>();
    auto b = createObject(comtest::kCounterClass).query<ICounter>();
    a->Add(2);
    b->Add(40);
    EXPECT_EQ(a->Total(), 2);
    EXPECT_EQ(b->Total(), 40);
}

TEST_F(ServerTest, CreationFailuresRaise429) {
    const auto failure = [](auto create) {
        try {
            create();
        } catch (const Error& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(failure([] { createObject(comtest::kCounterClass); }), 429); // not registered
    EXPECT_EQ(failure([] { createObject("../../etc/passwd"); }), 429);
    EXPECT_EQ(failure([] { createObjectFromLibrary(COMTEST_SERVER, "ComTest.Other"); }), 429);
    EXPECT_EQ(failure([this] { createObjectFromLibrary(registry_ / "none.so", "X"); }), 429);
    // The library beside a program, without registration.
    EXPECT_TRUE(createObjectFromLibrary(COMTEST_SERVER, comtest::kCounterClass));
}

TEST_F(ServerTest, UnregisterLeavesAnotherLibrarysEntry) {
    registerClass(comtest::kCounterClass, "/opt/other/libcounter.so");
    ASSERT_TRUE(unregisterLibrary(COMTEST_SERVER));
    EXPECT_EQ(registeredLibrary(comtest::kCounterClass), fs::path("/opt/other/libcounter.so"));
    EXPECT_THROW(registerClass("../escape", "/x.so"), std::invalid_argument);
}

} // namespace
} // namespace com
