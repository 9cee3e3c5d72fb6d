#include "engine/inputforms.h"

#include <QTest>

class TestInputForms : public QObject
{
    Q_OBJECT

private slots:
    void forms_data();
    void forms();
};

void TestInputForms::forms_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("expected");

    QTest::newRow("full-width text unchanged") << "かなカナＡ１　。" << "かなカナＡ１　。";
    QTest::newRow("ASCII letters, digits, space") << "abc 123" << "ａｂｃ　１２３";
    QTest::newRow("ASCII signs") << "(a-b)?!:%" << "（ａ－ｂ）？！：％";
    QTest::newRow("tab and no-break space") << "a\tb\u00A0c" << "ａ　ｂ　ｃ";
    QTest::newRow("half-width katakana") << "ﾃｽﾄ" << "テスト";
    QTest::newRow("half-width voiced kana") << "ｶﾞｯｺｳ ﾊﾟﾝ" << "ガッコウ　パン";
    QTest::newRow("half-width small kana and marks") << "ﾌｧｲﾙ｡ｰ" << "ファイル。ー";
    QTest::newRow("half-width ｳﾞ") << "ｳﾞｧ" << "ヴァ";
    QTest::newRow("lone half-width voiced mark") << "ﾞ" << "゛";
    QTest::newRow("combining voiced marks") << "か\u3099は\u309Aう\u3099" << "がぱゔ";
    QTest::newRow("combining mark first in a changed line") << "a\u3099か\u3099" << "ａ\u3099が";
    QTest::newRow("code page look-alikes") << "\u301C\u2212\u2014\u2010" << "～－―－";
    QTest::newRow("characters without a narrow form kept") << "山😀𠮷⠿α" << "山😀𠮷⠿α";
    QTest::newRow("empty") << "" << "";
}

void TestInputForms::forms()
{
    QFETCH(QString, input);
    QFETCH(QString, expected);
    QCOMPARE(normalizeInputForms(input), expected);
}

QTEST_APPLESS_MAIN(TestInputForms)
#include "tst_inputforms.moc"
