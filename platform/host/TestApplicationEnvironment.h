#pragma once
// A Qt application for the whole run of a test executable, made before the first test and
// destroyed after the last, so that windows and fonts the tests made go before it does.
// Register one with ::testing::AddGlobalTestEnvironment(new TestApplicationEnvironment<App>).

#include <gtest/gtest.h>

#include <memory>

namespace host {

template <class App> class TestApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { app_ = std::make_unique<App>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

private:
    // The application keeps references to its arguments for its lifetime.
    int argc_ = 1;
    char name_[5] = "test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<App> app_;
};

} // namespace host
