// Fonts and images need a QGuiApplication; one lives for the whole test run.

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

class GuiEnvironment : public testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "gdi_tests";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QGuiApplication> app_;
};

const auto* const environment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
