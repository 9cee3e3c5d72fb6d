#include "platform/textfile.h"
#include "usermessages/usermessages.h"

#include <QDir>
#include <QMap>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

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
    void userFiles_data();
    void userFiles();
    void refusedFiles_data();
    void refusedFiles();
    void twoCodeCharactersKeepTheirCodes_data();
    void twoCodeCharactersKeepTheirCodes();

private:
    // Reads the file as the editor does (LF line ends), lets edit change the
    // text, and saves it in the format it was read in; returns the bytes.
    QByteArray saveAsRead(const QByteArray &bytes, const std::function<QString(QString)> &edit);
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
    QVERIFY2(w.ok, qPrintable(UserMessages::fileMessage(w.error)));
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
    QCOMPARE(r.error.error, FileError::NotOpened);
    QVERIFY(UserMessages::fileMessage(r.error).contains(path));
}

void TestTextFile::failedWriteKeepsTheOldFile()
{
    const QString path = dir_.filePath(QStringLiteral("kept.txt"));
    QVERIFY(writeCp932File(path, QStringLiteral("old\r\n")).ok);
    // A directory in place of the file's directory makes the write fail.
    const TextWriteResult w = writeCp932File(dir_.filePath(QStringLiteral("kept.txt/inner.txt")), u"new");
    QVERIFY(!w.ok);
    QVERIFY(w.error);
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

void TestTextFile::userFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<qsizetype>>("replacedLines");

    const QString bad(QChar(0xFFFD));
    QTest::newRow("UTF-16 LE with byte-order mark")
        << QByteArray("\xFF\xFE\x42\x30\x0D\x00\x0A\x00\x3D\xD8\x00\xDE", 12) << QStringLiteral("あ\r\n😀")
        << QList<qsizetype>{};
    QTest::newRow("UTF-16 BE with byte-order mark")
        << QByteArray("\xFE\xFF\x30\x42\x00\x0A\x30\x44", 8) << QStringLiteral("あ\nい") << QList<qsizetype>{};
    // One bad byte among much UTF-8 does not turn the file into cp932.
    QTest::newRow("UTF-8 with two bad bytes")
        << QByteArray("あいう\nかき\xFFく\r\nさ\rたち\x80つ\n") << QStringLiteral("あいう\nかき") + bad +
                                                                     QStringLiteral("く\r\nさ\rたち") + bad +
                                                                     QStringLiteral("つ\n")
        << QList<qsizetype>{2, 4};
    QTest::newRow("replacement character written in the file is text")
        << QByteArray("あ\xEF\xBF\xBD\n") << QStringLiteral("あ") + bad + u'\n' << QList<qsizetype>{};
    QTest::newRow("cp932 with a bad byte") << QByteArray("\x82\xA0\r\n\x82\xA2\xFF")
                                           << QStringLiteral("あ\r\nい") + bad << QList<qsizetype>{2};
    QTest::newRow("tab, form feed and end-of-file mark are text")
        << QByteArray("a\tb\fc\x1A") << QStringLiteral("a\tb\fc\x1A") << QList<qsizetype>{};
}

void TestTextFile::userFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(QList<qsizetype>, replacedLines);
    const QString path = dir_.filePath(QStringLiteral("user.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();

    const TextReadResult r = readTextFile(path);
    QVERIFY2(r.ok, qPrintable(UserMessages::fileMessage(r.error)));
    QCOMPARE(r.text, text);
    QCOMPARE(r.replacedLines, replacedLines);
    QCOMPARE(r.replaced, replacedLines.size());
    const QString notice = UserMessages::replacementNotice(path, r.replacedBytes());
    QCOMPARE(notice.isEmpty(), replacedLines.isEmpty());
    for (const qsizetype line : replacedLines)
        QVERIFY2(notice.contains(QString::number(line)), qPrintable(notice));
}

void TestTextFile::refusedFiles_data()
{
    QTest::addColumn<QString>("name");      // made in the scratch folder, or an absolute path
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");    // part of the message

    QTest::newRow("NUL bytes") << "nul.txt" << QByteArray("ab\0cd", 5) << "テキストファイルではない";
    QTest::newRow("UTF-16 without byte-order mark") << "utf16.txt" << QByteArray("a\0b\0", 4)
                                                    << "テキストファイルではない";
    QTest::newRow("mostly control bytes") << "control.txt" << QByteArray("\x01\x02\x03\x04" "abcdef\x05\x06")
                                          << "テキストファイルではない";
    QTest::newRow("program") << "/bin/ls" << QByteArray() << "テキストファイルではない";
    QTest::newRow("device") << "/dev/zero" << QByteArray() << "通常のファイルではない";
    QTest::newRow("folder") << "." << QByteArray() << "通常のファイルではない";
    QTest::newRow("larger than 64 MB") << "large.txt" << QByteArray() << "64 MB";
}

void TestTextFile::refusedFiles()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString path = QDir::isAbsolutePath(name) ? name : dir_.filePath(name);
    if (!QDir::isAbsolutePath(name) && name != u".") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        if (bytes.isEmpty())
            QVERIFY(f.resize(kMaxTextFileBytes + 1)); // sparse: costs no disk
    }
    const TextReadResult r = readTextFile(path);
    QVERIFY(!r.ok);
    QVERIFY(r.text.isEmpty());
    const QString message = UserMessages::fileMessage(r.error);
    QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY2(message.contains(path), qPrintable(message));
}

QByteArray TestTextFile::saveAsRead(const QByteArray &bytes, const std::function<QString(QString)> &edit)
{
    const QString path = dir_.filePath(QStringLiteral("round.txt"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return QByteArray("<not written>");
    f.close();
    const TextReadResult read = readTextFile(path);
    if (!read.ok || !writeTextFile(path, edit(toLf(read.text)), formatOf(read)).ok)
        return QByteArray("<failed>");
    return bytesOf(path);
}

// Code page 932 gives some characters two codes (NEC row 13 and JIS row 2,
// the NEC-selected and the IBM extensions). Every such pair is found by
// decoding every two-byte code; a file using either code, with mixed line
// ends, saves back unchanged, and an edit elsewhere keeps the codes too.
void TestTextFile::twoCodeCharactersKeepTheirCodes_data()
{
    QTest::addColumn<QList<QList<QByteArray>>>("pairs");
    QMap<QString, QList<QByteArray>> byCharacter;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const QByteArray code = QByteArray(1, char(lead)) + char(trail);
            const QString c = Cp932::decode(code);
            if (c.size() == 1 && c[0] != QChar(0xFFFD))
                byCharacter[c].append(code);
        }
    }
    // One file for the pairs of each lead byte of their last code.
    QMap<QByteArray, QList<QList<QByteArray>>> byLead;
    int pairs = 0;
    for (const QList<QByteArray> &codes : std::as_const(byCharacter)) {
        if (codes.size() > 1) {
            byLead[codes.last().first(1).toHex()].append(codes);
            ++pairs;
        }
    }
    for (auto it = byLead.cbegin(); it != byLead.cend(); ++it)
        QTest::addRow("last code %sxx", it.key().constData()) << *it;
    // The 374 NEC-selected IBM extensions and 22 characters of NEC row 13;
    // every pair the report named is among them.
    QVERIFY2(pairs >= 396, qPrintable(QString::number(pairs)));
    for (const char *named : {"\xEE\xE0\xFB\xFC", "\x87\x9A\x81\xE6", "\xEE\xF9\x81\xCA", "\xED\x40\xFA\x5C"}) {
        const QByteArray both(named, 4);
        QCOMPARE(Cp932::decode(both.first(2)), Cp932::decode(both.last(2)));
    }
}

void TestTextFile::twoCodeCharactersKeepTheirCodes()
{
    QFETCH(QList<QList<QByteArray>>, pairs);
    // Each code of a character in turn, then its last before its first: the
    // order of the places counts, not only which codes there are.
    QByteArray bytes("\x82\xA0");
    for (const QList<QByteArray> &codes : pairs) {
        for (const QByteArray &code : codes)
            bytes += code + "\r\n";
        bytes += codes.last() + codes.first() + "\n";
    }
    bytes += "\x82\xA2\r";
    QCOMPARE(saveAsRead(bytes, [](QString text) { return text; }), bytes);
    QCOMPARE(saveAsRead(bytes, [](QString text) { return text + QStringLiteral("う"); }),
             bytes + "\x82\xA4");
}

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
