#include "platform/settings.h"
#include "fakeuserdialogs.h"
#include "kana/userdictionary.h"
#include "mainwindow/form1.h"
#include "mainwindow/userdictionarydialog.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// 翻訳 → 点訳かな変換 and 単語登録 in the main window.
class TestKanaConversion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void convertsUndoesAndConvertsASelection();
    void unknownWordsAreListed();
    void convertingAgainLeavesConvertedLinesAlone();
    void translationOffersTheConversion_data();
    void translationOffersTheConversion();
    void userDictionaryDialogEditsTheFile();
    void unusableDictionaryLinesAreToldOnce();
    void missingDictionaryIsChosenAndKept();

private:
    void trigger(const char *name) { form_->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }

    std::unique_ptr<FakeUserDialogs> dialogs_;
    std::unique_ptr<Form1> form_;
};

void TestKanaConversion::init()
{
    QFile::remove(UserDictionary::defaultPath());
    dialogs_ = std::make_unique<FakeUserDialogs>();
    form_ = std::make_unique<Form1>();
    form_->Form_Load();
}

void TestKanaConversion::cleanup()
{
    form_.reset();
    dialogs_.reset();
}

void TestKanaConversion::convertsUndoesAndConvertsASelection()
{
    QPlainTextEdit *editor = form_->txtdpbox;
    trigger("tenyakukana"); // an empty document: nothing to ask or do
    QVERIFY(dialogs_->shown.isEmpty());
    QVERIFY(!editor->document()->isUndoAvailable());

    const QString original = u"今日は良い天気です。\n東京へ行った。"_s;
    editor->setPlainText(original);
    trigger("tenyakukana");
    QCOMPARE(editor->toPlainText(), u"きょーわ よい てんきです。\nとーきょーえ いった。"_s);
    QVERIFY(dialogs_->shown.isEmpty());

    editor->undo();
    QCOMPARE(editor->toPlainText(), original);

    // Only the second line, selected.
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(int(original.indexOf(u'\n')) + 1);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    trigger("tenyakukana");
    QCOMPARE(editor->toPlainText(), u"今日は良い天気です。\nとーきょーえ いった。"_s);
    QCOMPARE(editor->textCursor().selectedText(), u"とーきょーえ いった。"_s);

    // Converting kana again is asked first; No leaves the text as it is.
    editor->setPlainText(u"きょうは いい てんき"_s);
    dialogs_->answers = {UserDialogs::Answer::No, UserDialogs::Answer::Yes};
    trigger("tenyakukana");
    QCOMPARE(editor->toPlainText(), u"きょうは いい てんき"_s);
    trigger("tenyakukana");
    QCOMPARE(editor->toPlainText(), u"きょーわ いい てんき"_s);
    QCOMPARE(dialogs_->kinds(), (QStringList{u"yesno"_s, u"yesno"_s}));
}

void TestKanaConversion::unknownWordsAreListed()
{
    form_->txtdpbox->setPlainText(u"龘が来た。"_s);
    trigger("tenyakukana");
    QCOMPARE(form_->txtdpbox->toPlainText(), u"龘が きた。"_s);
    QCOMPARE(dialogs_->kinds(), QStringList{u"inform"_s});
    QVERIFY(dialogs_->shown.first().text.contains(u"龘"_s));
}

void TestKanaConversion::convertingAgainLeavesConvertedLinesAlone()
{
    // The first line, as proofread, would be split anew (とーきょー え きの)
    // if it were converted again; only the line with kanji is.
    QPlainTextEdit *editor = form_->txtdpbox;
    const QString proofread = u"とーきょーえきの まえで まつ。"_s;
    editor->setPlainText(proofread + u"\n本を読む。\n"_s + proofread);
    trigger("tenyakukana");
    QCOMPARE(editor->toPlainText(), proofread + u"\nほんを よむ。\n"_s + proofread);
    QVERIFY(dialogs_->shown.isEmpty());
    editor->undo();
    QCOMPARE(editor->toPlainText(), proofread + u"\n本を読む。\n"_s + proofread);

    // So does 点字翻訳's offer.
    dialogs_->answers = {UserDialogs::Answer::Yes};
    trigger("tenhonyaku");
    QCOMPARE(editor->toPlainText(), proofread + u"\nほんを よむ。\n"_s + proofread);
}

void TestKanaConversion::translationOffersTheConversion_data()
{
    QTest::addColumn<UserDialogs::Answer>("answer");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("translated");
    QTest::newRow("yes converts, then translates") << UserDialogs::Answer::Yes << u"ほんを よむ。"_s << true;
    QTest::newRow("no translates as it is") << UserDialogs::Answer::No << u"本を読む。"_s << true;
    QTest::newRow("cancel does neither") << UserDialogs::Answer::Cancel << u"本を読む。"_s << false;
}

void TestKanaConversion::translationOffersTheConversion()
{
    QFETCH(UserDialogs::Answer, answer);
    QFETCH(QString, text);
    QFETCH(bool, translated);
    form_->txtdpbox->setPlainText(u"本を読む。"_s);
    dialogs_->answers = {answer};
    trigger("tenhonyaku");
    QCOMPARE(dialogs_->kinds().first(), u"yesnocancel"_s);
    QCOMPARE(form_->txtdpbox->toPlainText(), text);
    QCOMPARE(form_->List1->rowCount() > 0, translated);
    // What is translated is the text as the answer left it.
    if (translated)
        QCOMPARE(form_->document().translationModel()->translation().textRow(0).left(1), text.left(1));

    // Kana text is translated without a question.
    dialogs_->shown.clear();
    form_->txtdpbox->setPlainText(u"ほん"_s);
    trigger("tenhonyaku");
    QVERIFY(!dialogs_->kinds().contains(u"yesnocancel"_s));
    QCOMPARE(form_->List1->rowCount(), 2);
}

void TestKanaConversion::userDictionaryDialogEditsTheFile()
{
    const QString path = UserDictionary::defaultPath();
    QVERIFY(UserDictionary::save(path, {{u"長田"_s, u"おさだ"_s}}).ok());
    QFile file(path);
    QVERIFY(file.open(QIODevice::Append));
    file.write("broken\n");
    file.close();

    trigger("tangotouroku");
    auto *dialog = form_->findChild<UserDictionaryDialog *>();
    QVERIFY(dialog);
    QCOMPARE(dialogs_->kinds(), QStringList{u"warn"_s});
    QVERIFY(dialogs_->shown.first().text.contains(u"3 行目"_s));
    QCOMPARE(dialog->entries(), QList<UserDictionaryEntry>({{u"長田"_s, u"おさだ"_s}}));

    // A row with its kana missing keeps the dialog open.
    dialog->addEntry();
    dialog->table()->item(1, 0)->setText(u"金田"_s);
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialogs_->kinds().size(), 2);

    // A reading with kanji is refused where it is typed, and at 保存.
    dialog->table()->item(1, 1)->setText(u"金だ"_s);
    QCOMPARE(dialogs_->kinds().size(), 3);
    dialog->accept();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialogs_->kinds().size(), 4);

    dialog->table()->item(1, 1)->setText(u"かねだ"_s);
    dialog->table()->selectRow(0);
    dialog->deleteSelectedEntries();
    dialog->accept();
    QCOMPARE(UserDictionary::load(path).entries, QList<UserDictionaryEntry>({{u"金田"_s, u"かねだ"_s}}));
    QCOMPARE(dialogs_->kinds().size(), 4);
    // The line the dialog could not use is still in the file.
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("broken\n"));
    file.close();

    form_->txtdpbox->setPlainText(u"金田さん"_s);
    trigger("tenyakukana");
    QCOMPARE(form_->txtdpbox->toPlainText(), u"かねださん"_s);
}

void TestKanaConversion::unusableDictionaryLinesAreToldOnce()
{
    QFile file(UserDictionary::defaultPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(u"長田\t長だ\n森\tもり\n"_s.toUtf8());
    file.close();
    for (int run = 0; run < 2; ++run) {
        form_->txtdpbox->setPlainText(u"森さん"_s);
        trigger("tenyakukana");
        QCOMPARE(form_->txtdpbox->toPlainText(), u"もりさん"_s);
    }
    QCOMPARE(dialogs_->kinds(), QStringList{u"warn"_s});
    QVERIFY(dialogs_->shown.first().text.contains(u"1 行目"_s));
}

void TestKanaConversion::missingDictionaryIsChosenAndKept()
{
    qputenv("MIRABO_MECAB_DICDIR", "/nonexistent/dictionary");
    form_->txtdpbox->setPlainText(u"本を読む。"_s);
    // The first time the user declines; nothing changes.
    trigger("tenyakukana");
    QCOMPARE(form_->txtdpbox->toPlainText(), u"本を読む。"_s);
    QCOMPARE(dialogs_->shown.size(), 1);
    QVERIFY(dialogs_->shown[0].text.contains(u"/nonexistent/dictionary"_s));
    // Then points at the dictionary's sys.dic: the text is converted and
    // the folder kept.
    dialogs_->answers = {UserDialogs::Answer::Yes};
    dialogs_->openPaths = {u"/var/lib/mecab/dic/ipadic-utf8/sys.dic"_s};
    trigger("tenyakukana");
    qunsetenv("MIRABO_MECAB_DICDIR");
    QCOMPARE(form_->txtdpbox->toPlainText(), u"ほんを よむ。"_s);
    QCOMPARE(Settings::instance().value(u"kana/mecabDictionaryDir"_s).toString(), u"/var/lib/mecab/dic/ipadic-utf8"_s);
    Settings::instance().remove(u"kana/mecabDictionaryDir"_s);
}

QTEST_MAIN(TestKanaConversion)
#include "tst_kanaconversion.moc"
