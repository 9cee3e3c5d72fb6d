#include "documents.h"
#include "engine/translation.h"
#include "platform/textcodec.h"
#include "synthetictable.h"
#include "tables/codetableloader.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// Generated documents translated twice: by mirabo-cli, which reads its
// input a block at a time, and in memory. The two must give the same list
// entries, line for line. A few of the entries are written out in golden.txt
// as they must read, so that a change in the braille shows which line
// changed and how; edit that file when the braille is meant to change.
class TestGolden : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void translation_data();
    void translation();

private:
    enum class Table { Shipped, Synthetic, Short };
    struct Case
    {
        QString name;
        Table table;
        QByteArray bytes;
    };
    // One entry of golden.txt.
    struct Expected
    {
        int entry; // from 1
        QString text;
    };
    static QList<Case> cases();
    static QByteArray tableFile(int rows);
    static QByteArray inMemory(const CodeTable &table, const QByteArray &bytes);
    QByteArray runCli(Table table, const QByteArray &bytes, QString *error);

    QTemporaryDir dir_;
    QString syntheticPath_;
    QString shortPath_;
    QMap<Table, CodeTable> tables_;
    QMultiMap<QString, Expected> expected_; // by case name
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

namespace {

// Where two outputs part, as a message: the first line that differs.
QString firstDifference(const QByteArray &got, const QByteArray &want)
{
    const QList<QByteArray> gotLines = got.split('\n');
    const QList<QByteArray> wantLines = want.split('\n');
    for (qsizetype i = 0; i < qMax(gotLines.size(), wantLines.size()); ++i) {
        if (gotLines.value(i) != wantLines.value(i))
            return u"line %1:\n  mirabo-cli: %2\n  in memory:  %3"_s.arg(i + 1).arg(
                QString::fromUtf8(gotLines.value(i)), QString::fromUtf8(wantLines.value(i)));
    }
    return QString();
}

// An entry as golden.txt writes it: without the "　" that fills it to 30 columns.
QString withoutFiller(QString entry)
{
    while (entry.endsWith(u'　'))
        entry.chop(1);
    return entry;
}

} // namespace

QByteArray TestGolden::inMemory(const CodeTable &table, const QByteArray &bytes)
{
    QByteArray out;
    for (const QString &entry : listEntries(translateText(table, decodeText(bytes))))
        out += entry.toUtf8() + '\n';
    return out;
}

QByteArray TestGolden::runCli(Table table, const QByteArray &bytes, QString *error)
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
    process.start(QStringLiteral(MIRABO_CLI), args);
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
        QVERIFY2(load.ok, qPrintable(load.file.detail));
        tables_.insert(table, load.table);
    }

    QStringList names;
    for (const Case &c : cases())
        names.append(c.name);
    QFile golden(kGoldenFile);
    QVERIFY(golden.open(QIODevice::ReadOnly));
    int number = 0;
    while (!golden.atEnd()) {
        const QString line = QString::fromUtf8(golden.readLine()).chopped(1);
        ++number;
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        bool ok = false;
        const int entry = fields.value(1).toInt(&ok);
        QVERIFY2(fields.size() == 3 && ok && entry > 0 && names.contains(fields[0]),
                 qPrintable(u"golden.txt line %1 is not CASE, ENTRY and TEXT between tabs"_s.arg(number)));
        expected_.insert(fields[0], {entry, fields[2]});
    }
    QVERIFY(!expected_.isEmpty());
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
    QString error;
    const QByteArray out = runCli(c.table, c.bytes, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QByteArray memory = inMemory(tables_.value(c.table), c.bytes);
    QVERIFY2(out == memory, qPrintable(firstDifference(out, memory)));

    const QStringList entries = QString::fromUtf8(out).split(u'\n');
    for (const Expected &expected : expected_.values(c.name)) {
        const QString got = withoutFiller(entries.value(expected.entry - 1));
        QVERIFY2(got == expected.text, qPrintable(u"entry %1:\n  got:      %2\n  expected: %3"_s.arg(expected.entry).arg(
                                                    got, expected.text)));
    }
}

QTEST_GUILESS_MAIN(TestGolden)
#include "tst_golden.moc"
