#include "platform/textcodec.h"

#include <QStringEncoder>
#include <QTest>

class TestTextCodec : public QObject
{
    Q_OBJECT

private slots:
    void decodeCp932_data();
    void decodeCp932();
    void encodeCp932_data();
    void encodeCp932();
    void roundTripOfEveryDoubleByteCode();
    void everyCharacterAsIcuEncodesItAlone();
    void unencodableCharacters();
    void detectEncoding_data();
    void detectEncoding();
    void splitLines_data();
    void splitLines();
};

void TestTextCodec::decodeCp932_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    const QString bad = QString(QChar(0xFFFD));
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("ascii") << QByteArray("abc 123") << QStringLiteral("abc 123");
    QTest::newRow("hiragana") << QByteArray::fromHex("82A082A2") << QStringLiteral("あい");
    QTest::newRow("wave dash is fullwidth tilde") << QByteArray::fromHex("8160") << QStringLiteral("～");
    QTest::newRow("minus is fullwidth hyphen-minus") << QByteArray::fromHex("817C") << QStringLiteral("－");
    QTest::newRow("NEC circled one") << QByteArray::fromHex("8740") << QStringLiteral("①");
    QTest::newRow("user-defined area") << QByteArray::fromHex("F040") << QString(QChar(0xE000));
    QTest::newRow("half-width katakana") << QByteArray::fromHex("B1DE") << QStringLiteral("ｱﾞ");
    QTest::newRow("backslash stays backslash") << QByteArray("\\~") << QStringLiteral("\\~");
    QTest::newRow("control characters stay") << QByteArray("\x1A\x1C\x7F", 3) << QStringLiteral("\x1A\x1C\x7F");
    QTest::newRow("ends inside a two-byte character") << QByteArray::fromHex("82A082") << QStringLiteral("あ") + bad;
    QTest::newRow("lone lead byte before ASCII") << QByteArray::fromHex("8220410D0A")
                                                  << bad + QStringLiteral(" A\r\n");
    QTest::newRow("invalid single bytes") << QByteArray::fromHex("80A0FDFEFF41")
                                          << bad + bad + bad + bad + bad + QStringLiteral("A");
    QTest::newRow("unassigned double-byte code") << QByteArray::fromHex("FCFC82A0") << bad + QStringLiteral("あ");
    QTest::newRow("bad bytes do not drop the rest") << QByteArray::fromHex("82A0FF82A2FF82A4")
                                                    << QStringLiteral("あ") + bad + QStringLiteral("い") + bad +
                                                           QStringLiteral("う");
}

void TestTextCodec::decodeCp932()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(Cp932::decode(bytes), text);
}

void TestTextCodec::encodeCp932_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QString() << QByteArray();
    QTest::newRow("document of two lines") << QStringLiteral("あ\r\nい\r\n") << QByteArray::fromHex("82A00D0A82A20D0A");
    QTest::newRow("fullwidth tilde") << QStringLiteral("～") << QByteArray::fromHex("8160");
    QTest::newRow("fullwidth hyphen-minus") << QStringLiteral("－") << QByteArray::fromHex("817C");
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray::fromHex("8740");
    QTest::newRow("private use") << QString(QChar(0xE000)) << QByteArray::fromHex("F040");
    QTest::newRow("braille becomes ?") << QStringLiteral("あ⠁い") << QByteArray::fromHex("82A03F82A2");
    QTest::newRow("euro sign becomes ?") << QStringLiteral("€5") << QByteArray("?5");
    QTest::newRow("astral character becomes one ?") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("lone surrogate becomes ?") << QString(QChar(0xD800)) + u'x' << QByteArray("?x");
    QTest::newRow("control characters stay") << QStringLiteral("\x1A\x1C\x7F") << QByteArray("\x1A\x1C\x7F", 3);
}

void TestTextCodec::encodeCp932()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    const QByteArray encoded = Cp932::encode(text);
    QCOMPARE(encoded.toHex(' '), bytes.toHex(' '));
    QVERIFY(!encoded.contains("\xFC\xFC"));
}

// Every code the decoder accepts must come back as the same bytes, or as
// the one code Windows-31J writes for that character (NEC and IBM duplicates).
void TestTextCodec::roundTripOfEveryDoubleByteCode()
{
    int decoded = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            const QByteArray bytes = QByteArray(1, char(lead)) + char(trail);
            const QString text = Cp932::decode(bytes);
            QCOMPARE(text.size(), 1);
            if (text[0] == QChar(0xFFFD))
                continue;
            ++decoded;
            const QByteArray again = Cp932::encode(text);
            QCOMPARE(again.size(), 2);
            QCOMPARE(Cp932::decode(again), text);
        }
    }
    // cp932 assigns 7915 JIS and vendor codes plus 1880 user-defined ones.
    QVERIFY2(decoded > 9000, qPrintable(QString::number(decoded)));
}

// Each character is encoded as ICU encodes it on its own, "?" where ICU has
// no code, whether it is met for the first time or again.
void TestTextCodec::everyCharacterAsIcuEncodesItAlone()
{
    QString text;
    QByteArray expected;
    for (char16_t c = 0x80; c != 0; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        QStringEncoder icu("windows-31j");
        const QByteArray bytes = icu.encode(QStringView(&c, 1));
        text += QChar(c);
        expected += icu.hasError() || bytes.isEmpty() ? QByteArray("?") : bytes;
    }
    for (int pass = 1; pass <= 2; ++pass) {
        bool lost = false;
        QCOMPARE(Cp932::encode(text, &lost), expected);
        QVERIFY(lost);
    }
}

void TestTextCodec::unencodableCharacters()
{
    QCOMPARE(Cp932::unencodableCharacters(QStringLiteral("あいう～①")), QStringList());
    QCOMPARE(Cp932::unencodableCharacters(QStringLiteral("⠁あ⠁€😀a")),
             QStringList({QStringLiteral("⠁"), QStringLiteral("€"), QStringLiteral("😀")}));
}

void TestTextCodec::detectEncoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii is read as cp932") << QByteArray("abc") << int(TextEncoding::Cp932) << QStringLiteral("abc");
    QTest::newRow("cp932 kana") << QByteArray::fromHex("82A082A2") << int(TextEncoding::Cp932)
                                << QStringLiteral("あい");
    QTest::newRow("utf-8 kana") << QByteArray("あい") << int(TextEncoding::Utf8) << QStringLiteral("あい");
    QTest::newRow("utf-8 with byte-order mark") << QByteArray("\xEF\xBB\xBF⠁,x")
                                                << int(TextEncoding::Utf8WithBom) << QStringLiteral("⠁,x");
    QTest::newRow("byte-order mark alone") << QByteArray("\xEF\xBB\xBF") << int(TextEncoding::Utf8WithBom)
                                           << QString();
    // E3 81 is one cp932 character and 82 82 A0 is not UTF-8's continuation.
    const QByteArray broken("\xE3\x81\x82\xA0");
    QTest::newRow("broken utf-8 falls back to cp932")
        << broken << int(TextEncoding::Cp932) << Cp932::decode(broken);
}

void TestTextCodec::detectEncoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, encoding);
    QFETCH(QString, text);
    QCOMPARE(int(detectTextEncoding(bytes)), encoding);
    QCOMPARE(decodeText(bytes), text);
}

void TestTextCodec::splitLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("empty text has no lines") << QString() << QStringList();
    QTest::newRow("one line without end") << QStringLiteral("あ") << QStringList{QStringLiteral("あ")};
    QTest::newRow("final line end adds nothing") << QStringLiteral("あ\r\n") << QStringList{QStringLiteral("あ")};
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("lone LF") << QStringLiteral("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QStringLiteral("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed ends") << QStringLiteral("a\r\nb\rc\nd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty lines kept") << QStringLiteral("\r\n\r\na\n\n") << QStringList{"", "", "a", ""};
    QTest::newRow("LF CR is two line ends") << QStringLiteral("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("CR CR LF is two line ends") << QStringLiteral("a\r\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("lone CRs before a far LF") << QStringLiteral("a\rb\rc\r\nd\ne")
                                              << QStringList{"a", "b", "c", "d", "e"};
}

void TestTextCodec::splitLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(::splitLines(text), lines);
}

QTEST_APPLESS_MAIN(TestTextCodec)
#include "tst_textcodec.moc"
