#include "platform/host/SettingsStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace host {
namespace {

TEST(SettingsStore, KeepsValuesByApplicationSectionAndKey) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    setSettingsStoreFolder(dir.path() + "/store");
    const QString app = "Docuvel 4.0 Previewer", section = "User Settings";

    EXPECT_EQ(getSetting(app, section, "Zoom Index", "3"), "3"); // nothing stored yet
    saveSetting(app, section, "Zoom Index", "5");
    saveSetting(app, section, "Window Position", "10,20,300,400");
    saveSetting("Other", section, "Zoom Index", "7");
    EXPECT_EQ(getSetting(app, section, "Zoom Index"), "5");
    EXPECT_EQ(getSetting(app, section, "Window Position"), "10,20,300,400");
    EXPECT_EQ(getSetting("Other", section, "Zoom Index"), "7");

    deleteSetting(app, section, "Zoom Index");
    EXPECT_EQ(getSetting(app, section, "Zoom Index", "none"), "none");
    setSettingsStoreFolder(QString());
}

} // namespace
} // namespace host
