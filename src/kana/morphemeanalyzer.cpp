#include "platform/settings.h"
#include "morphemeanalyzer.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <mecab.h>

#include <algorithm>
#include <vector>

namespace {

// How the fixed words are told to MeCab: one token each, a proper noun.
const char kFixedFeature[] = "名詞,固有名詞,一般,*,*,*,*,*,*";

} // namespace

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

MorphemeAnalyzer::MorphemeAnalyzer(const QString &dictionaryDir)
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
    QByteArray dir = QFile::encodeName(dictionaryDir);
    QByteArray rc = dir + "/dicrc";
    QByteArray program("mirabo"), dOption("-d"), rOption("-r");
    std::vector<char *> argv = {program.data(), dOption.data(), dir.data(), rOption.data(), rc.data()};
    m_model = MeCab::createModel(int(argv.size()), argv.data());
    if (m_model)
        m_tagger = m_model->createTagger();
    if (m_tagger)
        m_lattice = m_model->createLattice();
    if (!m_lattice)
        m_error = {KanaError::DictionaryNotOpened, dictionaryDir, QString::fromUtf8(MeCab::getLastError()), {}};
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
        while (nextWord < fixedWords.size() && fixedWords[nextWord].start + fixedWords[nextWord].length <= start)
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
    if (line.size() <= kMaxPieceLength)
        return analyzePiece(line, fixedWords);
    QList<Morpheme> morphemes;
    const QList<FixedWord> words = inLineOrder(fixedWords);
    qsizetype nextWord = 0;
    for (const LinePiece &piece : linePieces(line, kMaxPieceLength, words)) {
        QList<FixedWord> fixedInPiece;
        for (; nextWord < words.size() && words[nextWord].start < piece.start + piece.length; ++nextWord) {
            const FixedWord &word = words[nextWord];
            if (word.start >= piece.start)
                fixedInPiece.append({word.start - piece.start, word.length, word.kana});
        }
        morphemes.append(analyzePiece(line.mid(piece.start, piece.length), fixedInPiece));
    }
    return morphemes;
}

QList<Morpheme> MorphemeAnalyzer::analyzePiece(const QString &line, const QList<FixedWord> &fixedWords)
{
    QList<Morpheme> morphemes;
    if (!isOpen() || line.isEmpty())
        return morphemes;

    const QByteArray sentence = line.toUtf8();
    m_lattice->clear();
    m_lattice->set_sentence(sentence.constData(), std::size_t(sentence.size()));

    // Byte offset where each fixed word starts, for finding its node again;
    // the offsets counted on from one word to the next.
    QHash<qsizetype, QString> fixedStarts;
    qsizetype counted = 0;
    qsizetype countedBytes = 0;
    for (const FixedWord &word : inLineOrder(fixedWords)) {
        if (word.start < counted) // overlaps the word before: MeCab could not keep both
            continue;
        countedBytes += utf8Length(QStringView(line).sliced(counted, word.start - counted));
        const qsizetype begin = countedBytes;
        const qsizetype end = begin + utf8Length(QStringView(line).sliced(word.start, word.length));
        m_lattice->set_feature_constraint(std::size_t(begin), std::size_t(end), kFixedFeature);
        fixedStarts.insert(begin, word.kana);
        counted = word.start + word.length;
        countedBytes = end;
    }
    if (!m_tagger->parse(m_lattice)) {
        // Kept as written rather than lost.
        Morpheme asWritten;
        asWritten.surface = line;
        asWritten.known = false;
        morphemes.append(asWritten);
        return morphemes;
    }

    for (const MeCab::Node *node = m_lattice->bos_node()->next; node && node->stat != MECAB_EOS_NODE;
         node = node->next) {
        Morpheme m;
        const qsizetype begin = node->surface - sentence.constData();
        const int blankBytes = int(node->rlength) - int(node->length);
        m.spaceBefore = QString::fromUtf8(node->surface - blankBytes, blankBytes);
        m.surface = QString::fromUtf8(node->surface, node->length);
        m.setFeatureText(QString::fromUtf8(node->feature));
        m.known = node->stat != MECAB_UNK_NODE;
        if (const auto fixed = fixedStarts.constFind(begin); fixed != fixedStarts.constEnd())
            m.userKana = *fixed;
        morphemes.append(m);
    }
    return morphemes;
}
