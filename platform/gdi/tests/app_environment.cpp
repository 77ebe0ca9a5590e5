// Fonts and images need a QGuiApplication; one lives for the whole test run.

#include "platform/host/TestApplicationEnvironment.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

const auto* const kApp =
    ::testing::AddGlobalTestEnvironment(new host::TestApplicationEnvironment<QGuiApplication>);

} // namespace
