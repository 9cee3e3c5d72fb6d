#include "platform/textstream.h"

#include <QBuffer>
#include <QTest>

// The reader hands out the text in pieces that end at line ends, however
// the lines fall against its blocks: long lines over several blocks, a CR
// LF torn apart by the block end, a character of several bytes across it.
class TestTextStream : public QObject
{
    Q_OBJECT

private slots:
    void piecesEndAtLineEnds_data();
    void piecesEndAtLineEnds();
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
    QVERIFY(reader.detectEncoding());
    QCOMPARE(reader.encoding(), detectTextEncoding(bytes));

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
    QCOMPARE(reader.replacements().replaced(), 0);
}

QTEST_GUILESS_MAIN(TestTextStream)
#include "tst_textstream.moc"
