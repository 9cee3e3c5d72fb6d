#include "engine/inputforms.h"
#include "filewindow/filelist.h"
#include "filewindowfixture.h"
#include "platform/textcodec.h"
#include "tables/codetable.h"

#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>

Q_DECLARE_METATYPE(UserDialogs::Answer)

// The file window's translation: a file is loaded into the main window's
// editor and translated into its list as the main translation would.
class TestFileTranslation : public QObject
{
    Q_OBJECT

private slots:
    void fileIsLoadedAndTranslated_data();
    void fileIsLoadedAndTranslated();
    void emptyFileEmptiesEditorAndList();
    void rowsEqualTheMainTranslation_data();
    void rowsEqualTheMainTranslation();
    void connectorOnlyBeforeDigitLikeKana();
    void doubleClickTranslatesTheClickedFile();
    void readFailureIsReported_data();
    void readFailureIsReported();
    void badBytesAreShownAfterLoading();
    void unsavedChangesAreOfferedForSaving_data();
    void unsavedChangesAreOfferedForSaving();
    void savedBackFileIsUnchanged();
    void loadedFileTakesThePlaceOfTheOpenedOne();
};

namespace {

// The editor shows the file's lines as they are, with a line end after the
// last one only where the file has one.
QString editorTextOf(const QStringList &lines, const QByteArray &bytes)
{
    const bool finalLineEnd = bytes.endsWith('\n') || bytes.endsWith('\r');
    return lines.join(u'\n') + (finalLineEnd ? QStringLiteral("\n") : QString());
}

// Translates the file with the file window's menu command.
void translate(FileWindowFixture &f, const QString &name)
{
    f.window->txttargetfile->setText(name);
    f.trigger("readerrorchk");
}

} // namespace

void TestFileTranslation::fileIsLoadedAndTranslated_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList kana = {"あ", "い", "う"};
    QTest::newRow("cp932, CR LF") << QByteArray("\x82\xa0\r\n\x82\xa2\r\n\x82\xa4\r\n") << kana;
    QTest::newRow("cp932, LF") << QByteArray("\x82\xa0\n\x82\xa2\n\x82\xa4\n") << kana;
    QTest::newRow("cp932, CR") << QByteArray("\x82\xa0\r\x82\xa2\r\x82\xa4\r") << kana;
    QTest::newRow("no final line end") << QByteArray("\x82\xa0\r\n\x82\xa2\n\x82\xa4") << kana;
    QTest::newRow("empty lines kept") << QByteArray("\n\n\x82\xa0\n") << QStringList({"", "", "あ"});
    QTest::newRow("UTF-8") << QByteArray("\xe3\x81\x82\n\xe3\x81\x84\n\xe3\x81\x86\n") << kana;
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbf\xe3\x81\x82\r\n\xe3\x81\x84")
                                    << QStringList({"あ", "い"});
    // The editor keeps the half-width kana; the list shows them full-width.
    QTest::newRow("cp932 half-width kana") << QByteArray("\xb1\xb2\n") << QStringList({"ｱｲ"});
    QTest::newRow("UTF-16 with BOM") << QByteArray::fromHex("fffe 4230 0d00 0a00 4430 0a00 4630") << kana;
}

void TestFileTranslation::fileIsLoadedAndTranslated()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("in.txt"), bytes));
    f.open();
    f.form->txtdpbox->setPlainText(QStringLiteral("まえ\nの\nぶん"));
    QVERIFY(f.form->document().translate().ok());
    f.form->txtdpbox->document()->setModified(false);
    translate(f, QStringLiteral("in.txt"));

    QCOMPARE(f.form->txtdpbox->toPlainText(), editorTextOf(lines, bytes));
    QVERIFY(!f.form->hasUnsavedChanges());
    const QStringList entries = f.listEntries();
    QCOMPARE(entries.size(), 2 * lines.size());
    for (int i = 0; i < lines.size(); ++i)
        QVERIFY2(entries[2 * i].startsWith(normalizeInputForms(lines[i])), qPrintable(entries[2 * i]));
    QCOMPARE(f.form->document().translation().lineCount(), lines.size());
    QVERIFY(f.form->document().isTranslationCurrent());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ファイル"));
    QVERIFY(f.dialogs.shown.isEmpty());
}

void TestFileTranslation::emptyFileEmptiesEditorAndList()
{
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("empty.txt"), QByteArray()));
    f.open();
    f.form->txtdpbox->setPlainText(QStringLiteral("あ\nい"));
    FileWindowFixture::action(*f.form, "tenhonyaku")->trigger();
    QCOMPARE(f.form->document().translation().lineCount(), 2);
    f.form->txtdpbox->document()->setModified(false);

    translate(f, QStringLiteral("empty.txt"));
    QCOMPARE(f.form->txtdpbox->toPlainText(), QString());
    QCOMPARE(f.form->List1->rowCount(), 0);
    QCOMPARE(f.form->document().translation().lineCount(), 0);
}

void TestFileTranslation::rowsEqualTheMainTranslation_data()
{
    QTest::addColumn<QStringList>("lines");
    const QString a = QStringLiteral("あ");
    QTest::newRow("digit before a kana like a digit") << QStringList({"３か"});
    QTest::newRow("digit before another kana") << QStringList({"３あ"});
    QTest::newRow("comma and space") << QStringList({"３，５", "３　あ", "３ あ"});
    QTest::newRow("number ends the line") << QStringList({"あいう３"});
    QTest::newRow("number ends a full line") << QStringList({a.repeated(29) + "３", "３"});
    QTest::newRow("number after a long line") << QStringList({a.repeated(40) + "１", "ね１"});
    QTest::newRow("small katakana past column 30")
        << QStringList({"ア" + QStringLiteral("イ").repeated(28) + "キャウ", "しゃ"});
    QTest::newRow("katakana carries on") << QStringList({"カ", "かきゃヴ", "ヴァ"});
    QTest::newRow("letters and digits") << QStringList({"ＡＢ１２ｃ", "ａ１"});
}

// The rows of a file are those that the main command gives for the same
// lines, whatever an earlier translation left in the grids.
void TestFileTranslation::rowsEqualTheMainTranslation()
{
    QFETCH(QStringList, lines);
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("in.txt"), Cp932::encode(lines.join(u'\n'))));
    f.open();
    f.form->txtdpbox->setPlainText(QStringLiteral("カ１").repeated(20) + "\n" +
                                   QStringLiteral("１").repeated(40));
    FileWindowFixture::action(*f.form, "tenhonyaku")->trigger();
    f.form->txtdpbox->document()->setModified(false);

    translate(f, QStringLiteral("in.txt"));
    const QStringList fromFile = f.listEntries();

    f.form->txtdpbox->setPlainText(lines.join(u'\n'));
    FileWindowFixture::action(*f.form, "tenhonyaku")->trigger();
    QCOMPARE(fromFile, f.listEntries());
    QCOMPARE(f.form->document().translation().lineCount(), lines.size());
}

void TestFileTranslation::connectorOnlyBeforeDigitLikeKana()
{
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("in.txt"), Cp932::encode(u"３か\n３あ")));
    f.open();
    translate(f, QStringLiteral("in.txt"));
    const QStringList entries = f.listEntries();
    QCOMPARE(entries.size(), 4);
    const QString connector = f.form->document().codeTable().CodePatterns[CodeRow::Connector];
    QVERIFY(!connector.isEmpty());
    QVERIFY2(entries[0].startsWith(QStringLiteral("　３か")), qPrintable(entries[0]));
    QVERIFY(!entries[1].contains(connector));
    QVERIFY2(entries[2].startsWith(QStringLiteral("　３　あ")), qPrintable(entries[2]));
    QVERIFY(entries[3].contains(connector));
}

void TestFileTranslation::doubleClickTranslatesTheClickedFile()
{
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("one.txt"), Cp932::encode(u"いち")));
    QVERIFY(f.writeFile(QStringLiteral("two.txt"), Cp932::encode(u"に")));
    f.open();
    FileList *files = f.window->File1;
    f.window->txttargetfile->setText(QStringLiteral("two.txt"));

    const QPoint one =
        files->visualItemRect(files->findItems(QStringLiteral("one.txt"), Qt::MatchExactly).first()).center();
    // A double-click reaches the list as a click followed by a double-click.
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, one);
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, one);
    QCOMPARE(f.window->txttargetfile->text(), QStringLiteral("one.txt"));
    QCOMPARE(f.form->txtdpbox->toPlainText(), QStringLiteral("いち"));
    QCOMPARE(f.form->List1->rowCount(), 2);
    QCOMPARE(f.form->document().translation().lineCount(), 1);

    // Enter on the selected file does the same.
    files->setCurrentRow(1);
    QTest::keyClick(files, Qt::Key_Return);
    QCOMPARE(f.form->txtdpbox->toPlainText(), QStringLiteral("に"));
}

void TestFileTranslation::readFailureIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing file") << "nothing.txt";
    QTest::newRow("a folder's name") << "sub";
    QTest::newRow("no name") << "";
    QTest::newRow("not a text file") << "binary.txt";
}

void TestFileTranslation::readFailureIsReported()
{
    QFETCH(QString, name);
    FileWindowFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("sub")));
    QVERIFY(f.writeFile(QStringLiteral("binary.txt"), QByteArray("\x7f" "ELF\x02\x01\x01\0\0\0", 10)));
    f.open();
    f.form->txtdpbox->setPlainText(QStringLiteral("まえの　ぶん"));
    f.form->txtdpbox->document()->setModified(false);
    QVERIFY(f.form->document().translate().ok());
    const QStringList last = f.listEntries();
    QCOMPARE(last.size(), 2);

    translate(f, name);
    QCOMPARE(f.dialogs.kinds(), QStringList({"warn"}));
    if (!name.isEmpty())
        QVERIFY2(f.dialogs.shown.first().text.contains(f.path(name)),
                 qPrintable(f.dialogs.shown.first().text));
    QCOMPARE(f.window->windowTitle(), QStringLiteral("ファイル"));
    QCOMPARE(f.form->txtdpbox->toPlainText(), QStringLiteral("まえの　ぶん"));
    QCOMPARE(f.listEntries(), last);
    QVERIFY(f.form->document().isTranslationCurrent());
}

void TestFileTranslation::badBytesAreShownAfterLoading()
{
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("damaged.txt"), QByteArray("あいう\nかき\xffく\nさしす\n")));
    f.open();
    translate(f, QStringLiteral("damaged.txt"));
    QCOMPARE(f.form->txtdpbox->toPlainText(), QStringLiteral("あいう\nかき\uFFFDく\nさしす\n"));
    QCOMPARE(f.form->document().translation().lineCount(), 3);
    // The U+FFFD that took the bad byte's place has no braille, and is named
    // too; then the bad bytes by line.
    QCOMPARE(f.dialogs.kinds(), QStringList({"warn", "warn"}));
    QVERIFY(f.dialogs.shown.first().text.contains(QChar(0xFFFD)));
    QVERIFY2(f.dialogs.shown.last().text.contains(QStringLiteral("1 か所")), qPrintable(f.dialogs.shown.last().text));
    QVERIFY2(f.dialogs.shown.last().text.contains(QStringLiteral("（2行目）")),
             qPrintable(f.dialogs.shown.last().text));
}

void TestFileTranslation::unsavedChangesAreOfferedForSaving_data()
{
    QTest::addColumn<UserDialogs::Answer>("answer");
    QTest::addColumn<bool>("saveCompletes");
    QTest::addColumn<bool>("loaded");
    QTest::newRow("yes, saved") << UserDialogs::Answer::Yes << true << true;
    QTest::newRow("yes, save cancelled") << UserDialogs::Answer::Yes << false << false;
    QTest::newRow("no") << UserDialogs::Answer::No << false << true;
    QTest::newRow("cancel") << UserDialogs::Answer::Cancel << false << false;
}

void TestFileTranslation::unsavedChangesAreOfferedForSaving()
{
    QFETCH(UserDialogs::Answer, answer);
    QFETCH(bool, saveCompletes);
    QFETCH(bool, loaded);
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("in.txt"), Cp932::encode(u"ファイル")));
    f.open();
    f.form->txtdpbox->insertPlainText(QStringLiteral("打った文"));
    QVERIFY(f.form->document().translate().ok());
    f.dialogs.shown.clear(); // the kanji have no braille
    f.dialogs.answers = {answer};
    const QString saved = f.path(QStringLiteral("saved.txt"));
    if (saveCompletes)
        f.dialogs.savePaths = {saved};

    translate(f, QStringLiteral("in.txt"));
    QCOMPARE(f.dialogs.shown.first().kind, QStringLiteral("yesnocancel"));
    QCOMPARE(f.dialogs.shown.first().text, QStringLiteral("保存しますか？"));
    QCOMPARE(f.form->txtdpbox->toPlainText(),
             loaded ? QStringLiteral("ファイル") : QStringLiteral("打った文"));
    QVERIFY(f.listEntries().value(0).startsWith(loaded ? QStringLiteral("ファイル") : QStringLiteral("打った文")));
    QCOMPARE(FileWindowFixture::readFile(saved),
             saveCompletes ? Cp932::encode(u"打った文\r\n") : QByteArray("<missing>"));
}

// A file loaded and saved back without an edit keeps its bytes: its encoding,
// its line ends and its ending (it used to gain an empty line and become cp932).
void TestFileTranslation::savedBackFileIsUnchanged()
{
    FileWindowFixture f;
    const QByteArray bytes("\xe3\x81\x82\n\xe3\x81\x84\n"); // UTF-8, LF
    QVERIFY(f.writeFile(QStringLiteral("a.txt"), bytes));
    f.open();
    for (int round = 0; round < 2; ++round) {
        translate(f, QStringLiteral("a.txt"));
        f.trigger("mnuupdated");
        QCOMPARE(FileWindowFixture::readFile(f.path(QStringLiteral("a.txt"))), bytes);
    }
    QVERIFY(f.dialogs.shown.isEmpty());
}

// The document's file is the one whose text it shows: 上書き保存 after a
// file loaded here writes that file and leaves the one opened before alone.
void TestFileTranslation::loadedFileTakesThePlaceOfTheOpenedOne()
{
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("a.txt"), Cp932::encode(u"えー\r\n")));
    QVERIFY(f.writeFile(QStringLiteral("b.txt"), Cp932::encode(u"びー\r\n")));
    QVERIFY(f.form->openFile(f.path(QStringLiteral("a.txt"))));
    f.open();
    translate(f, QStringLiteral("b.txt"));
    QVERIFY2(f.form->caption().endsWith(QStringLiteral("b.txt")), qPrintable(f.form->caption()));
    f.form->txtdpbox->moveCursor(QTextCursor::End);
    f.form->txtdpbox->insertPlainText(QStringLiteral("しー"));
    FileWindowFixture::action(*f.form, "mnuoverwrite")->trigger();
    QCOMPARE(FileWindowFixture::readFile(f.path(QStringLiteral("a.txt"))), Cp932::encode(u"えー\r\n"));
    QCOMPARE(FileWindowFixture::readFile(f.path(QStringLiteral("b.txt"))), Cp932::encode(u"びー\r\nしー"));
    QVERIFY(f.dialogs.shown.isEmpty());
}

QTEST_MAIN(TestFileTranslation)
#include "tst_filetranslation.moc"
