#include "userreadings.h"

#include <algorithm>

KanaProblem UserReadings::add(const QString &path, const QList<UserDictionaryEntry> &readings)
{
    const UserDictionaryLoad before = UserDictionary::load(path);
    if (!before.error.ok())
        return before.error;
    QList<UserDictionaryEntry> entries = before.entries;
    for (const UserDictionaryEntry &reading : readings) {
        const auto same = std::find_if(entries.begin(), entries.end(),
                                       [&](const UserDictionaryEntry &entry) { return entry.written == reading.written; });
        if (same != entries.end())
            same->kana = reading.kana;
        else
            entries.append(reading);
    }
    return UserDictionary::save(path, entries, before.entries);
}
