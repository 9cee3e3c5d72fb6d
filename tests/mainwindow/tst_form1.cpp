#include "mainwindowfixture.h"
#include "mainwindow/form1.h"
#include "mainwindow/helpwindow.h"
#include "mainwindow/resizerule.h"
#include "platform/gui/clipboard.h"
#include "platform/gui/japanesefonts.h"
#include "platform/gui/printers.h"
#include "platform/gui/twips.h"
#include "tables/codetableloader.h"
#include "usermessages/usermessages.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolBar>
#include <QWindow>

Q_DECLARE_METATYPE(UserDialogs::Answer)

namespace {

using Answer = UserDialogs::Answer;

QAction *action(const Form1 &form, const QString &name)
{
    auto *found = form.findChild<QAction *>(name);
    if (!found)
        qFatal("no action %s", qPrintable(name));
    return found;
}

// The names of the actions of a menu, "-" for a separator.
QStringList actionNames(const QList<QAction *> &actions)
{
    QStringList names;
    for (const QAction *a : actions)
        names.append(a->isSeparator() ? QStringLiteral("-") : a->objectName());
    return names;
}

void select(QPlainTextEdit *edit, int start, int length)
{
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
}

// The text typed by the user: it counts as a change no save has written.
void type(Form1 &form, const QString &text)
{
    form.txtdpbox->setPlainText(QString());
    form.txtdpbox->insertPlainText(text);
}

bool editItemsEnabled(const Form1 &form)
{
    const QStringList names = {QStringLiteral("mnucut"), QStringLiteral("mnucopy"), QStringLiteral("mnufind"),
                               QStringLiteral("mnureplace")};
    const bool first = action(form, names.first())->isEnabled();
    for (const QString &name : names) {
        if (action(form, name)->isEnabled() != first)
            qFatal("edit items disagree at %s", qPrintable(name));
    }
    return first;
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUp();
    void missingCodeTableIsReported();
    void loaderWarningsAreShown();
    void menuBarOrder();
    void menuItems_data();
    void menuItems();
    void toolbarButtons_data();
    void toolbarButtons();
    void toolbarDispatchesByPosition_data();
    void toolbarDispatchesByPosition();
    void resizeRulePlacesControls();
    void longTextKeepsTheEditorWidth();
    void newDocument_data();
    void newDocument();
    void clearScreen_data();
    void clearScreen();
    void unsavedChanges();
    void closing_data();
    void closing();
    void quitAsksFirst_data();
    void quitAsksFirst();
    void cut();
    void cutKeepsWhatTheClipboardRefused_data();
    void cutKeepsWhatTheClipboardRefused();
    void cutOfWholeTextDisablesItems();
    void copy();
    void paste_data();
    void paste();
    void pasteWithoutTextChangesNothing();
    void menuStateFollowsText();
    void shortcutsReachTheEditCommands();
    void help();
    void missingHelpIsReported();

private:
    std::unique_ptr<MainWindowFixture> m_f;
    FakeUserDialogs *m_dialogs = nullptr;
    QTemporaryDir *m_dir = nullptr;
};

void TestForm1::init()
{
    m_f = std::make_unique<MainWindowFixture>();
    m_dialogs = &m_f->dialogs;
    m_dir = &m_f->dir;
}

void TestForm1::cleanup()
{
    m_f.reset();
}

void TestForm1::startUp()
{
    QVERIFY(!Form1().isVisible()); // until it is loaded
    Form1 &form = *m_f->form;
    QVERIFY(form.isVisible());
    // Exactly the caption: nothing added, no marker while nothing changed.
    QCOMPARE(form.windowHandle()->title(), QStringLiteral("Mirabo  Ver2.1      "));
    QCOMPARE(form.caption(), Form1::kCaption);
    QCOMPARE(m_dialogs->shown.size(), 0);

    // The shipped code table is in the engine state.
    QCOMPARE(form.document().codeTable().CodeKeys[19], QStringLiteral("あ"));
    QCOMPARE(form.document().codeTable().CodePatterns[19], QStringLiteral("⠁"));

    QCOMPARE(form.font().pointSizeF(), 16.0);
    QCOMPARE(form.font().family(), JapaneseFonts::gothic(16).family());
    QCOMPARE(form.txtdpbox->font(), form.font());
    QCOMPARE(form.List1->font(), form.font());
    QCOMPARE(form.centralWidget()->palette().color(QPalette::Window), QColor(192, 192, 255));

    QVERIFY(form.txtdpbox->toPlainText().isEmpty());
    QCOMPARE(form.List1->rowCount(), 0);
    QVERIFY(!editItemsEnabled(form));
    QVERIFY(!form.hasUnsavedChanges());
}

void TestForm1::missingCodeTableIsReported()
{
    Form1 &form = *m_f->form;
    const CodeTableLoad load = loadInstalledCodeTable(QStringLiteral("no-such-table.txt"));
    QVERIFY(!load.ok);
    form.applyCodeTable(load);
    QCOMPARE(m_dialogs->kinds(), QStringList{QStringLiteral("warn")});
    QCOMPARE(m_dialogs->shown.first().text, UserMessages::codeTableReport(load));
    QCOMPARE(load.error, CodeTableError::NotFound);
    for (int row = 1; row <= CodeTable::kRows; ++row)
        QVERIFY(form.document().codeTable().CodePatterns[row].isEmpty());
}

void TestForm1::loaderWarningsAreShown()
{
    // A quote left open on line 2, an empty numeral sign and far too few rows:
    // one message at start-up names them all, and the table is used.
    QString text = QStringLiteral("，,⠠\r\n\"あ,⠁\r\n");
    for (int row = 3; row <= 80; ++row)
        text += row == 68 ? QStringLiteral("[数符],\r\n") : QStringLiteral("x,⠿\r\n");
    CodeTableLoad load = parseCodeTable(text);
    load.path = QStringLiteral("/somewhere/gaiji.txt");
    Form1 &form = *m_f->form;
    form.applyCodeTable(load);
    QCOMPARE(m_dialogs->kinds(), QStringList{QStringLiteral("warn")});
    const QString shown = m_dialogs->shown.first().text;
    QVERIFY2(shown.contains(QStringLiteral("/somewhere/gaiji.txt")), qPrintable(shown));
    QList<int> lines;
    for (const CodeTableProblem &problem : load.problems) {
        lines.append(problem.line);
        QVERIFY2(shown.contains(UserMessages::codeTableProblemText(problem)), qPrintable(shown));
    }
    QCOMPARE(lines, (QList<int>{2, 68, 80}));
    QCOMPARE(form.document().codeTable().CodePatterns[1], QStringLiteral("⠠"));
    QCOMPARE(form.document().codeTable().CodeKeys[2], QStringLiteral("あ"));
}

void TestForm1::menuBarOrder()
{
    Form1 &form = *m_f->form;
    const QList<QAction *> bar = form.menuBar()->actions();
    QStringList captions;
    for (const QAction *entry : bar)
        captions.append(entry->text());
    QCOMPARE(captions, (QStringList{QStringLiteral("ファイル(&F)"), QStringLiteral("編集(&E)"),
                                    QStringLiteral("翻訳(&Y)"), QStringLiteral("画面消去(&C)"),
                                    QStringLiteral("ヘルプ（&Ｈ）"), QStringLiteral("表示(&V)"),
                                    QStringLiteral("書式(&M)")}));
    QVERIFY(!bar.at(3)->menu()); // clear screen is a command of the bar itself
    QCOMPARE(bar.at(3)->objectName(), QStringLiteral("syoukyo"));

    // Items added later stand after the original items, behind a separator.
    QCOMPARE(actionNames(bar.at(0)->menu()->actions()),
             (QStringList{"fileopen", "mnuclose", "mnusave", "-", "printl", "printsetting", "-", "owari", "-",
                          "pageSettings", "openBrailleFile", "exportBrailleFile", "printBraillePages", "-", "mnunew",
                          "mnuopen", "mnurecent", "mnuoverwrite", "-", "mnuimport", "-", "emboss"}));
    QCOMPARE(actionNames(bar.at(1)->menu()->actions()),
             (QStringList{"mnucut", "mnucopy", "mnupaste", "-", "mnufind", "mnureplace", "-", "mnuundo",
                          "mnuredo", "mnuselectall"}));
    // The kana conversion's items, the page view, 点字入力, the English grade and proofreading, each behind a
    // separator.
    QCOMPARE(actionNames(bar.at(2)->menu()->actions()),
             (QStringList{"tenhonyaku", "jikkoug", "-", "tenyakukana", "tangotouroku", "-", "showBraillePages", "-",
                          "tenjinyuryoku", "-", "englishgrade2", "-", "nextmark", "previousmark", "candidates",
                          "researchlist"}));
    QCOMPARE(actionNames(bar.at(4)->menu()->actions()), QStringList{"helpdisp"});
    // Reading aloud, then the braille display, each behind a separator.
    QCOMPARE(actionNames(bar.at(5)->menu()->actions()),
             (QStringList{"mnuzoomin", "mnuzoomout", "mnuzoomreset", "-", "mnuspeech", "mnuspeechsettings", "-",
                          "mnubrailledisplay", "mnubrailledisplaytyping"}));
}

void TestForm1::menuItems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<bool>("enabledAtStart");

    const auto ctrl = [](Qt::Key key) { return QKeySequence(Qt::CTRL | key); };
    QTest::newRow("fileopen") << "fileopen"
                              << "開く[ファイル画面](&O)" << QKeySequence() << true;
    QTest::newRow("mnuclose") << "mnuclose"
                              << "閉じる(&C)" << QKeySequence() << true;
    QTest::newRow("mnusave") << "mnusave"
                             << "名前を付けて保存(&A)" << QKeySequence() << true;
    QTest::newRow("printl") << "printl"
                            << "印刷(&P)" << QKeySequence() << true;
    QTest::newRow("printsetting") << "printsetting"
                                  << "プリンタの設定(&S)" << QKeySequence() << true;
    QTest::newRow("owari") << "owari"
                           << "終了(&O)" << QKeySequence() << true;
    QTest::newRow("mnucut") << "mnucut"
                            << "切り取り(&T)" << ctrl(Qt::Key_T) << false;
    QTest::newRow("mnucopy") << "mnucopy"
                             << "コピー(&C)" << ctrl(Qt::Key_C) << false;
    QTest::newRow("mnupaste") << "mnupaste"
                              << "貼り付け(&P)" << ctrl(Qt::Key_P) << true;
    QTest::newRow("mnufind") << "mnufind"
                             << "検索(&F)" << ctrl(Qt::Key_F) << false;
    QTest::newRow("mnureplace") << "mnureplace"
                                << "置換(&R)" << ctrl(Qt::Key_R) << false;
    QTest::newRow("tenhonyaku") << "tenhonyaku"
                                << "点字翻訳(&L)" << ctrl(Qt::Key_L) << true;
    QTest::newRow("jikkoug") << "jikkoug"
                             << "点字逆翻訳(&G)" << ctrl(Qt::Key_G) << true;
    QTest::newRow("syoukyo") << "syoukyo"
                             << "画面消去(&C)" << QKeySequence() << true;
    QTest::newRow("helpdisp") << "helpdisp"
                              << "ヘルプ表示" << QKeySequence() << true;
}

void TestForm1::menuItems()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(bool, enabledAtStart);
    Form1 &form = *m_f->form;
    const QAction *item = action(form, name);
    QCOMPARE(item->text(), caption);
    QCOMPARE(item->shortcut(), shortcut);
    QCOMPARE(item->isEnabled(), enabledAtStart);
}

void TestForm1::toolbarButtons_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("key"); // empty for a separator
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("1") << 1 << "新規作成"
                       << "[ファイル]-[新規作成]";
    QTest::newRow("2") << 2 << "開く"
                       << "[ファイル]-[開く]";
    QTest::newRow("3") << 3 << "上書き保存"
                       << "[ファイル]-[上書き保存]";
    QTest::newRow("4") << 4 << ""
                       << "";
    QTest::newRow("5") << 5 << "印刷"
                       << "[ファイル]-[印刷]";
    QTest::newRow("6") << 6 << ""
                       << "";
    QTest::newRow("7") << 7 << "切り取り"
                       << "[編集]-[切り取り]";
    QTest::newRow("8") << 8 << "コピー"
                       << "[編集]-[コピー]";
    QTest::newRow("9") << 9 << "貼り付け"
                       << "[編集]-[貼り付け]";
    QTest::newRow("10") << 10 << ""
                        << "";
    QTest::newRow("11") << 11 << "検索"
                        << "[編集]-[検索]";
}

void TestForm1::toolbarButtons()
{
    QFETCH(int, position);
    QFETCH(QString, key);
    QFETCH(QString, toolTip);
    Form1 &form = *m_f->form;
    const QList<QAction *> buttons = form.Toolbar1->actions();
    QCOMPARE(buttons.size(), Form1::kToolbarPositions);
    const QAction *button = buttons.at(position - 1);
    QCOMPARE(button->isSeparator(), key.isEmpty());
    if (key.isEmpty())
        return;
    QCOMPARE(button->text(), key);
    QCOMPARE(button->toolTip(), toolTip);
    QCOMPARE(button->data().toInt(), position);
    QVERIFY(!button->icon().isNull());
    QVERIFY(!button->icon().pixmap(16, 16).isNull());
    // The empty document greys menu items only.
    QVERIFY(button->isEnabled());
}

void TestForm1::toolbarDispatchesByPosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("clipboard");

    // The document is "あいう" with "い" selected; the clipboard holds "clip".
    const QList<Answer> none;
    const QStringList quiet;
    QTest::newRow("1 new document") << 1 << QList<Answer>{Answer::No} << QStringList{"yesno"} << ""
                                    << "clip";
    QTest::newRow("2 file window") << 2 << none << quiet << "あいう"
                                   << "clip";
    QTest::newRow("3 save as") << 3 << none << QStringList{"save"} << "あいう"
                               << "clip";
    QTest::newRow("4 separator") << 4 << none << quiet << "あいう"
                                 << "clip";
    // Without a printer, printing offers a PDF file instead (declined here).
    QTest::newRow("5 print") << 5 << none << QStringList{"yesno"} << "あいう"
                             << "clip";
    QTest::newRow("6 separator") << 6 << none << quiet << "あいう"
                                 << "clip";
    QTest::newRow("7 cut") << 7 << none << quiet << "あう"
                           << "い";
    QTest::newRow("8 copy") << 8 << none << quiet << "あいう"
                            << "い";
    QTest::newRow("9 paste") << 9 << none << quiet << "あclipう"
                             << "clip";
    QTest::newRow("10 separator") << 10 << none << quiet << "あいう"
                                  << "clip";
    QTest::newRow("11 find") << 11 << none << quiet << "あいう"
                             << "clip";
}

void TestForm1::toolbarDispatchesByPosition()
{
    QFETCH(int, position);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, text);
    QFETCH(QString, clipboard);

    for (const bool byClick : {false, true}) {
        Form1 &form = *m_f->form;
        form.txtdpbox->setPlainText(QStringLiteral("あいう"));
        select(form.txtdpbox, 1, 1);
        Clipboard::setText(QStringLiteral("clip"));
        m_dialogs->shown.clear();
        m_dialogs->answers = answers;
        if (byClick)
            form.Toolbar1->actions().at(position - 1)->trigger();
        else
            form.Toolbar1_ButtonClick(position);
        QCOMPARE(m_dialogs->kinds(), dialogs);
        QCOMPARE(form.txtdpbox->toPlainText(), text);
        QCOMPARE(Clipboard::text(), clipboard);
    }
}

void TestForm1::resizeRulePlacesControls()
{
    Form1 &form = *m_f->form;
    for (const QSize &size : {QSize(640, 480), QSize(900, 700), QSize(500, 600)}) {
        form.resize(size);
        QCOMPARE(form.size(), size);
        const QSize outer = form.frameGeometry().size();
        const ResizeRule rule = ResizeRule::compute(float(Twips::fromPixels(outer.width(), &form)),
                                                    float(Twips::fromPixels(outer.height(), &form)));
        auto px = [&form](float twips) { return Twips::toPixels(twips, &form); };
        QCOMPARE(form.txtdpbox->geometry(),
                 QRect(px(240), px(600), px(*rule.textWidth), px(*rule.textHeight)));
        // The list ends at the bottom of the client area at the latest.
        QRect list(px(240), px(*rule.listTop), px(*rule.listWidth), px(*rule.listHeight));
        list.setBottom(std::min(list.bottom(), form.centralWidget()->height() - 1));
        QCOMPARE(form.List1->geometry(), list);
        // Nothing overlaps the toolbar, and the list stays below the editor.
        QVERIFY(form.Toolbar1->geometry().bottom() < form.txtdpbox->geometry().top());
        QVERIFY(form.txtdpbox->geometry().bottom() < form.List1->geometry().top());
        QCOMPARE(form.Toolbar1->width(), form.centralWidget()->width());
    }
}

void TestForm1::longTextKeepsTheEditorWidth()
{
    // A text that grows past the editor must not narrow its text area: at
    // each change of that width the editor keeps a layout for every line.
    Form1 &form = *m_f->form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.txtdpbox->setPlainText(QStringLiteral("あ"));
    QApplication::processEvents();
    const int width = form.txtdpbox->viewport()->width();
    form.txtdpbox->setPlainText(QStringLiteral("あ\n").repeated(500));
    QApplication::processEvents();
    QVERIFY(form.txtdpbox->verticalScrollBar()->maximum() > 0);
    QCOMPARE(form.txtdpbox->viewport()->width(), width);
    form.txtdpbox->setPlainText(QString());
    QApplication::processEvents();
    QCOMPARE(form.txtdpbox->viewport()->width(), width);
}

void TestForm1::newDocument_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("savePath"); // "" cancels the Save As dialog
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<QStringList>("dialogs");
    QTest::newRow("no clears without saving") << Answer::No << "" << true << QStringList{"yesno"};
    QTest::newRow("yes saves, then clears")
        << Answer::Yes << "saved.txt" << true << QStringList{"yesno", "save"};
    QTest::newRow("yes, save cancelled: kept") << Answer::Yes << "" << false << QStringList{"yesno", "save"};
    QTest::newRow("yes, save failed: kept")
        << Answer::Yes << "missing/dir/a.txt" << false << QStringList{"yesno", "save", "warn"};
}

void TestForm1::newDocument()
{
    QFETCH(Answer, answer);
    QFETCH(QString, savePath);
    QFETCH(bool, cleared);
    QFETCH(QStringList, dialogs);

    Form1 &form = *m_f->form;
    type(form, QStringLiteral("かな"));
    action(form, QStringLiteral("tenhonyaku"))->trigger();
    m_dialogs->answers = {answer};
    if (!savePath.isEmpty())
        m_dialogs->savePaths = {m_dir->filePath(savePath)};

    form.Toolbar1_ButtonClick(1);

    QCOMPARE(m_dialogs->kinds(), dialogs);
    QCOMPARE(m_dialogs->shown.first().title, QStringLiteral("新規作成"));
    QCOMPARE(m_dialogs->shown.first().text, QStringLiteral("保存しますか？"));
    QCOMPARE(form.txtdpbox->toPlainText(), cleared ? QString() : QStringLiteral("かな"));
    QCOMPARE(form.List1->rowCount(), cleared ? 0 : 2);
    QCOMPARE(form.hasUnsavedChanges(), !cleared);
    QCOMPARE(editItemsEnabled(form), !cleared);
    const bool saved = cleared && answer == Answer::Yes;
    // The caption shows the saved file, and a new document leaves it so.
    QCOMPARE(form.caption(), saved ? m_dir->filePath(savePath) : Form1::kCaption);
    if (saved)
        QVERIFY(QFile::exists(m_dir->filePath(savePath)));
    // A No given by mistake costs nothing: 元に戻す brings the text back.
    if (cleared) {
        action(form, QStringLiteral("mnuundo"))->trigger();
        QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("かな"));
    }
}

void TestForm1::clearScreen_data()
{
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("cleared");
    QTest::newRow("yes") << Answer::Yes << true;
    QTest::newRow("no") << Answer::No << false;
}

void TestForm1::clearScreen()
{
    QFETCH(Answer, answer);
    QFETCH(bool, cleared);
    Form1 &form = *m_f->form;
    type(form, QStringLiteral("あ"));
    action(form, QStringLiteral("tenhonyaku"))->trigger();
    m_dialogs->answers = {answer};
    action(form, QStringLiteral("syoukyo"))->trigger();
    QCOMPARE(m_dialogs->kinds(), QStringList{QStringLiteral("yesno")});
    QCOMPARE(m_dialogs->shown.first().title, QStringLiteral("画面消去"));
    QCOMPARE(m_dialogs->shown.first().text, QStringLiteral("消去しますか?"));
    QCOMPARE(form.txtdpbox->toPlainText().isEmpty(), cleared);
    QCOMPARE(form.List1->rowCount(), cleared ? 0 : 2);
    QCOMPARE(editItemsEnabled(form), !cleared);
    if (cleared) {
        action(form, QStringLiteral("mnuundo"))->trigger();
        QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("あ"));
    }
}

void TestForm1::unsavedChanges()
{
    Form1 &form = *m_f->form;
    QVERIFY(!form.hasUnsavedChanges());
    type(form, QStringLiteral("あ"));
    QVERIFY(form.hasUnsavedChanges());
    // Text put in by the program (a file loaded into the editor) is not a change.
    form.txtdpbox->setPlainText(QStringLiteral("ファイル"));
    QVERIFY(!form.hasUnsavedChanges());
    // Nothing is lost when the user has deleted everything.
    form.txtdpbox->selectAll();
    QTest::keyClick(form.txtdpbox, Qt::Key_Delete);
    QVERIFY(form.txtdpbox->document()->isModified());
    QVERIFY(!form.hasUnsavedChanges());
    type(form, QStringLiteral("い"));
    QVERIFY(form.WriteTextFile(m_dir->filePath(QStringLiteral("u.txt"))));
    QVERIFY(!form.hasUnsavedChanges());
}

void TestForm1::closing_data()
{
    QTest::addColumn<QString>("how"); // "close box" or "mnuclose"
    QTest::addColumn<bool>("changed");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("savePath");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("dialogs");

    for (const QString &how : {QStringLiteral("close box"), QStringLiteral("mnuclose")}) {
        const QByteArray h = how.toUtf8();
        QTest::addRow("%s, unchanged: closes without a word", h.data())
            << how << false << Answer::Cancel << "" << true << QStringList();
        QTest::addRow("%s, changed, cancel: stays", h.data())
            << how << true << Answer::Cancel << "" << false << QStringList{"yesnocancel"};
        QTest::addRow("%s, changed, no: closes", h.data())
            << how << true << Answer::No << "" << true << QStringList{"yesnocancel"};
        QTest::addRow("%s, changed, yes and saved: closes", h.data())
            << how << true << Answer::Yes << "kept.txt" << true << QStringList{"yesnocancel", "save"};
        QTest::addRow("%s, changed, yes, save cancelled: stays", h.data())
            << how << true << Answer::Yes << "" << false << QStringList{"yesnocancel", "save"};
        QTest::addRow("%s, changed, yes, save failed: stays", h.data())
            << how << true << Answer::Yes << "no/dir/x.txt" << false
            << QStringList{"yesnocancel", "save", "warn"};
    }
}

void TestForm1::closing()
{
    QFETCH(QString, how);
    QFETCH(bool, changed);
    QFETCH(Answer, answer);
    QFETCH(QString, savePath);
    QFETCH(bool, closed);
    QFETCH(QStringList, dialogs);

    Form1 &form = *m_f->form;
    if (changed)
        type(form, QStringLiteral("だいじ"));
    m_dialogs->answers = {answer};
    if (!savePath.isEmpty())
        m_dialogs->savePaths = {m_dir->filePath(savePath)};

    if (how == QStringLiteral("mnuclose"))
        action(form, QStringLiteral("mnuclose"))->trigger();
    else
        form.close();

    QCOMPARE(m_dialogs->kinds(), dialogs);
    if (changed)
        QCOMPARE(m_dialogs->shown.first().text, QStringLiteral("保存しますか？"));
    QCOMPARE(form.isVisible(), !closed);
    QCOMPARE(form.txtdpbox->toPlainText(), changed ? QStringLiteral("だいじ") : QString());
    if (closed && answer == Answer::Yes)
        QVERIFY(QFile::exists(m_dir->filePath(savePath)));
}

void TestForm1::quitAsksFirst_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QStringList>("dialogs");
    QTest::newRow("no") << false << QList<Answer>{Answer::No} << false << QStringList{"yesno"};
    QTest::newRow("yes, unchanged") << false << QList<Answer>{Answer::Yes} << true << QStringList{"yesno"};
    // With unsaved changes the one question is whether to save them.
    QTest::newRow("changed, cancel") << true << QList<Answer>{Answer::Cancel} << false
                                     << QStringList{"yesnocancel"};
    QTest::newRow("changed, no") << true << QList<Answer>{Answer::No} << true << QStringList{"yesnocancel"};
    QTest::newRow("changed, yes, save cancelled")
        << true << QList<Answer>{Answer::Yes} << false << QStringList{"yesnocancel", "save"};
}

void TestForm1::quitAsksFirst()
{
    QFETCH(bool, changed);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, closed);
    QFETCH(QStringList, dialogs);
    Form1 &form = *m_f->form;
    if (changed)
        type(form, QStringLiteral("あ"));
    m_dialogs->answers = answers;
    action(form, QStringLiteral("owari"))->trigger();
    QCOMPARE(m_dialogs->kinds(), dialogs);
    QCOMPARE(m_dialogs->shown.first().title, QStringLiteral("終了"));
    QCOMPARE(m_dialogs->shown.first().text,
             changed ? QStringLiteral("保存しますか？") : QStringLiteral("プログラムを終了しますか？"));
    QCOMPARE(form.isVisible(), !closed);
}

void TestForm1::cut()
{
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あい\nうえ"));
    form.EditCut(); // nothing selected
    QCOMPARE(Clipboard::text(), QStringLiteral("clip"));
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("あい\nうえ"));

    select(form.txtdpbox, 1, 3); // across the line end
    form.EditCut();
    QCOMPARE(Clipboard::text(), QStringLiteral("い\nう"));
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("あえ"));
    QCOMPARE(form.txtdpbox->textCursor().position(), 1);
    QVERIFY(!form.txtdpbox->textCursor().hasSelection());

    select(form.txtdpbox, 0, 1);
    action(form, QStringLiteral("mnucut"))->trigger();
    QCOMPARE(Clipboard::text(), QStringLiteral("あ"));
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("え"));
}

void TestForm1::cutKeepsWhatTheClipboardRefused_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("text");
    QTest::newRow("clipboard took the text: it is cut") << false << QStringLiteral("あう");
    QTest::newRow("clipboard refused the text: it stays") << true << QStringLiteral("あいう");
}

void TestForm1::cutKeepsWhatTheClipboardRefused()
{
    QFETCH(bool, refused);
    QFETCH(QString, text);
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あいう"));
    select(form.txtdpbox, 1, 1);
    if (refused)
        Clipboard::setTextWriterForTesting([](const QString &) { return false; });
    form.EditCut();
    Clipboard::setTextWriterForTesting(nullptr);
    QCOMPARE(form.txtdpbox->toPlainText(), text);
}

void TestForm1::cutOfWholeTextDisablesItems()
{
    Form1 &form = *m_f->form;
    type(form, QStringLiteral("かな"));
    QVERIFY(editItemsEnabled(form));
    form.txtdpbox->selectAll();
    form.EditCut();
    QVERIFY(form.txtdpbox->toPlainText().isEmpty());
    QVERIFY(!editItemsEnabled(form));
    QCOMPARE(Clipboard::text(), QStringLiteral("かな"));
}

void TestForm1::copy()
{
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("てんじ"));
    form.EditCopy();
    QCOMPARE(Clipboard::text(), QStringLiteral("clip"));

    select(form.txtdpbox, 1, 2);
    form.EditCopy();
    QCOMPARE(Clipboard::text(), QStringLiteral("んじ"));
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("てんじ"));
    QCOMPARE(form.txtdpbox->textCursor().selectedText(), QStringLiteral("んじ"));

    select(form.txtdpbox, 0, 1);
    action(form, QStringLiteral("mnucopy"))->trigger();
    QCOMPARE(Clipboard::text(), QStringLiteral("て"));
}

void TestForm1::paste_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::newRow("at the caret") << "か" << 1 << 0 << "あかい" << 2;
    QTest::newRow("over the selection") << "かき" << 0 << 2 << "かき" << 2;
    QTest::newRow("CR LF becomes one line end") << "a\r\nb" << 2 << 0 << "あいa\nb" << 5;
    QTest::newRow("lone CR becomes a line end") << "a\rb" << 0 << 0 << "a\nbあい" << 3;
}

void TestForm1::paste()
{
    QFETCH(QString, clipboard);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, text);
    QFETCH(int, caret);
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あい"));
    select(form.txtdpbox, start, length);
    Clipboard::setText(clipboard);
    action(form, QStringLiteral("mnupaste"))->trigger();
    QCOMPARE(form.txtdpbox->toPlainText(), text);
    QCOMPARE(form.txtdpbox->textCursor().position(), caret);
    QVERIFY(!form.txtdpbox->textCursor().hasSelection());
}

void TestForm1::pasteWithoutTextChangesNothing()
{
    Form1 &form = *m_f->form;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QGuiApplication::clipboard()->setImage(picture);
    form.EditPaste();
    QVERIFY(form.txtdpbox->toPlainText().isEmpty());
    QVERIFY(!editItemsEnabled(form));

    QGuiApplication::clipboard()->clear();
    form.txtdpbox->setPlainText(QStringLiteral("あ"));
    form.EditPaste();
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("あ"));
}

void TestForm1::menuStateFollowsText()
{
    Form1 &form = *m_f->form;
    form.show();
    QVERIFY(!editItemsEnabled(form));
    QTest::keyClicks(form.txtdpbox, QStringLiteral("a"));
    QVERIFY(editItemsEnabled(form));
    // Only the document counts, not the selection.
    QVERIFY(!form.txtdpbox->textCursor().hasSelection());
    QTest::keyClick(form.txtdpbox, Qt::Key_Backspace);
    QVERIFY(!editItemsEnabled(form));

    Clipboard::setText(QStringLiteral("はる"));
    form.EditPaste();
    QVERIFY(editItemsEnabled(form));
    form.txtdpbox->setPlainText(QString());
    QVERIFY(!editItemsEnabled(form));
    form.txtdpbox->setPlainText(QStringLiteral("\n"));
    QVERIFY(editItemsEnabled(form));
    QVERIFY(action(form, QStringLiteral("mnupaste"))->isEnabled());
}

void TestForm1::shortcutsReachTheEditCommands()
{
    Form1 &form = *m_f->form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.txtdpbox->setFocus();
    form.txtdpbox->setPlainText(QStringLiteral("あいう"));
    select(form.txtdpbox, 0, 1);
    QTest::keyClick(form.txtdpbox, Qt::Key_T, Qt::ControlModifier);
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("いう"));
    QCOMPARE(Clipboard::text(), QStringLiteral("あ"));
    QTest::keyClick(form.txtdpbox, Qt::Key_End);
    QTest::keyClick(form.txtdpbox, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(form.txtdpbox->toPlainText(), QStringLiteral("いうあ"));

    // In the list, Ctrl+C copies the selected entry instead.
    form.txtdpbox->setPlainText(QStringLiteral("い　う"));
    action(form, QStringLiteral("tenhonyaku"))->trigger();
    form.List1->setFocus();
    select(form.txtdpbox, 0, 1);
    form.List1->clearSelection();
    form.List1->selectionModel()->select(form.List1->model()->index(1, 0), QItemSelectionModel::Select);
    QTest::keyClick(form.List1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(Clipboard::text(), QStringLiteral("⠃⠀⠉") + QStringLiteral("　").repeated(27));
}

void TestForm1::help()
{
    Form1 &form = *m_f->form;
    action(form, QStringLiteral("helpdisp"))->trigger();
    QCOMPARE(m_dialogs->shown.size(), 0);
    auto *window = form.findChild<HelpWindow *>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    const QString text = window->browser()->toPlainText();
    for (const QString &topic :
         {QStringLiteral("点字翻訳"), QStringLiteral("数符"), QStringLiteral("つなぎ符"),
          QStringLiteral("大文字符"), QStringLiteral("拗音"), QStringLiteral("濁音"),
          QStringLiteral("カタカナ"), QStringLiteral("印刷"), QStringLiteral("保存")})
        QVERIFY2(text.contains(topic), qPrintable(topic));

    // Every command of the menus is explained, by its caption, and so is
    // every command of mirabo-cli.
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)|&|…|\\.\\.\\."));
    for (QAction *menu : form.menuBar()->actions()) {
        // 画面消去 stands on the bar itself.
        for (const QAction *item : menu->menu() ? menu->menu()->actions() : QList<QAction *>{menu}) {
            QString caption = item->text().remove(accelerator).trimmed();
            caption.replace(u'[', u'［').replace(u']', u'］');
            if (!item->isSeparator())
                QVERIFY2(text.contains(caption), qPrintable(caption));
        }
    }
    for (const char *command : {"kana", "back", "export", "import", "lookup", "braille", "check-table"})
        QVERIFY2(text.contains(QStringLiteral("mirabo-cli %1").arg(QLatin1String(command))), command);

    // A second request reuses the window.
    action(form, QStringLiteral("helpdisp"))->trigger();
    QCOMPARE(form.findChildren<HelpWindow *>().size(), 1);
}

void TestForm1::missingHelpIsReported()
{
    Form1 &form = *m_f->form;
    QVERIFY(!HelpWindow::showFor(&form, QStringLiteral("no-such-help.html")));
    QCOMPARE(m_dialogs->kinds(), QStringList{QStringLiteral("warn")});
    QVERIFY(m_dialogs->shown.first().text.contains(QStringLiteral("no-such-help.html")));
    QVERIFY(!form.findChild<HelpWindow *>());
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
