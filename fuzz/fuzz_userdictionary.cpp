// The user dictionary file: every line that is neither blank nor a comment
// gives an entry or a problem, never both and never neither; entries are
// whole (both fields, trimmed, no tab) and written forms distinct; and the
// entries saved and read again are the same entries.
#include "fuzzcheck.h"

#include "kana/userdictionary.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text = QString::fromUtf8(fuzzBytes(data, size));
    const UserDictionaryLoad load = UserDictionary::parse(text);
    FUZZ_CHECK(load.error.ok());

    qsizetype used = 0;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (!line.trimmed().isEmpty() && !line.startsWith(u'#'))
            ++used;
    }
    FUZZ_CHECK(load.entries.size() + load.problems.size() == used);

    QSet<QString> written;
    for (const UserDictionaryEntry &entry : load.entries) {
        for (const QString &field : {entry.written, entry.kana}) {
            FUZZ_CHECK(!field.isEmpty() && field == field.trimmed());
            FUZZ_CHECK(!field.contains(u'\t') && !field.contains(u'\n'));
        }
        FUZZ_CHECK(!written.contains(entry.written));
        written.insert(entry.written);
    }

    const UserDictionaryLoad again = UserDictionary::parse(UserDictionary::format(load.entries));
    FUZZ_CHECK(again.problems.isEmpty());
    FUZZ_CHECK(again.entries == load.entries);
    return 0;
}
