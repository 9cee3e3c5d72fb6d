#pragma once

#include "kana/userdictionary.h"

#include <QList>
#include <QString>

namespace UserReadings {

// Adds readings to the user dictionary file, each replacing the entry of
// its written form where there is one; the rest of the file is kept.
// Returns why not, or no problem.
KanaProblem add(const QString &path, const QList<UserDictionaryEntry> &readings);

} // namespace UserReadings
