#include "platform/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void writesCp932WithQuestionMarks();
    void readsBackWhatItWrote();
    void readDetectsUtf8();
    void missingFileIsAnError();
    void failedWriteKeepsTheOldFile();
    void toCrLf_data();
    void toCrLf();

private:
    static QByteArray bytesOf(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir_;
};

void TestTextFile::writesCp932WithQuestionMarks()
{
    const QString path = dir_.filePath(QStringLiteral("out.txt"));
    const TextWriteResult w = writeCp932File(path, QStringLiteral("あ⠁\r\nい\r\n"));
    QVERIFY2(w.ok, qPrintable(w.error));
    QCOMPARE(bytesOf(path).toHex(' '), QByteArray::fromHex("82A03F0D0A82A20D0A").toHex(' '));
}

void TestTextFile::readsBackWhatItWrote()
{
    const QString path = dir_.filePath(QStringLiteral("round.txt"));
    const QString text = QStringLiteral("かな　カナ１２３ＡＢＣ～－①\r\n");
    QVERIFY(writeCp932File(path, text).ok);
    const TextReadResult r = readCp932File(path);
    QVERIFY(r.ok);
    QCOMPARE(r.text, text);
    const TextReadResult detected = readTextFile(path);
    QCOMPARE(detected.encoding, TextEncoding::Cp932);
    QCOMPARE(detected.text, text);
}

void TestTextFile::readDetectsUtf8()
{
    const QString path = dir_.filePath(QStringLiteral("utf8.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("きゃ\n１２３\n");
    f.close();
    const TextReadResult r = readTextFile(path);
    QVERIFY(r.ok);
    QCOMPARE(r.encoding, TextEncoding::Utf8);
    QCOMPARE(r.text, QStringLiteral("きゃ\n１２３\n"));
}

void TestTextFile::missingFileIsAnError()
{
    const QString path = dir_.filePath(QStringLiteral("absent.txt"));
    const TextReadResult r = readTextFile(path);
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains(path));
}

void TestTextFile::failedWriteKeepsTheOldFile()
{
    const QString path = dir_.filePath(QStringLiteral("kept.txt"));
    QVERIFY(writeCp932File(path, QStringLiteral("old\r\n")).ok);
    // A directory in place of the file's directory makes the write fail.
    const TextWriteResult w = writeCp932File(dir_.filePath(QStringLiteral("kept.txt/inner.txt")), u"new");
    QVERIFY(!w.ok);
    QVERIFY(!w.error.isEmpty());
    QCOMPARE(bytesOf(path), QByteArray("old\r\n"));
}

void TestTextFile::toCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("LF") << QStringLiteral("a\nb\n") << QStringLiteral("a\r\nb\r\n");
    QTest::newRow("CR LF stays") << QStringLiteral("a\r\nb") << QStringLiteral("a\r\nb");
    QTest::newRow("lone CR") << QStringLiteral("a\rb") << QStringLiteral("a\r\nb");
    QTest::newRow("no line end") << QStringLiteral("ab") << QStringLiteral("ab");
}

void TestTextFile::toCrLf()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(::toCrLf(text), expected);
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
