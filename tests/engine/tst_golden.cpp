#include "documents.h"
#include "engine/translation.h"
#include "platform/textcodec.h"
#include "synthetictable.h"
#include "tables/codetableloader.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// The translations of many generated documents, pinned down by the hash of
// what mirabo-cli printed for them: recorded before the engine was
// rewritten, which changed not one byte, and again when the standard rules
// (punctuation blanks, the connector after letters, input forms, whole
// lines) changed the braille on purpose. Both the command and the in-memory
// translation are compared.
//
// To record the hashes again (only when the translation is meant to change):
//   MIRABO_GOLDEN_RECORD=path/to/mirabo-cli tests/tst_golden
class TestGolden : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void translation_data();
    void translation();
    void cleanupTestCase();

private:
    enum class Table { Shipped, Synthetic, Short };
    struct Case
    {
        QString name;
        Table table;
        QByteArray bytes;
    };
    static QList<Case> cases();
    static QByteArray tableFile(int rows);
    static QByteArray hash(const QByteArray &bytes);
    static QByteArray inMemory(const CodeTable &table, const QByteArray &bytes);
    QByteArray runCli(const QString &cli, Table table, const QByteArray &bytes, QString *error);

    QTemporaryDir dir_;
    QString syntheticPath_;
    QString shortPath_;
    QMap<Table, CodeTable> tables_;
    QMap<QString, QByteArray> expected_; // name -> hash
    QMap<QString, QByteArray> recorded_;
};

const QString kGoldenFile = QStringLiteral(MIRABO_SOURCE_DIR "/tests/engine/golden.txt");
constexpr int kBlock = 65536; // the command's read size: cases cross it

// Built once: the large documents take a while to generate.
QList<TestGolden::Case> TestGolden::cases()
{
    const QByteArray bom = "\xef\xbb\xbf";
    static const QList<Case> list = {
        {u"benchmark 10000"_s, Table::Shipped, Documents::benchmarkBytes(10000)},
        {u"benchmark 100000"_s, Table::Shipped, Documents::benchmarkBytes(100000)},
        {u"random UTF-8"_s, Table::Shipped, Documents::randomText(1, 3000).toUtf8()},
        {u"random UTF-8 synthetic table"_s, Table::Synthetic, Documents::randomText(2, 3000).toUtf8()},
        {u"random UTF-8 short table"_s, Table::Short, Documents::randomText(3, 1000).toUtf8()},
        {u"random cp932"_s, Table::Shipped, Cp932::encode(Documents::randomText(4, 3000))},
        {u"random cp932 synthetic table"_s, Table::Synthetic, Cp932::encode(Documents::randomText(5, 1000))},
        {u"random UTF-8 with byte-order mark"_s, Table::Shipped, bom + Documents::randomText(6, 1000).toUtf8()},
        {u"two byte-order marks"_s, Table::Shipped, bom + bom + "あ\n"_qba + bom + "い\r\n"_qba},
        {u"byte-order mark after a line end"_s, Table::Shipped, "あ\n"_qba + bom + "い"_qba},
        {u"invalid UTF-8 is cp932"_s, Table::Shipped, "あ\xff\nい\xe3\x81"_qba},
        {u"byte-order mark and invalid UTF-8"_s, Table::Shipped, bom + "あ\xff\nい\xe3\x81\n\xc0\xaf"_qba},
        {u"cp932 with stray bytes"_s, Table::Shipped, "\x82\xa0\x82\n\x82\r\n\xfd\x82\xa2\x82"_qba},
        {u"empty"_s, Table::Shipped, QByteArray()},
        {u"only line ends"_s, Table::Shipped, "\r\n\n\r\r\n"_qba},
        {u"CR LF across a block"_s, Table::Shipped,
         QByteArray(kBlock - 1, 'a') + "\r\nか\r"_qba + QByteArray(kBlock - 3, 'b') + "\r\n\r"_qba},
        {u"UTF-8 character across a block"_s, Table::Shipped,
         QByteArray(kBlock - 1, 'a') + "あ\n"_qba + QByteArray(kBlock - 2, 'c') + "😀\n"_qba},
        {u"cp932 character across a block"_s, Table::Shipped,
         QByteArray(kBlock - 1, 'a') + "\x82\xa0\r\n"_qba + QByteArray(kBlock, 'd') + "\x82"_qba},
        {u"long line without line end"_s, Table::Synthetic, Documents::randomText(7, 1).repeated(3000).toUtf8()},
    };
    return list;
}

// The synthetic table as a file, rows 1..rows; a short table leaves the rest
// of the rows empty.
QByteArray TestGolden::tableFile(int rows)
{
    const CodeTable code = syntheticCodeTable();
    QString text;
    for (int row = 1; row <= rows; ++row)
        text += u"\"%1\",\"%2\"\r\n"_s.arg(code.CodeKeys[row], code.CodePatterns[row]);
    return text.toUtf8();
}

QByteArray TestGolden::hash(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray TestGolden::inMemory(const CodeTable &table, const QByteArray &bytes)
{
    QByteArray out;
    for (const QString &entry : listEntries(translateText(table, decodeText(bytes))))
        out += entry.toUtf8() + '\n';
    return out;
}

QByteArray TestGolden::runCli(const QString &cli, Table table, const QByteArray &bytes, QString *error)
{
    const QString input = dir_.filePath(u"input.txt"_s);
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        *error = u"cannot write the input"_s;
        return QByteArray();
    }
    file.close();
    QStringList args;
    if (table == Table::Synthetic)
        args << u"--table"_s << syntheticPath_;
    else if (table == Table::Short)
        args << u"--table"_s << shortPath_;
    args << input;
    QProcess process;
    process.start(cli, args);
    // Generous: the sanitizer build is many times slower.
    if (!process.waitForFinished(240000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = u"mirabo-cli failed: "_s + QString::fromUtf8(process.readAllStandardError());
        return QByteArray();
    }
    return process.readAllStandardOutput();
}

void TestGolden::initTestCase()
{
    QVERIFY(dir_.isValid());
    syntheticPath_ = dir_.filePath(u"synthetic.txt"_s);
    shortPath_ = dir_.filePath(u"short.txt"_s);
    for (const auto &[path, rows] : {std::pair{syntheticPath_, CodeTable::kRows}, std::pair{shortPath_, 40}}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(tableFile(rows));
    }
    for (const auto &[table, path] : {std::pair{Table::Shipped, QStringLiteral(MIRABO_BUILD_DATA_DIR "/gaiji.txt")},
                                      std::pair{Table::Synthetic, syntheticPath_}, std::pair{Table::Short, shortPath_}}) {
        const CodeTableLoad load = loadCodeTable(path);
        QVERIFY2(load.ok, qPrintable(load.error));
        tables_.insert(table, load.table);
    }

    if (qEnvironmentVariableIsSet("MIRABO_GOLDEN_RECORD"))
        return;
    QFile golden(kGoldenFile);
    QVERIFY(golden.open(QIODevice::ReadOnly));
    while (!golden.atEnd()) {
        const QByteArray line = golden.readLine().trimmed();
        const qsizetype tab = line.lastIndexOf('\t');
        if (tab > 0)
            expected_.insert(QString::fromUtf8(line.left(tab)), line.mid(tab + 1));
    }
    QCOMPARE(expected_.size(), cases().size());
}

void TestGolden::translation_data()
{
    QTest::addColumn<int>("index");
    const QList<Case> all = cases();
    for (int i = 0; i < all.size(); ++i)
        QTest::newRow(qPrintable(all[i].name)) << i;
}

void TestGolden::translation()
{
    QFETCH(int, index);
    const Case c = cases()[index];
    const QString recordWith = qEnvironmentVariable("MIRABO_GOLDEN_RECORD");
    QString error;
    const QByteArray out = runCli(recordWith.isEmpty() ? QStringLiteral(MIRABO_CLI) : recordWith, c.table,
                                  c.bytes, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    if (!recordWith.isEmpty()) {
        recorded_.insert(c.name, hash(out));
        return;
    }
    QCOMPARE(hash(out), expected_.value(c.name));

    QCOMPARE(hash(inMemory(tables_.value(c.table), c.bytes)), expected_.value(c.name));
}

void TestGolden::cleanupTestCase()
{
    if (recorded_.isEmpty())
        return;
    QFile golden(kGoldenFile);
    QVERIFY(golden.open(QIODevice::WriteOnly));
    for (const Case &c : cases())
        golden.write(c.name.toUtf8() + '\t' + recorded_.value(c.name) + '\n');
}

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
