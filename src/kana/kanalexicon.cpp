#include "kanalexicon.h"

#include "platform/datafiles.h"

#include <algorithm>

void KanaLexicon::setEntries(const QList<UserDictionaryEntry> &entries)
{
    m_kana.clear();
    m_lengths.clear();
    m_firstChars.reset();
    m_singleChars.reset();
    m_firstPairs.reset();
    for (const UserDictionaryEntry &entry : entries) {
        if (entry.written.isEmpty())
            continue;
        // The first entry of a written form counts, as it is listed first.
        if (!m_kana.try_emplace(entry.written, entry.kana).second)
            continue;
        std::vector<qsizetype> &lengths = m_lengths[entry.written.front()];
        if (std::find(lengths.begin(), lengths.end(), entry.written.size()) == lengths.end())
            lengths.push_back(entry.written.size());
        m_firstChars.set(entry.written.front().unicode());
        if (entry.written.size() == 1)
            m_singleChars.set(entry.written.front().unicode());
        else
            m_firstPairs.set(pairBit(entry.written[0], entry.written[1]));
    }
    for (auto &lengths : m_lengths)
        std::sort(lengths.begin(), lengths.end(), std::greater<>());
}

QList<FixedWord> KanaLexicon::wordsIn(QStringView line) const
{
    QList<FixedWord> found;
    if (m_kana.empty())
        return found;
    qsizetype at = 0;
    while (at < line.size()) {
        qsizetype taken = 1;
        const char16_t first = line[at].unicode();
        if (m_firstChars.test(first) &&
            (m_singleChars.test(first) ||
             (at + 1 < line.size() && m_firstPairs.test(pairBit(line[at], line[at + 1]))))) {
            for (const qsizetype length : *m_lengths.constFind(line[at])) {
                if (length > line.size() - at)
                    continue;
                const auto entry = m_kana.find(line.sliced(at, length));
                if (entry != m_kana.end()) {
                    found.append({at, length, entry->second});
                    taken = length;
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

const KanaLexicon &KanaLexicon::shipped(KanaProblem *error)
{
    static KanaProblem loadError;
    static const KanaLexicon lexicon = [] {
        KanaLexicon result;
        const QString path = locateDataFile(shippedFileName());
        if (path.isEmpty()) {
            loadError = {
                KanaError::LexiconMissing, shippedFileName(), describeDataSearch(shippedFileName()), {}};
            return result;
        }
        const UserDictionaryLoad load = UserDictionary::load(path);
        if (load.error)
            loadError = load.error;
        else if (!load.problems.isEmpty())
            loadError = {KanaError::LexiconDamaged, path, QString(), {}, load.problems};
        result.setEntries(load.entries);
        return result;
    }();
    if (error)
        *error = loadError;
    return lexicon;
}
