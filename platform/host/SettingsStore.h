#pragma once
// The per-user settings store: values kept by application, section and key across runs.

#include <QString>

namespace host {

QString getSetting(const QString& application, const QString& section, const QString& key,
                   const QString& defaultValue = QString());
void saveSetting(const QString& application, const QString& section, const QString& key,
                 const QString& value);
void deleteSetting(const QString& application, const QString& section, const QString& key);

// The folder that holds one file per application; tests point it at a folder of their own.
void setSettingsStoreFolder(const QString& folder);
QString settingsStoreFolder();

} // namespace host
