#include "kanalexicon.h"

#include "platform/datafiles.h"

#include <algorithm>

void KanaLexicon::setEntries(const QList<UserDictionaryEntry> &entries)
{
    m_byFirstChar.clear();
    m_firstChars.reset();
    for (const UserDictionaryEntry &entry : entries) {
        if (!entry.written.isEmpty()) {
            m_byFirstChar[entry.written.front()].append(entry);
            m_firstChars.set(entry.written.front().unicode());
        }
    }
    for (auto &list : m_byFirstChar)
        std::stable_sort(list.begin(), list.end(), [](const UserDictionaryEntry &a, const UserDictionaryEntry &b) {
            return a.written.size() > b.written.size();
        });
}

QList<FixedWord> KanaLexicon::wordsIn(QStringView line) const
{
    QList<FixedWord> found;
    if (m_byFirstChar.isEmpty())
        return found;
    qsizetype at = 0;
    while (at < line.size()) {
        qsizetype taken = 1;
        if (!m_firstChars.test(line[at].unicode())) {
            ++at;
            continue;
        }
        const auto entries = m_byFirstChar.constFind(line[at]);
        if (entries != m_byFirstChar.constEnd()) {
            for (const UserDictionaryEntry &entry : *entries) {
                if (line.mid(at).startsWith(entry.written)) {
                    found.append({at, entry.written.size(), entry.kana});
                    taken = entry.written.size();
                    break;
                }
            }
        }
        at += taken;
    }
    return found;
}

QString KanaLexicon::shippedFileName()
{
    return QStringLiteral("kana-lexicon.txt");
}

const KanaLexicon &KanaLexicon::shipped(QString *error)
{
    static QString loadError;
    static const KanaLexicon lexicon = [] {
        KanaLexicon result;
        const QString path = locateDataFile(shippedFileName());
        if (path.isEmpty()) {
            loadError = QStringLiteral("点訳かな変換の語彙ファイル %1 が見つかりません。次の場所を探しました。\n%2")
                            .arg(shippedFileName(), describeDataSearch(shippedFileName()));
            return result;
        }
        const UserDictionaryLoad load = UserDictionary::load(path);
        if (!load.error.isEmpty())
            loadError = load.error;
        else if (!load.problems.isEmpty())
            loadError = path + u'\n' + load.problems.join(u'\n');
        result.setEntries(load.entries);
        return result;
    }();
    if (error)
        *error = loadError;
    return lexicon;
}
