#include "platform/settings.h"
#include "morphemeanalyzer.h"

#include "kanawords.h"

#include <QByteArray>
#include <QFile>
#include <QDir>
#include <QFileInfo>

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
    const QString missing =
        QStringLiteral("点訳かな変換の辞書がありません（%1）。Debian のパッケージ mecab-ipadic-utf8 を"
                       "インストールしてください。")
            .arg(dictionaryDir);
    if (!QFileInfo::exists(dictionaryDir + QStringLiteral("/sys.dic"))) {
        m_error = missing;
        return;
    }
    if (!isUtf8Dictionary(dictionaryDir)) {
        m_error = QStringLiteral("%1 の辞書は UTF-8 用ではありません。Debian のパッケージ mecab-ipadic-utf8 の"
                                 "辞書（/var/lib/mecab/dic/ipadic-utf8）を指定してください。")
                      .arg(dictionaryDir);
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
        m_error = missing + u'\n' + QString::fromUtf8(MeCab::getLastError());
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

void MorphemeAnalyzer::setWeighing(bool on, float otherAnalysesBelow, float theta)
{
    m_theta = theta;
    m_weighing = on;
    m_otherAnalysesBelow = otherAnalysesBelow;
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

} // namespace

QList<LinePiece> linePieces(QStringView line, qsizetype maxLength, const QList<FixedWord> &fixedWords)
{
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
        for (const FixedWord &word : fixedWords) {
            if (word.start < cut && cut < word.start + word.length)
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
    for (const LinePiece &piece : linePieces(line, kMaxPieceLength, fixedWords)) {
        QList<FixedWord> fixedInPiece;
        for (const FixedWord &word : fixedWords) {
            if (word.start >= piece.start && word.start < piece.start + piece.length)
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
    m_lattice->set_request_type(m_weighing ? MECAB_MARGINAL_PROB | MECAB_NBEST : MECAB_ONE_BEST);
    m_lattice->set_sentence(sentence.constData(), std::size_t(sentence.size()));
    // After the sentence: setting it resets theta to the model's own.
    if (m_weighing)
        m_lattice->set_theta(m_theta);

    // Byte offset where each fixed word starts, for finding its node again.
    QList<std::pair<qsizetype, QString>> fixedStarts;
    for (const FixedWord &word : fixedWords) {
        const qsizetype begin = line.left(word.start).toUtf8().size();
        const qsizetype end = begin + line.mid(word.start, word.length).toUtf8().size();
        m_lattice->set_feature_constraint(std::size_t(begin), std::size_t(end), kFixedFeature);
        fixedStarts.append({begin, word.kana});
    }
    if (!m_tagger->parse(m_lattice)) {
        // Kept as written rather than lost.
        Morpheme asWritten;
        asWritten.surface = line;
        asWritten.known = false;
        morphemes.append(asWritten);
        return morphemes;
    }

    QList<qsizetype> nodeStarts; // where each node's lookup began, blanks before it included
    for (const MeCab::Node *node = m_lattice->bos_node()->next; node && node->stat != MECAB_EOS_NODE;
         node = node->next) {
        Morpheme m;
        const qsizetype begin = node->surface - sentence.constData();
        const int blankBytes = int(node->rlength) - int(node->length);
        m.spaceBefore = QString::fromUtf8(node->surface - blankBytes, blankBytes);
        m.surface = QString::fromUtf8(node->surface, node->length);
        m.setFeatureText(QString::fromUtf8(node->feature));
        m.known = node->stat != MECAB_UNK_NODE;
        for (const auto &[start, kana] : fixedStarts) {
            if (start == begin)
                m.userKana = kana;
        }
        morphemes.append(m);
        nodeStarts.append(begin - blankBytes);
    }
    if (m_weighing)
        weigh(morphemes, sentence, nodeStarts);
    return morphemes;
}

namespace {

// Where a node's written form starts and ends in the sentence, in bytes.
std::pair<qsizetype, qsizetype> spanOf(const MeCab::Node *node, const char *sentence)
{
    const qsizetype begin = node->surface - sentence;
    return {begin, begin + node->length};
}

} // namespace

void MorphemeAnalyzer::weigh(QList<Morpheme> &morphemes, const QByteArray &sentence,
                             const QList<qsizetype> &nodeStarts)
{
    const char *text = sentence.constData();
    std::vector<std::pair<qsizetype, qsizetype>> weakSpans; // of the words below the threshold
    std::vector<qsizetype> weakWords;
    const MeCab::Node *node = m_lattice->bos_node()->next;
    for (qsizetype i = 0; i < morphemes.size() && node; ++i, node = node->next) {
        Morpheme &m = morphemes[i];
        m.probability = node->prob;
        if (!m.userKana.isEmpty() || !m.known)
            continue;
        const QString kana = KanaWords::kanaOf(m);
        for (const MeCab::Node *other = m_lattice->begin_nodes(std::size_t(nodeStarts[i])); other;
             other = other->bnext) {
            if (other == node || other->length != node->length || other->stat != MECAB_NOR_NODE)
                continue;
            Morpheme entry;
            entry.surface = m.surface;
            entry.setFeatureText(QString::fromUtf8(other->feature));
            const QString otherKana = KanaWords::kanaOf(entry);
            if (otherKana == kana || KanaWords::containsKanji(otherKana))
                continue;
            auto same = std::find_if(m.otherEntries.begin(), m.otherEntries.end(),
                                     [&](const auto &e) { return e.first == otherKana; });
            if (same == m.otherEntries.end())
                m.otherEntries.append({otherKana, other->prob});
            else
                same->second += other->prob;
        }
        std::stable_sort(m.otherEntries.begin(), m.otherEntries.end(),
                         [](const auto &a, const auto &b) { return a.second > b.second; });
        if (node->prob < m_otherAnalysesBelow) {
            weakSpans.push_back(spanOf(node, text));
            weakWords.push_back(i);
        }
    }
    // The next best analyses, read where they cut the line at the same
    // places as the best one around a weak word.
    for (int n = 0; n < kOtherAnalyses && !weakWords.empty() && m_lattice->next(); ++n) {
        for (std::size_t w = 0; w < weakWords.size(); ++w) {
            const auto [begin, end] = weakSpans[w];
            QString kana;
            bool startsThere = false, endsThere = false;
            for (const MeCab::Node *path = m_lattice->bos_node()->next; path && path->stat != MECAB_EOS_NODE;
                 path = path->next) {
                const auto [from, to] = spanOf(path, text);
                if (from < begin || to > end) {
                    if (from < end && to > begin)
                        break; // crosses the word's edges
                    continue;
                }
                startsThere |= from == begin;
                endsThere |= to == end;
                Morpheme piece;
                piece.surface = QString::fromUtf8(path->surface, path->length);
                piece.setFeatureText(QString::fromUtf8(path->feature));
                kana += KanaWords::kanaOf(piece);
            }
            Morpheme &m = morphemes[weakWords[w]];
            if (startsThere && endsThere && !kana.isEmpty() && !KanaWords::containsKanji(kana) &&
                kana != KanaWords::kanaOf(m) && !m.otherAnalyses.contains(kana))
                m.otherAnalyses.append(kana);
        }
    }
}
