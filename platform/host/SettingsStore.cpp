#include "platform/host/SettingsStore.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace host {

namespace {

QString gFolder;

QString fileFor(const QString& application) {
    QString name = application;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QDir(settingsStoreFolder()).filePath(name + QLatin1String(".ini"));
}

QString keyOf(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

void setSettingsStoreFolder(const QString& folder) {
    gFolder = folder;
}

QString settingsStoreFolder() {
    if (!gFolder.isEmpty())
        return gFolder;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("program-settings"));
}

QString getSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue) {
    QSettings store(fileFor(application), QSettings::IniFormat);
    return store.value(keyOf(section, key), defaultValue).toString();
}

void saveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value) {
    QDir().mkpath(settingsStoreFolder());
    QSettings store(fileFor(application), QSettings::IniFormat);
    store.setValue(keyOf(section, key), value);
}

void deleteSetting(const QString& application, const QString& section, const QString& key) {
    QSettings store(fileFor(application), QSettings::IniFormat);
    store.remove(keyOf(section, key));
}

} // namespace host
