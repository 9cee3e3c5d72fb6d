#include "lookupwindow/tenkensakuf.h"
#include "mainwindow/helpwindow.h"
#include "mainwindowfixture.h"
#include "filewindow/dirlist.h"
#include "filewindow/form2.h"

#include <QAccessible>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QToolTip>
#include <QWindow>

// What the main window adds to make it an ordinary desktop editor: the
// modified marker, undo and redo, zoom, the status bar, the list and the
// editor following each other, settings kept between runs, a usable least
// size, centred secondary windows and accessible names.
class TestMainWindowDesktop : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_f = std::make_unique<MainWindowFixture>(); }
    void cleanup() { m_f.reset(); }

    void modifiedMarker();
    void undoRedoAndSelectAll();
    void keysReachHelpAndNewDocument();
    void zoom();
    void settingsAreKeptBetweenRuns();
    void statusBarShowsTheCaretLine_data();
    void statusBarShowsTheCaretLine();
    void listAndEditorFollowEachOther();
    void warningEntryStandsOut();
    void leastSizeKeepsControlsUsable();
    void secondaryWindowsOpenCentred_data();
    void secondaryWindowsOpenCentred();
    void accessibleNames();
    void everyMenuCommandHasAKey();
    void loadAndSaveKeepTheBytes_data();
    void loadAndSaveKeepTheBytes();
    void editedFileKeepsItsFormat();
    void saveWithoutAFileAsksForOne();
    void openOffersToSaveChanges();
    void recentFiles();

private:
    Form1 &form() const { return *m_f->form; }
    void activate() const
    {
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
    }

    bool writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(m_f->path(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    static QByteArray readFile(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    std::unique_ptr<MainWindowFixture> m_f;
};

void TestMainWindowDesktop::modifiedMarker()
{
    QVERIFY(!form().isWindowModified());
    m_f->type(QStringLiteral("あ"));
    QVERIFY(form().isWindowModified());
    QCOMPARE(form().windowHandle()->title(), Form1::kCaption + QStringLiteral("*"));
    m_f->dialogs.savePaths = {m_f->path(QStringLiteral("m.txt"))};
    QVERIFY(form().SaveTextAs());
    QVERIFY(!form().isWindowModified());
    QCOMPARE(form().windowHandle()->title(), m_f->path(QStringLiteral("m.txt")));
}

void TestMainWindowDesktop::undoRedoAndSelectAll()
{
    QAction *undo = m_f->action(QStringLiteral("mnuundo"));
    QAction *redo = m_f->action(QStringLiteral("mnuredo"));
    QCOMPARE(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    QCOMPARE(m_f->action(QStringLiteral("mnuselectall"))->shortcut(), QKeySequence(QKeySequence::SelectAll));
    QVERIFY(!undo->isEnabled());
    m_f->type(QStringLiteral("あい"));
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    undo->trigger();
    QCOMPARE(form().txtdpbox->toPlainText(), QString());
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(form().txtdpbox->toPlainText(), QStringLiteral("あい"));
    m_f->action(QStringLiteral("mnuselectall"))->trigger();
    QCOMPARE(form().txtdpbox->textCursor().selectedText(), QStringLiteral("あい"));
}

void TestMainWindowDesktop::keysReachHelpAndNewDocument()
{
    activate();
    QTest::keyClick(form().txtdpbox, Qt::Key_F1);
    auto *help = form().findChild<HelpWindow *>();
    QVERIFY(help && help->isVisible());

    activate();
    m_f->type(QStringLiteral("あ"));
    m_f->dialogs.answers = {UserDialogs::Answer::No};
    QTest::keyClick(form().txtdpbox, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(m_f->dialogs.kinds(), QStringList{QStringLiteral("yesno")});
    QCOMPARE(form().txtdpbox->toPlainText(), QString());
}

void TestMainWindowDesktop::zoom()
{
    activate();
    const qreal base = form().font().pointSizeF();
    // The editor and the list zoom together.
    const auto shown = [this] {
        const qreal editor = form().txtdpbox->font().pointSizeF();
        return form().List1->font().pointSizeF() == editor ? editor : -1.0;
    };
    QCOMPARE(shown(), base);
    QTest::keyClick(form().txtdpbox, Qt::Key_Plus, Qt::ControlModifier);
    QTest::keyClick(form().txtdpbox, Qt::Key_Equal, Qt::ControlModifier);
    QVERIFY(shown() > base * 1.2);
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(form().txtdpbox, Qt::Key_Minus, Qt::ControlModifier);
    // Never so small that nothing can be read.
    QVERIFY(shown() >= base / 2);
    QVERIFY(shown() < base);
    QTest::keyClick(form().txtdpbox, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(shown(), base);
    // The window's font is the base of the zoom.
    form().setZoomPercent(200);
    QFont smaller = form().font();
    smaller.setPointSizeF(10);
    form().setFont(smaller);
    QCOMPARE(shown(), 20.0);
}

void TestMainWindowDesktop::settingsAreKeptBetweenRuns()
{
    form().setZoomPercent(150);
    form().resize(700, 520);
    QVERIFY(form().close());
    Form1 next;
    next.Form_Load();
    QCOMPARE(next.zoomPercent(), 150);
    QCOMPARE(next.size(), QSize(700, 520));
}

void TestMainWindowDesktop::statusBarShowsTheCaretLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("length");
    QTest::addColumn<bool>("tooLong");
    const QString a30 = QStringLiteral("あ").repeated(30);
    QTest::newRow("empty") << "" << 0 << "1 行、1 列"
                           << "0 文字" << false;
    QTest::newRow("second line") << "あい\nうえお" << 5 << "2 行、3 列"
                                 << "3 文字" << false;
    QTest::newRow("30 fit") << a30 << 30 << "1 行、31 列"
                            << "30 文字" << false;
    QTest::newRow("31 do not") << a30 + "い" << 0 << "1 行、1 列"
                               << "31 文字" << true;
    QTest::newRow("outside the BMP, one each") << "😀あ" << 3 << "1 行、3 列"
                                               << "2 文字" << false;
}

void TestMainWindowDesktop::statusBarShowsTheCaretLine()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, position);
    QFETCH(QString, length);
    QFETCH(bool, tooLong);
    form().txtdpbox->setPlainText(text);
    m_f->select(caret, 0);
    QVERIFY(form().statusBar()->isVisible());
    QCOMPARE(form().lblposition->text(), position);
    QCOMPARE(form().lbllinelength->text(), length);
    QCOMPARE(form().lbllinelength->palette().color(QPalette::WindowText) == QColor(Qt::red), tooLong);
}

void TestMainWindowDesktop::listAndEditorFollowEachOther()
{
    // Line 1 is too long: its warning comes first, then its two rows.
    m_f->translate(QStringLiteral("あ").repeated(31) + QStringLiteral("\nい\nう"));
    BrailleListView *list = form().List1;
    QCOMPARE(list->rowCount(), 7);
    QCOMPARE(list->rowsOfLine(1), std::make_pair(0, 3));
    QCOMPARE(list->rowsOfLine(3), std::make_pair(5, 2));
    QCOMPARE(list->rowsOfLine(4).second, 0);

    // A click on the braille row of line 2 selects that line in the editor.
    const QRect row = list->visualRect(list->model()->index(4, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(form().txtdpbox->textCursor().selectedText(), QStringLiteral("い"));

    // The caret's line shows its rows in the list.
    m_f->select(form().txtdpbox->toPlainText().size(), 0);
    QList<int> selected;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        selected.append(index.row());
    std::sort(selected.begin(), selected.end());
    QCOMPARE(selected, (QList<int>{5, 6}));
    m_f->select(0, 0);
    QCOMPARE(list->selectionModel()->selectedRows().size(), 3);
}

void TestMainWindowDesktop::warningEntryStandsOut()
{
    m_f->translate(QStringLiteral("い\n") + QStringLiteral("あ").repeated(31));
    BrailleListView *list = form().List1;
    QCOMPARE(list->model()->index(2, 0).data(TranslationModel::RowKindRole).toInt(),
             int(TranslationModel::RowKind::Warning));
    list->clearSelection();
    list->resize(list->width(), 400);
    QApplication::processEvents(); // the list lays out its entries later
    const QImage image = list->viewport()->grab().toImage();
    const auto reddish = [&image](const QRect &rect) {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QColor c = image.pixelColor(x * image.width() / image.deviceIndependentSize().width(),
                                                  y * image.height() / image.deviceIndependentSize().height());
                count += c.red() > 140 && c.green() < 100 && c.blue() < 100;
            }
        }
        return count;
    };
    QVERIFY(reddish(list->visualRect(list->model()->index(2, 0))) > 0);
    QCOMPARE(reddish(list->visualRect(list->model()->index(0, 0))), 0);

    // Its tool tip names the line.
    const QPoint at = list->visualRect(list->model()->index(2, 0)).center();
    QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &help);
    QVERIFY2(QToolTip::text().startsWith(QStringLiteral("2 行目")), qPrintable(QToolTip::text()));
    QToolTip::hideText();
}

void TestMainWindowDesktop::leastSizeKeepsControlsUsable()
{
    form().resize(200, 120);
    QVERIFY(form().width() >= form().menuBar()->sizeHint().width());
    QVERIFY(form().Toolbar1->width() >= form().Toolbar1->sizeHint().width());
    const int lines = 2 * form().txtdpbox->fontMetrics().lineSpacing();
    QVERIFY(form().txtdpbox->height() >= lines);
    QVERIFY(form().List1->height() >= lines);
    // The list stays inside the client area, above the status bar.
    QVERIFY(form().List1->geometry().bottom() < form().centralWidget()->height());
}

void TestMainWindowDesktop::secondaryWindowsOpenCentred_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("file window") << "fileopen";
    QTest::newRow("look-up window") << "jikkoug";
    QTest::newRow("help") << "helpdisp";
}

void TestMainWindowDesktop::secondaryWindowsOpenCentred()
{
    QFETCH(QString, command);
    const QRect screen = form().screen()->availableGeometry();
    form().resize(620, 460);
    form().move(screen.center() - QPoint(310, 230));
    m_f->action(command)->trigger();
    QWidget *window = QApplication::activeWindow();
    for (QWidget *candidate : QApplication::topLevelWidgets()) {
        if (candidate != &form() && candidate->isVisible() &&
            (qobject_cast<Form2 *>(candidate) || qobject_cast<tenkensakuf *>(candidate) ||
             qobject_cast<HelpWindow *>(candidate)))
            window = candidate;
    }
    QVERIFY(window && window != &form());
    QPointer<QWidget> opened = window;
    const QRect frame = window->frameGeometry();
    QVERIFY(screen.contains(frame) || frame.height() > screen.height());
    QVERIFY(qAbs(frame.center().x() - form().frameGeometry().center().x()) <= 2);
    if (frame.height() < screen.height() - 2 * qAbs(form().frameGeometry().center().y() - screen.center().y()))
        QVERIFY(qAbs(frame.center().y() - form().frameGeometry().center().y()) <= 2);
    if (qobject_cast<tenkensakuf *>(window))
        delete opened.data();
}

void TestMainWindowDesktop::accessibleNames()
{
    m_f->translate(QStringLiteral("あ"));
    // Every control that takes the focus, in every window.
    for (const char *command : {"fileopen", "mnufind", "mnureplace", "jikkoug"})
        m_f->action(QString::fromLatin1(command))->trigger();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(window) || widget->focusPolicy() == Qt::NoFocus)
                continue;
            QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(accessible);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(window->objectName() + u'/' + widget->objectName()));
        }
    }
    delete form().findChild<Form2 *>();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (qobject_cast<tenkensakuf *>(window))
            delete window;
    }
    // The list's entries are read as the text they hold, braille as braille,
    // without the blanks that fill a short row.
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(form().List1);
    QStringList read;
    for (int i = 0; i < list->childCount(); ++i)
        read.append(list->child(i)->text(QAccessible::Name));
    QStringList shown = m_f->listEntries();
    for (QString &entry : shown) {
        while (entry.endsWith(u'　'))
            entry.chop(1);
    }
    QCOMPARE(read, shown);
    QVERIFY(read.at(1).startsWith(QStringLiteral("⠁")));
}

void TestMainWindowDesktop::everyMenuCommandHasAKey()
{
    for (QAction *bar : form().menuBar()->actions()) {
        QVERIFY2(bar->text().contains(u'&'), qPrintable(bar->text()));
        if (!bar->menu())
            continue;
        for (QAction *item : bar->menu()->actions()) {
            // ヘルプ表示 answers F1 (above).
            if (!item->isSeparator() && item->objectName() != QLatin1String("helpdisp"))
                QVERIFY2(item->text().contains(u'&') || !item->shortcut().isEmpty(), qPrintable(item->text()));
        }
    }
}

void TestMainWindowDesktop::loadAndSaveKeepTheBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray cp932 = "\x82\xa0\x82\xa2\r\n\x82\xa4"; // あい, う
    const QByteArray utf8 = "\xe3\x81\x82\xe3\x81\x84\r\n\xe3\x81\x86";
    for (const auto &[name, text] : {std::pair{"cp932", cp932}, std::pair{"UTF-8", utf8}}) {
        QByteArray lf = text;
        lf.replace("\r\n", "\n");
        QTest::addRow("%s, CR LF", name) << text + "\r\n";
        QTest::addRow("%s, LF", name) << lf + "\n";
        QTest::addRow("%s, no final line end", name) << text;
        QTest::addRow("%s, empty lines at the end", name) << lf + "\n\n\n";
    }
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xef\xbb\xbf\xe3\x81\x82\n");
    QTest::newRow("empty") << QByteArray();
}

void TestMainWindowDesktop::loadAndSaveKeepTheBytes()
{
    QFETCH(QByteArray, bytes);
    const QString path = m_f->path(QStringLiteral("same.txt"));
    for (int round = 0; round < 2; ++round) {
        // 開く and 上書き保存.
        QVERIFY(writeFile(QStringLiteral("same.txt"), bytes));
        m_f->dialogs.openPaths = {path};
        m_f->action(QStringLiteral("mnuopen"))->trigger();
        QCOMPARE(form().caption(), path);
        QVERIFY(!form().isWindowModified());
        m_f->action(QStringLiteral("mnuoverwrite"))->trigger();
        QCOMPARE(readFile(path), bytes);
    }
    // The file window's 点字翻訳 and 保存, twice over.
    m_f->action(QStringLiteral("fileopen"))->trigger();
    Form2 *window = form().findChild<Form2 *>();
    QVERIFY(window);
    QVERIFY(window->Dir1->setPath(m_f->dir.path()));
    window->txttargetfile->setText(QStringLiteral("same.txt"));
    for (int round = 0; round < 2; ++round) {
        window->findChild<QAction *>(QStringLiteral("readerrorchk"))->trigger();
        window->findChild<QAction *>(QStringLiteral("mnuupdated"))->trigger();
        QCOMPARE(readFile(path), bytes);
    }
    QVERIFY(m_f->dialogs.kinds().count(QStringLiteral("open")) == 2);
    QVERIFY(!m_f->dialogs.kinds().contains(QStringLiteral("warn")));
}

void TestMainWindowDesktop::editedFileKeepsItsFormat()
{
    QVERIFY(writeFile(QStringLiteral("u.txt"), "\xe3\x81\x82\n"));
    QVERIFY(form().openFile(m_f->path(QStringLiteral("u.txt"))));
    form().txtdpbox->moveCursor(QTextCursor::End);
    form().txtdpbox->insertPlainText(QStringLiteral("😀\n"));
    QVERIFY(form().isWindowModified());
    m_f->action(QStringLiteral("mnuoverwrite"))->trigger();
    // Still UTF-8 with LF: nothing was lost, nothing was asked.
    QCOMPARE(readFile(m_f->path(QStringLiteral("u.txt"))), QByteArray("\xe3\x81\x82\n\xf0\x9f\x98\x80\n"));
    QVERIFY(m_f->dialogs.shown.isEmpty());
    QVERIFY(!form().isWindowModified());
}

void TestMainWindowDesktop::saveWithoutAFileAsksForOne()
{
    m_f->type(QStringLiteral("あ"));
    const QString path = m_f->path(QStringLiteral("new.txt"));
    m_f->dialogs.savePaths = {path};
    m_f->action(QStringLiteral("mnuoverwrite"))->trigger();
    QCOMPARE(m_f->dialogs.kinds(), QStringList{QStringLiteral("save")});
    // A new file is cp932 with CR LF, one more after the last line.
    QCOMPARE(readFile(path), QByteArray("\x82\xa0\r\n"));
    // Then 上書き保存 and toolbar button 3 write to it without asking.
    m_f->type(QStringLiteral("い"));
    form().Toolbar1_ButtonClick(3);
    QCOMPARE(readFile(path), QByteArray("\x82\xa2\r\n"));
    QCOMPARE(m_f->dialogs.kinds(), QStringList{QStringLiteral("save")});
}

void TestMainWindowDesktop::openOffersToSaveChanges()
{
    QVERIFY(writeFile(QStringLiteral("other.txt"), "x"));
    m_f->type(QStringLiteral("まだ"));
    m_f->dialogs.answers = {UserDialogs::Answer::Cancel};
    QVERIFY(!form().openFile(m_f->path(QStringLiteral("other.txt"))));
    QCOMPARE(form().txtdpbox->toPlainText(), QStringLiteral("まだ"));
    m_f->dialogs.answers = {UserDialogs::Answer::No};
    QVERIFY(form().openFile(m_f->path(QStringLiteral("other.txt"))));
    QCOMPARE(form().txtdpbox->toPlainText(), QStringLiteral("x"));
    QCOMPARE(m_f->dialogs.kinds(), (QStringList{"yesnocancel", "yesnocancel"}));
    // A file that cannot be read is reported and changes nothing.
    QVERIFY(!form().openFile(m_f->path(QStringLiteral("missing.txt"))));
    QCOMPARE(m_f->dialogs.kinds().last(), QStringLiteral("warn"));
    QCOMPARE(form().txtdpbox->toPlainText(), QStringLiteral("x"));
}

void TestMainWindowDesktop::recentFiles()
{
    QStringList opened;
    for (int i = 1; i <= 9; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i);
        QVERIFY(writeFile(name, QByteArray::number(i)));
        QVERIFY(form().openFile(m_f->path(name)));
        opened.prepend(QFileInfo(m_f->path(name)).absoluteFilePath());
    }
    QCOMPARE(form().recentFiles(), opened.mid(0, 8));
    auto *menu = form().findChild<QMenu *>(QStringLiteral("mnurecent"));
    QCOMPARE(menu->actions().size(), 8);
    // An entry opens its file, which becomes the newest; the next run keeps the list.
    menu->actions().at(2)->trigger();
    QCOMPARE(form().txtdpbox->toPlainText(), QStringLiteral("7"));
    QCOMPARE(form().recentFiles().first(), opened.at(2));
    m_f->dialogs.openPaths.clear();
    m_f->action(QStringLiteral("mnuopen"))->trigger();
    QCOMPARE(m_f->dialogs.shown.last().text, QFileInfo(opened.at(2)).absolutePath());
    QVERIFY(QFile::remove(opened.at(0)));
    m_f->form.reset();
    Form1 next;
    next.Form_Load();
    QCOMPARE(next.recentFiles().size(), 8);
    // A file gone from the disk leaves the list when it cannot be opened.
    QVERIFY(!next.openFile(opened.at(0)));
    QVERIFY(!next.recentFiles().contains(opened.at(0)));
}

QTEST_MAIN(TestMainWindowDesktop)
#include "tst_mainwindowdesktop.moc"
