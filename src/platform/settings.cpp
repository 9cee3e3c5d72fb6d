#include "settings.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QStandardPaths>

#include <memory>

namespace {

// Kept under the name 点字入力 first stored it.
const QString kKatakanaInputKey = QStringLiteral("brailleInput/katakana");

std::unique_ptr<QSettings> &settingsObject()
{
    static std::unique_ptr<QSettings> settings;
    return settings;
}

QString configPath(const QString &relative)
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(relative);
}

void migrate(QSettings &settings)
{
    const QString oldPath = Settings::oldFilePath();
    if (!QFile::exists(oldPath))
        return;
    QSettings old(oldPath, QSettings::NativeFormat);
    for (const QString &key : old.allKeys()) {
        if (!settings.contains(key))
            settings.setValue(key, old.value(key));
    }
    settings.sync();
    // Only once everything is in the new file does the old one go aside.
    if (settings.status() == QSettings::NoError)
        QFile::rename(oldPath, oldPath + QStringLiteral(".migrated"));
}

} // namespace

void Settings::setApplicationNames()
{
    QCoreApplication::setApplicationName(kApplicationName);
}

QString Settings::filePath()
{
    return configPath(QStringLiteral("mirabo/mirabo.conf"));
}

QString Settings::oldFilePath()
{
    return configPath(QStringLiteral("Unknown Organization/mirabo.conf"));
}

QSettings &Settings::instance()
{
    std::unique_ptr<QSettings> &settings = settingsObject();
    if (!settings) {
        settings = std::make_unique<QSettings>(filePath(), QSettings::NativeFormat);
        migrate(*settings);
    }
    return *settings;
}

bool Settings::save()
{
    QSettings &settings = instance();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void Settings::reopen()
{
    settingsObject().reset();
    instance();
}

bool Settings::katakanaInput()
{
    return instance().value(kKatakanaInputKey, false).toBool();
}

void Settings::setKatakanaInput(bool katakana)
{
    instance().setValue(kKatakanaInputKey, katakana);
}
