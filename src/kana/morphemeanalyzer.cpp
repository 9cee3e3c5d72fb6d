#include "morphemeanalyzer.h"
#include "platform/settings.h"
#include "platform/textstream.h"

#include "kanaword.h"
#include "kanawords.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <mecab.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

// How the fixed words are told to MeCab: one token each, a proper noun.
const char kFixedFeature[] = "名詞,固有名詞,一般,*,*,*,*,*,*";

} // namespace

std::shared_ptr<MorphemeFeatures> MorphemeFeatures::split(const QString &text)
{
    auto features = std::make_shared<MorphemeFeatures>();
    features->text = text;
    features->fieldCount = 0;
    qsizetype start = 0;
    while (features->fieldCount < kSplitFields) {
        const qsizetype comma = text.indexOf(u',', start);
        features->fieldStart[features->fieldCount] = int(start);
        features->fieldEnd[features->fieldCount] = int(comma < 0 ? text.size() : comma);
        ++features->fieldCount;
        if (comma < 0)
            break;
        start = comma + 1;
    }
    features->number =
        features->fieldCount > 1 && features->field(0) == u"名詞" && features->field(1) == u"数";
    return features;
}

QStringView MorphemeFeatures::fieldPastSplit(int index) const
{
    QStringView rest(text);
    for (int i = 0; i < index; ++i) {
        const qsizetype comma = rest.indexOf(u',');
        if (comma < 0)
            return {};
        rest = rest.mid(comma + 1);
    }
    const qsizetype comma = rest.indexOf(u',');
    return comma < 0 ? rest : rest.left(comma);
}

const QString &Morpheme::featureText() const
{
    static const QString none;
    return features_ ? features_->text : none;
}

// The entries of the dictionary met so far, by the address of their feature
// text: MeCab gives every word of an entry the address of that entry's text
// in the dictionary, which stays mapped while the model is open (the words
// kept whole all get kFixedFeature), so an address always holds the same
// text and each entry's fields are decoded and split once, not once for
// every word, without the text being read again.
struct MorphemeAnalyzer::KnownEntries
{
    struct Entry
    {
        std::shared_ptr<const MorphemeFeatures> features;
        // Kept in the entry itself for a word of up to five kanji, where
        // comparing it with every word met costs no look elsewhere.
        std::string surfaceBytes;
        QString surface;
    };
    std::unordered_map<const char *, Entry> byFeature;
    // Beyond this many (a text that meets much of the dictionary) the
    // entries are forgotten and met anew, so memory stays bounded.
    static constexpr std::size_t kMaxEntries = 1 << 16;

    // The entries met lately, one a slot chosen by the address: most words
    // of a text are among them, found without the map's hashing. The map
    // keeps its entries in place, so the pointers hold until it is cleared.
    struct Recent
    {
        const char *feature = nullptr;
        const Entry *entry = nullptr;
    };
    static constexpr int kRecentBits = 10;
    std::array<Recent, 1 << kRecentBits> recent{};
    // The entry of the node's feature text, made when first met.
    const Entry &met(const mecab_node_t *node);
    static std::size_t slotOf(const char *feature)
    {
        return std::size_t((quint64(reinterpret_cast<quintptr>(feature)) * 0x9E3779B97F4A7C15ull) >>
                           (64 - kRecentBits));
    }
};

QString MorphemeAnalyzer::defaultDictionaryDir()
{
    return QStringLiteral(MIRABO_KANA_DICTIONARY_DIR);
}

bool MorphemeAnalyzer::isUtf8Dictionary(const QString &dir)
{
    // sys.dic starts with ten 32-bit fields and then the character set the
    // dictionary was compiled for; an EUC-JP dictionary reads UTF-8 text as
    // nonsense without any error.
    QFile file(dir + QStringLiteral("/sys.dic"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray header = file.read(72);
    if (header.size() < 72)
        return false;
    const QByteArray charset = header.mid(40, 32).split('\0').value(0).toLower();
    return charset == "utf-8" || charset == "utf8";
}

QString MorphemeAnalyzer::locateDictionaryDir(const QString &commandLineDir)
{
    if (!commandLineDir.isEmpty())
        return commandLineDir;
    const QString fromEnvironment = qEnvironmentVariable("MIRABO_MECAB_DICDIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromSettings = Settings::instance().value(settingsKey()).toString();
    if (!fromSettings.isEmpty())
        return fromSettings;
    const QStringList usual = {defaultDictionaryDir(),
                               QStringLiteral("/var/lib/mecab/dic/ipadic-utf8"),
                               QStringLiteral("/usr/lib/x86_64-linux-gnu/mecab/dic/ipadic-utf8"),
                               QStringLiteral("/usr/lib/mecab/dic/ipadic-utf8"),
                               QStringLiteral("/usr/local/lib/mecab/dic/ipadic-utf8"),
                               QStringLiteral("/usr/lib/x86_64-linux-gnu/mecab/dic/ipadic"),
                               QStringLiteral("/usr/local/lib/mecab/dic/ipadic"),
                               QStringLiteral("/var/lib/mecab/dic/debian")};
    for (const QString &dir : usual) {
        if (isUtf8Dictionary(dir))
            return dir;
    }
    return defaultDictionaryDir();
}

MorphemeAnalyzer::MorphemeAnalyzer(const QString &dictionaryDir) : m_entries(std::make_unique<KnownEntries>())
{
    if (!QFileInfo::exists(dictionaryDir + QStringLiteral("/sys.dic"))) {
        m_error = {KanaError::DictionaryMissing, dictionaryDir, QString(), {}};
        return;
    }
    if (!isUtf8Dictionary(dictionaryDir)) {
        m_error = {KanaError::DictionaryNotUtf8, dictionaryDir, QString(), {}};
        return;
    }
    // The dictionary's own dicrc doubles as the resource file, so no
    // system-wide mecabrc (which names the default dictionary) is read.
    // A dictionary built for another program may come without one (Open
    // JTalk's): its files are then linked into a folder beside a dicrc
    // that says what MeCab needs.
    QString openedDir = dictionaryDir;
    if (!QFileInfo::exists(dictionaryDir + QStringLiteral("/dicrc"))) {
        m_standIn = std::make_unique<QTemporaryDir>();
        const QDir source(dictionaryDir);
        for (const QString &name : source.entryList(QDir::Files))
            QFile::link(source.absoluteFilePath(name), m_standIn->filePath(name));
        QFile rc(m_standIn->filePath(QStringLiteral("dicrc")));
        if (rc.open(QIODevice::WriteOnly))
            rc.write("cost-factor = 800\nbos-feature = BOS/EOS,*,*,*,*,*,*,*,*\n");
        openedDir = m_standIn->path();
    }
    QByteArray dir = QFile::encodeName(openedDir);
    QByteArray rc = dir + "/dicrc";
    QByteArray program("mirabo"), dOption("-d"), rOption("-r");
    std::vector<char *> argv = {program.data(), dOption.data(), dir.data(), rOption.data(), rc.data()};
    m_model = MeCab::createModel(int(argv.size()), argv.data());
    if (m_model)
        m_tagger = m_model->createTagger();
    if (m_tagger)
        m_lattice = m_model->createLattice();
    if (!m_lattice)
        m_error = {
            KanaError::DictionaryNotOpened, dictionaryDir, QString::fromUtf8(MeCab::getLastError()), {}};
}

QString MorphemeAnalyzer::locateSecondDictionaryDir()
{
    const QString fromEnvironment = qEnvironmentVariable("MIRABO_MECAB_SECOND_DICDIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString fromSettings = Settings::instance().value(secondSettingsKey()).toString();
    if (!fromSettings.isEmpty())
        return fromSettings;
    const QString naist = QStringLiteral("/var/lib/mecab/dic/open-jtalk/naist-jdic");
    return isUtf8Dictionary(naist) ? naist : QString();
}

void MorphemeAnalyzer::setWeighing(bool on, float theta)
{
    m_theta = theta;
    m_weighing = on;
}

MorphemeAnalyzer::~MorphemeAnalyzer()
{
    delete m_lattice;
    delete m_tagger;
    delete m_model;
}

namespace {

bool isCutAfter(QChar c)
{
    static const QString punctuation = QStringLiteral("。、．，！？!?,.；;：:」』）)");
    return punctuation.contains(c);
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\u3000' || c == u'\t';
}

// The fixed words in the order of the line, as the converter gives them;
// sorted here when they are not, so the walks below go through them once.
QList<FixedWord> inLineOrder(const QList<FixedWord> &words)
{
    const auto byStart = [](const FixedWord &a, const FixedWord &b) { return a.start < b.start; };
    if (std::is_sorted(words.begin(), words.end(), byStart))
        return words;
    QList<FixedWord> sorted = words;
    std::stable_sort(sorted.begin(), sorted.end(), byStart);
    return sorted;
}

// The blanks MeCab passes over before a word (the dictionary's SPACE class),
// counted into the word's lookup.
bool isSkippedBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\n';
}

// The bytes of the text in UTF-8, counted without making them.
qsizetype utf8Length(QStringView text)
{
    qsizetype bytes = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // A surrogate pair makes four bytes, two for each half.
        bytes += u < 0x80 ? 1 : u < 0x800 || c.isSurrogate() ? 2 : 3;
    }
    return bytes;
}

// The text in UTF-8, into a buffer kept from line to line. Qt's
// conversion allocates each time and takes its slow path for every
// character outside ASCII, which is nearly every character of Japanese;
// a line with surrogates, rare, is left to it.
void toUtf8Into(QStringView text, QByteArray &bytes)
{
    bytes.resize(text.size() * 3);
    char *out = bytes.data();
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) {
            *out++ = char(u);
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else if (!c.isSurrogate()) {
            *out++ = char(0xE0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            bytes = text.toUtf8();
            return;
        }
    }
    bytes.resize(out - bytes.constData());
}

// The written form of a word that is no entry's own (an unknown word,
// mostly), from its bytes in the sentence, which toUtf8Into() wrote: a
// text of many distinct unknown words makes one for each, and Qt's decoder,
// checking more than such bytes need, cost more than the rest of the word.
QString fromSentenceBytes(QByteArrayView bytes)
{
    // Made at its full size at once: growing an empty string to it cost
    // more than decoding.
    QString text(bytes.size(), Qt::Uninitialized);
    qsizetype lineFeeds = 0;
    bool plain = true;
    return decodeWellFormedUtf8(bytes, text, lineFeeds, plain) ? text : QString::fromUtf8(bytes);
}

} // namespace

QList<LinePiece> linePieces(QStringView line, qsizetype maxLength, const QList<FixedWord> &words)
{
    const QList<FixedWord> fixedWords = inLineOrder(words);
    qsizetype nextWord = 0; // the first word that may still hold a cut
    QList<LinePiece> pieces;
    maxLength = qMax<qsizetype>(2, maxLength);
    qsizetype start = 0;
    while (line.size() - start > maxLength) {
        const qsizetype full = start + maxLength;
        qsizetype cut = -1;
        for (qsizetype at = full; at > start + maxLength / 2 && cut < 0; --at) {
            if (isCutAfter(line[at - 1]) || (isBlank(line[at]) && !isBlank(line[at - 1])))
                cut = at;
        }
        if (cut < 0)
            cut = line[full - 1].isHighSurrogate() ? full - 1 : full;
        while (nextWord < fixedWords.size() &&
               fixedWords[nextWord].start + fixedWords[nextWord].length <= start)
            ++nextWord;
        for (qsizetype w = nextWord; w < fixedWords.size() && fixedWords[w].start < cut; ++w) {
            const FixedWord &word = fixedWords[w];
            if (cut < word.start + word.length)
                cut = word.start > start ? word.start : word.start + word.length;
        }
        pieces.append({start, cut - start});
        start = cut;
    }
    if (start < line.size() || pieces.isEmpty())
        pieces.append({start, line.size() - start});
    return pieces;
}

QList<Morpheme> MorphemeAnalyzer::analyze(const QString &line, const QList<FixedWord> &fixedWords)
{
    QList<Morpheme> morphemes;
    analyzeInto(line, fixedWords, morphemes);
    return morphemes;
}

void MorphemeAnalyzer::analyzeInto(const QString &line, const QList<FixedWord> &fixedWords,
                                   QList<Morpheme> &morphemes)
{
    morphemes.clear();
    if (line.size() <= kMaxPieceLength) {
        analyzePiece(line, fixedWords, morphemes);
        return;
    }
    const QList<FixedWord> words = inLineOrder(fixedWords);
    qsizetype nextWord = 0;
    for (const LinePiece &piece : linePieces(line, kMaxPieceLength, words)) {
        QList<FixedWord> fixedInPiece;
        for (; nextWord < words.size() && words[nextWord].start < piece.start + piece.length; ++nextWord) {
            const FixedWord &word = words[nextWord];
            if (word.start >= piece.start)
                fixedInPiece.append({word.start - piece.start, word.length, word.kana});
        }
        analyzePiece(line.mid(piece.start, piece.length), fixedInPiece, morphemes);
    }
}

void MorphemeAnalyzer::analyzePiece(const QString &line, const QList<FixedWord> &fixedWords,
                                    QList<Morpheme> &morphemes)
{
    if (!isOpen() || line.isEmpty())
        return;

    toUtf8Into(line, m_sentence);
    const QByteArray &sentence = m_sentence;
    m_lattice->clear();
    // The next best analyses need every link of the lattice kept.
    m_lattice->set_request_type(m_weighing ? MECAB_NBEST : MECAB_ONE_BEST);
    m_lattice->set_sentence(sentence.constData(), std::size_t(sentence.size()));

    // Byte offset where each fixed word starts, for finding its node again;
    // the offsets counted on from one word to the next.
    QHash<qsizetype, QString> fixedStarts;
    qsizetype counted = 0;
    qsizetype countedBytes = 0;
    for (const FixedWord &word : inLineOrder(fixedWords)) {
        if (word.start < counted) // overlaps the word before: MeCab could not keep both
            continue;
        // MeCab takes the blanks before a word into its lookup and stops
        // the whole program when a word it must keep starts after them:
        // the constraint starts where the blanks do.
        qsizetype blanksStart = word.start;
        while (blanksStart > counted && isSkippedBlank(line[blanksStart - 1]))
            --blanksStart;
        countedBytes += utf8Length(QStringView(line).sliced(counted, blanksStart - counted));
        const qsizetype constraintBegin = countedBytes;
        const qsizetype begin = constraintBegin + (word.start - blanksStart); // one byte a blank
        const qsizetype end = begin + utf8Length(QStringView(line).sliced(word.start, word.length));
        m_lattice->set_feature_constraint(std::size_t(constraintBegin), std::size_t(end), kFixedFeature);
        fixedStarts.insert(begin, word.kana);
        counted = word.start + word.length;
        countedBytes = end;
    }
    if (!m_tagger->parse(m_lattice)) {
        // Kept as written rather than lost.
        Morpheme asWritten;
        asWritten.setSurface(line);
        asWritten.known = false;
        morphemes.append(asWritten);
        return;
    }

    QList<qsizetype> nodeStarts; // where each node's lookup began, blanks before it included
    // The words counted first and made at once: adding them one by one
    // cost more than counting.
    const qsizetype first = morphemes.size();
    qsizetype count = 0;
    for (const MeCab::Node *node = m_lattice->bos_node()->next; node && node->stat != MECAB_EOS_NODE;
         node = node->next)
        ++count;
    morphemes.resize(first + count);
    Morpheme *next = morphemes.data() + first;
    for (const MeCab::Node *node = m_lattice->bos_node()->next; node && node->stat != MECAB_EOS_NODE;
         node = node->next) {
        Morpheme &m = *next++;
        const qsizetype begin = node->surface - sentence.constData();
        const int blankBytes = int(node->rlength) - int(node->length);
        if (blankBytes > 0)
            m.spaceBefore = QString::fromUtf8(node->surface - blankBytes, blankBytes);
        fillFromNode(m, node);
        m.known = node->stat != MECAB_UNK_NODE;
        if (!fixedStarts.isEmpty()) {
            if (const auto fixed = fixedStarts.constFind(begin); fixed != fixedStarts.constEnd())
                m.userKana = *fixed;
        }
        if (m_weighing)
            nodeStarts.append(begin - blankBytes);
    }
    if (m_weighing)
        weigh(morphemes.data() + first, morphemes.size() - first, sentence, nodeStarts);
}

const MorphemeAnalyzer::KnownEntries::Entry &MorphemeAnalyzer::KnownEntries::met(const mecab_node_t *node)
{
    const char *feature = node->feature;
    const QByteArrayView surfaceBytes(node->surface, node->length);
    auto &entries = byFeature;
    auto found = entries.find(feature);
    if (found == entries.end()) {
        if (entries.size() >= kMaxEntries) {
            entries.clear();
            recent.fill({});
            // The slot of this word, filled again by the caller.
        }
        Entry entry;
        entry.surfaceBytes.assign(node->surface, node->length);
        entry.surface = QString::fromUtf8(surfaceBytes);
        const std::shared_ptr<MorphemeFeatures> features =
            MorphemeFeatures::split(QString::fromUtf8(feature));
        Morpheme word;
        word.setSurface(entry.surface);
        word.known = node->stat != MECAB_UNK_NODE;
        word.setFeatures(features);
        features->kana = KanaWords::kanaOf(word);
        features->kanaSurface = entry.surface;
        features->kanaSurfaceHasKanji = KanaWords::containsKanji(entry.surface);
        features->kanaSurfaceFirst = entry.surface.isEmpty() ? 0 : entry.surface.front().unicode();
        features->byItself = KanaRules::decideByItself(word);
        entry.features = features;
        found = entries.emplace(feature, std::move(entry)).first;
    }
    return found->second;
}

void MorphemeAnalyzer::fillFromNode(Morpheme &m, const mecab_node_t *node)
{
    const char *feature = node->feature;
    const QByteArrayView surfaceBytes(node->surface, node->length);
    KnownEntries::Recent &recent = m_entries->recent[KnownEntries::slotOf(feature)];
    if (recent.feature != feature) {
        recent.entry = &m_entries->met(node);
        recent.feature = feature;
    }
    const KnownEntries::Entry &entry = *recent.entry;
    // An unknown word shares its entry with every other unknown word of its
    // kind: only the entry's own written form is kept.
    const bool entrySurface = entry.surfaceBytes == std::string_view(node->surface, node->length);
    if (entrySurface) {
        m.setEntry(entry.features);
    } else {
        m.setFeatures(entry.features);
        m.setSurface(fromSentenceBytes(surfaceBytes));
    }
}

namespace {

// Where a node's written form starts and ends in the sentence, in bytes.
std::pair<qsizetype, qsizetype> spanOf(const MeCab::Node *node, const char *sentence)
{
    const qsizetype begin = node->surface - sentence;
    return {begin, begin + node->length};
}

} // namespace

namespace {

// The cost MeCab adds when `to` follows `from`: their connection and the
// word cost of `to`; none when the lattice holds no such link.
std::optional<long> linkCost(const MeCab::Node *from, const MeCab::Node *to)
{
    for (const MeCab::Path *path = from->rpath; path; path = path->rnext) {
        if (path->rnode == to)
            return path->cost;
    }
    return std::nullopt;
}

// How much of the choice between two analyses MeCab gives the one that
// costs `extra` more, scaled by theta as it scales its marginal
// probabilities.
float shareOf(long extra, float theta)
{
    return float(1.0 / (1.0 + std::exp(double(theta) * double(extra))));
}

} // namespace

void MorphemeAnalyzer::weigh(Morpheme *morphemes, qsizetype count, const QByteArray &sentence,
                             const QList<qsizetype> &nodeStarts)
{
    const char *text = sentence.constData();
    std::vector<const MeCab::Node *> best;
    for (const MeCab::Node *node = m_lattice->bos_node()->next; node && node->stat != MECAB_EOS_NODE;
         node = node->next)
        best.push_back(node);
    if (qsizetype(best.size()) != count)
        return;
    std::vector<QString> kanaOfBest(best.size());
    // Another entry in the place of a word: the best analysis with only
    // that word changed, weighed against the best one.
    for (std::size_t i = 0; i < best.size(); ++i) {
        Morpheme &m = morphemes[qsizetype(i)];
        const MeCab::Node *node = best[i];
        if (!m.userKana.isEmpty() || !m.known || !KanaWords::containsKanji(m.surface()))
            continue;
        kanaOfBest[i] = KanaWords::kanaOf(m);
        const MeCab::Node *next = node->next;
        const std::optional<long> ownLink = next ? linkCost(node, next) : std::nullopt;
        for (const MeCab::Node *other = m_lattice->begin_nodes(std::size_t(nodeStarts[qsizetype(i)])); other;
             other = other->bnext) {
            if (other == node || other->length != node->length || other->stat != MECAB_NOR_NODE)
                continue;
            const std::optional<long> otherLink = next ? linkCost(other, next) : std::nullopt;
            if (ownLink.has_value() != otherLink.has_value())
                continue;
            const long extra = (other->cost + otherLink.value_or(0)) - (node->cost + ownLink.value_or(0));
            const float share = shareOf(extra, m_theta);
            if (share < kLeastEntryShare)
                continue;
            Morpheme entry;
            entry.setSurface(m.surface());
            entry.setFeatureText(QString::fromUtf8(other->feature));
            const QString otherKana = KanaWords::kanaOf(entry);
            if (otherKana == kanaOfBest[i] || KanaWords::containsKanji(otherKana))
                continue;
            const bool sameKind =
                entry.partOfSpeech() == m.partOfSpeech() && entry.subdivision() == m.subdivision();
            QList<Morpheme::OtherEntry> &entries = m.weighingToFill().otherEntries;
            auto same = std::find_if(entries.begin(), entries.end(),
                                     [&](const Morpheme::OtherEntry &e) { return e.kana == otherKana; });
            if (same == entries.end()) {
                entries.append({otherKana, share, sameKind});
            } else {
                same->probability = std::max(same->probability, share);
                same->sameKind |= sameKind;
            }
        }
        QList<Morpheme::OtherEntry> &entries = m.weighingToFill().otherEntries;
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Morpheme::OtherEntry &a, const Morpheme::OtherEntry &b) {
                             return a.probability > b.probability;
                         });
    }
    // Every other analysis leaves the best one somewhere and comes back to
    // it at the end of one of its words. For each such end and each other
    // word that ends there, the likeliest analysis through that word and
    // on along the best one costs what that word's best path costs plus
    // its link to the next best word: words of the best analysis it passes
    // over are weighed by its share.
    std::vector<qsizetype> bestEndingAt(std::size_t(sentence.size()) + 1, -1);
    for (std::size_t i = 0; i < best.size(); ++i)
        bestEndingAt[std::size_t(spanOf(best[i], text).second)] = qsizetype(i);
    for (std::size_t i = 0; i < best.size(); ++i) {
        const MeCab::Node *next = best[i]->next;
        if (!next)
            continue;
        const qsizetype rejoin = spanOf(best[i], text).second;
        for (const MeCab::Path *link = next->lpath; link; link = link->lnext) {
            const MeCab::Node *other = link->lnode;
            if (other == best[i] || !other)
                continue;
            const float share = shareOf(other->cost + link->cost - next->cost, m_theta);
            if (share < kLeastShareWeighed)
                continue;
            // Back along the other analysis to where it leaves the best one.
            QList<const MeCab::Node *> detour;
            const MeCab::Node *back = other;
            qsizetype leaves = 0;
            while (back && back->stat != MECAB_BOS_NODE) {
                const qsizetype backEnd = spanOf(back, text).second;
                const qsizetype index = bestEndingAt[std::size_t(backEnd)];
                if (index >= 0 && best[std::size_t(index)] == back) {
                    leaves = backEnd;
                    break;
                }
                detour.prepend(back);
                back = back->prev;
            }
            QString kana;
            for (const MeCab::Node *node : detour) {
                Morpheme piece;
                piece.setSurface(QString::fromUtf8(node->surface, node->length));
                piece.setFeatureText(QString::fromUtf8(node->feature));
                kana += KanaWords::kanaOf(piece);
            }
            for (qsizetype k = bestEndingAt[std::size_t(rejoin)]; k >= 0; --k) {
                const auto [begin, end] = spanOf(best[std::size_t(k)], text);
                if (end <= leaves)
                    break;
                Morpheme &m = morphemes[k];
                if (!m.userKana.isEmpty() || !m.known || !KanaWords::containsKanji(m.surface()))
                    continue;
                // Another entry in the word's own place is a homograph, weighed above.
                const bool samePlace = detour.size() == 1 &&
                                       detour.front()->length == best[std::size_t(k)]->length &&
                                       spanOf(detour.front(), text).first == begin;
                if (samePlace)
                    continue;
                m.weighingToFill().probability = std::min(m.weighing().probability, 1.0f - share);
                // A detour over this word alone reads it otherwise.
                const bool alone = (k == 0 || spanOf(best[std::size_t(k - 1)], text).second <= leaves) &&
                                   end == rejoin && !detour.isEmpty() &&
                                   spanOf(detour.front(), text).first == begin;
                if (alone && !kana.isEmpty() && !KanaWords::containsKanji(kana) &&
                    kana != KanaWords::kanaOf(m) && !m.weighing().otherAnalyses.contains(kana))
                    m.weighingToFill().otherAnalyses.append(kana);
            }
        }
    }
}
