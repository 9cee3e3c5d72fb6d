#include "platform/textstream.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTest>

#include <algorithm>

using namespace Qt::StringLiterals;

// The reader hands out the text in pieces that end at line ends, however
// the lines fall against its blocks: long lines over several blocks, a CR
// LF torn apart by the block end, a character of several bytes across it.
class TestTextStream : public QObject
{
    Q_OBJECT

private slots:
    void piecesEndAtLineEnds_data();
    void piecesEndAtLineEnds();
    void readOnceAsWholeDecoding_data();
    void readOnceAsWholeDecoding();
    void changesItsMindOnTheFly();
    void longLinesComeInParts_data();
    void longLinesComeInParts();
};

namespace {
constexpr qsizetype kBlock = TextStreamReader::kBlockSize;

QByteArray filler(qsizetype size, char c = 'a') { return QByteArray(size, c); }
} // namespace

void TestTextStream::piecesEndAtLineEnds_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("pieces");

    // "ぱ" is three bytes in UTF-8: the first one stands before the block end.
    const QByteArray pa = QByteArrayLiteral("\xE3\x81\xB1");
    QTest::newRow("one line of three blocks and more, no line end") << filler(3 * kBlock + 17) << 1;
    QTest::newRow("a long line, then a short one") << filler(2 * kBlock + 5) + "\nいろは" << 2;
    QTest::newRow("CR LF torn by the block end")
        << filler(kBlock - 1) + "\r\n" + filler(kBlock + 3) + "\r\nend" << 3;
    QTest::newRow("lone CR at the block end") << filler(kBlock - 1) + "\r" + filler(10) << 2;
    QTest::newRow("CR at the block end of a long line")
        << filler(3 * kBlock - 1) + "\r\n" + filler(2 * kBlock) << 2;
    QTest::newRow("line end first in the next block") << filler(kBlock) + "\n" + filler(kBlock * 2) << 2;
    QTest::newRow("character across the block end")
        << filler(kBlock - 1) + pa + filler(kBlock) + pa + "\n" + pa << 2;
    QTest::newRow("short lines over blocks")
        << QByteArray("ab\r\ncd\n").repeated(int(3 * kBlock / 7)) + "tail" << -1;
    QTest::newRow("text ending with CR") << filler(kBlock * 2) + "\r" << 1;
    QTest::newRow("empty") << QByteArray() << 0;
}

void TestTextStream::piecesEndAtLineEnds()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, pieces);

    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    TextStreamReader reader(buffer);
    QVERIFY(reader.begin());

    QStringList read;
    QString piece;
    while (reader.readPiece(piece))
        read.append(piece);
    QVERIFY(!reader.hasError());
    QCOMPARE(read.join(QString()), decodeText(bytes, reader.encoding()));
    // Several short lines may share a piece; a line never spans two.
    for (qsizetype i = 0; i + 1 < read.size(); ++i) {
        QVERIFY2(read[i].endsWith(u'\n') || read[i].endsWith(u'\r'), qPrintable(QString::number(i)));
        QVERIFY2(!(read[i].endsWith(u'\r') && read[i + 1].startsWith(u'\n')), "CR LF split");
    }
    if (pieces >= 0)
        QCOMPARE(read.size(), pieces);
    QCOMPARE(reader.encoding(), detectTextEncoding(bytes));
    QCOMPARE(reader.replacements().replaced(), 0);
}

// A device that hands out a few bytes at a time and cannot go back, as a
// pipe does: the reader must take it in one pass.
class TrickleDevice : public QIODevice
{
public:
    explicit TrickleDevice(QByteArray bytes) : bytes_(std::move(bytes)) { open(QIODevice::ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        const qint64 n = qMin<qint64>(qMin<qint64>(max, 5000), bytes_.size() - at_);
        std::copy_n(bytes_.constData() + at_, n, data);
        at_ += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray bytes_;
    qint64 at_ = 0;
};

void TestTextStream::readOnceAsWholeDecoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");

    const QString kana = u"てんじ　１２３、かな。\r\n"_s.repeated(3000) + u"𠮷の字\n"_s;
    const auto utf16 = [&](QStringConverter::Encoding e, const char *mark) {
        return QByteArray(mark) + QStringEncoder(e).encode(kana);
    };
    QTest::newRow("UTF-16 LE over many blocks")
        << utf16(QStringConverter::Utf16LE, "\xFF\xFE") << int(TextEncoding::Utf16Le);
    QTest::newRow("UTF-16 BE over many blocks")
        << utf16(QStringConverter::Utf16BE, "\xFE\xFF") << int(TextEncoding::Utf16Be);
    QTest::newRow("UTF-16 LE, one long line") << utf16(QStringConverter::Utf16LE, "\xFF\xFE").replace(QByteArray("\r\0\n\0", 4), QByteArray("\x00\x30", 2))
                                              << int(TextEncoding::Utf16Le);
    QTest::newRow("cp932") << Cp932::encode(kana) << int(TextEncoding::Cp932);
    QTest::newRow("UTF-8 after blocks of ASCII")
        << filler(3 * kBlock - 2) + "\n" + kana.toUtf8() << int(TextEncoding::Utf8);
    QTest::newRow("cp932 after blocks of ASCII")
        << QByteArray("abc\n").repeated(int(kBlock / 2)) + Cp932::encode(kana) << int(TextEncoding::Cp932);
}

// From a device read once, a few bytes at a time, the text comes out as
// decoding the whole would give it, in the encoding the whole would get.
void TestTextStream::readOnceAsWholeDecoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QCOMPARE(int(detectTextEncoding(bytes)), encoding);

    TrickleDevice device(bytes);
    TextStreamReader reader(device);
    QString read;
    QString piece;
    while (reader.readPiece(piece))
        read += piece;
    QVERIFY(!reader.hasError());
    QVERIFY(!reader.looksBinary());
    QCOMPARE(int(reader.encoding()), encoding);
    QCOMPARE(read, decodeText(bytes, TextEncoding(encoding)));
    QCOMPARE(reader.replacements().replaced(), 0);
}

// A text that the first block takes for UTF-8 but goes on in cp932 is read
// in cp932 from the piece where the evidence turns; the UTF-8 before stays.
void TestTextStream::changesItsMindOnTheFly()
{
    const QString head = u"はじめ\n"_s;
    const QString tail = u"つづきの文です。\n"_s.repeated(kBlock / 8);
    const QByteArray bytes = head.toUtf8() + filler(2 * kBlock) + "\n" + Cp932::encode(tail);
    QCOMPARE(detectTextEncoding(bytes), TextEncoding::Cp932);
    TrickleDevice device(bytes);
    TextStreamReader reader(device);
    QString read;
    QString piece;
    while (reader.readPiece(piece))
        read += piece;
    QCOMPARE(reader.encoding(), TextEncoding::Cp932);
    QVERIFY(read.startsWith(head));
    QVERIFY(read.endsWith(tail));
}

void TestTextStream::longLinesComeInParts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("partSize");

    // Characters of one to four bytes, so that a part's end falls inside
    // each of them; in cp932 ソ and 表 end with the byte of "\".
    const QString line = u"うみ𠮷やま、ａｂｃ　ｘ＝１２３\\ソ表ｶﾅ"_s.repeated(40);
    const QString text = line + u"\r\n"_s + u"みじかい\n"_s + line + u"\r"_s + line;
    QTest::newRow("UTF-8, small parts") << text.toUtf8() << 8;
    QTest::newRow("UTF-8, larger parts") << text.toUtf8() << 101;
    QTest::newRow("UTF-8 with a byte-order mark") << "\xEF\xBB\xBF"_ba + text.toUtf8() << 13;
    QTest::newRow("cp932") << Cp932::encode(text) << 9;
    QTest::newRow("UTF-16 LE") << "\xFF\xFE"_ba + QStringEncoder(QStringConverter::Utf16LE).encode(text) << 8;
    QTest::newRow("UTF-16 BE") << "\xFE\xFF"_ba + QStringEncoder(QStringConverter::Utf16BE).encode(text) << 11;
    // Bad bytes in the second line, which comes in many parts: named once.
    QTest::newRow("bad bytes in a long line")
        << line.toUtf8() + "\n" + line.toUtf8() + "\xFF" + line.toUtf8() + "\xFE\n" << 50;
    QTest::newRow("lines within the part") << QByteArray("ab\ncd\r\nef\n").repeated(300) << 2000;
}

// Told to, the reader hands a line longer than a part out in parts of
// whole characters that hold no line end; joined, the text is that of
// decoding it whole, and bad bytes are counted as there.
void TestTextStream::longLinesComeInParts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, partSize);

    TrickleDevice device(bytes);
    TextStreamReader reader(device);
    reader.handLongLinesInParts(partSize);
    QString read;
    QString piece;
    int parts = 0;
    while (reader.readPiece(piece)) {
        read += piece;
        if (reader.lineContinues()) {
            ++parts;
            QVERIFY(piece.size() <= partSize);
            QVERIFY(!piece.contains(u'\n') && !piece.contains(u'\r'));
            QVERIFY(!piece.back().isHighSurrogate());
        }
    }
    QVERIFY(!reader.hasError());
    const DecodedText whole = decodeUserText(bytes);
    QCOMPARE(reader.encoding(), whole.encoding);
    QCOMPARE(read, whole.text);
    QCOMPARE(parts > 0, partSize < 1000);
    QCOMPARE(reader.replacements().replaced(), whole.replaced);
    QCOMPARE(reader.replacements().lines(), whole.replacedLines);
}

QTEST_GUILESS_MAIN(TestTextStream)
#include "tst_textstream.moc"
