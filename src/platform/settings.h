#pragma once

#include <QSettings>
#include <QString>

// The program's one settings file, ~/.config/mirabo/mirabo.conf, for every
// window and library: the application's name is set once at start-up and no
// organisation name is, so the data files (gaiji.txt, the user dictionary)
// stay where they have always been, and the settings file is named here, not
// by those names. On first use the keys of the older file that a bare
// QSettings wrote (~/.config/Unknown Organization/mirabo.conf) are moved in
// once: a key already in the settings file keeps its value, and the old file
// is renamed with ".migrated" so that nothing is lost and it is not read
// again.
class Settings
{
public:
    static inline const QString kApplicationName = QStringLiteral("mirabo");

    // Sets the application's name; every program and test calls it first.
    static void setApplicationNames();

    // The settings object; every read and write goes through it.
    static QSettings &instance();
    // Writes what is pending; false when the file could not be written.
    static bool save();

    static QString filePath();
    static QString oldFilePath();
    // Opens the file afresh, migrating again if an old file is there: for
    // tests, whose files change under the object.
    static void reopen();

    // 点字入力: read braille back into katakana rather than hiragana.
    static bool katakanaInput();
    static void setKatakanaInput(bool katakana);
};
