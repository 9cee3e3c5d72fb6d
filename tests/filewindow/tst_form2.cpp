#include "filewindow/dirlist.h"
#include "filewindow/drivelist.h"
#include "filewindow/filelist.h"
#include "filewindowfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>

// The file window: its lists, its target file and its two save commands.
class TestForm2 : public QObject
{
    Q_OBJECT

private slots:
    void opensOwnedByTheMainWindowAndOnce();
    void listsShowTheCurrentFolder();
    void foldersOpenFromTheDirectoryList();
    void drivesMoveTheDirectoryList();
    void removableMedia_data();
    void removableMedia();
    void driveOfPath_data();
    void driveOfPath();
    void targetFile_data();
    void targetFile();
    void fileClickPutsTheName();
    void saveWritesTheEditorText();
    void saveFailureIsReported_data();
    void saveFailureIsReported();
    void captionShowsWritingWhileSaving();
    void saveAsFromTheFileWindow();
    void startsInTheFolderLastUsed();
};

namespace {

QStringList childNames(const QTreeWidgetItem *item)
{
    QStringList names;
    for (int i = 0; i < item->childCount(); ++i)
        names.append(item->child(i)->text(0));
    return names;
}

QTreeWidgetItem *childNamed(const QTreeWidgetItem *item, const QString &name)
{
    for (int i = 0; i < item->childCount(); ++i) {
        if (item->child(i)->text(0) == name)
            return item->child(i);
    }
    return nullptr;
}

// Opens a folder of Dir1 as the user does, with Enter.
void activate(DirList *list, QTreeWidgetItem *item)
{
    list->setCurrentItem(item);
    QTest::keyClick(list, Qt::Key_Return);
}

QListWidgetItem *fileItem(FileList *list, const QString &name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace

void TestForm2::opensOwnedByTheMainWindowAndOnce()
{
    FileWindowFixture f;
    Form2 *window = f.open();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->isWindow());
    QCOMPARE(window->parentWidget(), f.form.get());
    QVERIFY(!window->isModal());
    QCOMPARE(window->windowTitle(), QStringLiteral("ファイル"));
    QCOMPARE(window->Label1->text(), QStringLiteral("ファイル名："));

    QStringList commands;
    for (const QAction *a : window->menuBar()->actions())
        commands.append(a->objectName() + u'=' + a->text());
    QCOMPARE(commands, QStringList({QStringLiteral("mnusaved=名前を付けて保存(&A)"),
                                    QStringLiteral("mnuupdated=保存(&S)"),
                                    QStringLiteral("readerrorchk=点字翻訳(&E)")}));
    for (const char *name : {"Label1", "txttargetfile", "Drive1", "Dir1", "File1"})
        QVERIFY2(window->findChild<QWidget *>(QString::fromLatin1(name)), name);

    // Toolbar button 2 raises the open window; it keeps what it shows.
    window->txttargetfile->setText(QStringLiteral("kept.txt"));
    f.form->Toolbar1_ButtonClick(2);
    QCOMPARE(f.form->findChildren<Form2 *>().size(), 1);
    QCOMPARE(window->txttargetfile->text(), QStringLiteral("kept.txt"));

    // Closing destroys it; the next one starts afresh at the current folder.
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("elsewhere")));
    window->Dir1->setPath(f.path(QStringLiteral("elsewhere")));
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!f.form->findChild<Form2 *>());
    window = f.open();
    QVERIFY(window);
    QCOMPARE(window->txttargetfile->text(), QString());
    QCOMPARE(window->Dir1->path(), QDir::currentPath());
}

void TestForm2::listsShowTheCurrentFolder()
{
    FileWindowFixture f;
    for (const char *name : {"b.txt", "A.TXT", "c.Txt", "notes.csv", "d.txt.bak", ".hidden.txt"})
        QVERIFY(f.writeFile(QString::fromLatin1(name), "x"));
    for (const char *name : {"sub", "Alpha", "folder.txt", ".git"})
        QVERIFY(QDir(f.dir.path()).mkdir(QString::fromLatin1(name)));
    Form2 *window = f.open();

    QCOMPARE(window->Dir1->path(), QDir::currentPath());
    QCOMPARE(window->File1->path(), QDir::currentPath());
    QCOMPARE(window->File1->fileNames(), QStringList({"A.TXT", "b.txt", "c.Txt"}));

    // The root first, the current folder selected, its subfolders under it.
    const QTreeWidgetItem *current = window->Dir1->currentItem();
    QVERIFY(current);
    QCOMPARE(current->data(0, DirList::kPathRole).toString(), QDir::currentPath());
    QCOMPARE(childNames(current), QStringList({"Alpha", "folder.txt", "sub"}));
    QCOMPARE(window->Dir1->topLevelItemCount(), 1);
    QCOMPARE(window->Dir1->topLevelItem(0)->text(0), QStringLiteral("/"));
    QCOMPARE(current->parent()->data(0, DirList::kPathRole).toString(),
             QFileInfo(QDir::currentPath()).absolutePath());
}

void TestForm2::foldersOpenFromTheDirectoryList()
{
    FileWindowFixture f;
    QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("sub/deeper")));
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("gone")));
    QVERIFY(f.writeFile(QStringLiteral("sub/inner.txt"), "x"));
    Form2 *window = f.open();
    DirList *dir = window->Dir1;
    const QString top = dir->path();

    activate(dir, childNamed(dir->currentItem(), QStringLiteral("sub")));
    QCOMPARE(dir->path(), f.path(QStringLiteral("sub")));
    QCOMPARE(window->File1->fileNames(), QStringList({"inner.txt"}));
    QCOMPARE(childNames(dir->currentItem()), QStringList({"deeper"}));

    activate(dir, dir->currentItem()->parent());
    QCOMPARE(dir->path(), top);
    QVERIFY(f.dialogs.shown.isEmpty());

    // A folder removed after it was listed cannot be opened.
    QTreeWidgetItem *gone = childNamed(dir->currentItem(), QStringLiteral("gone"));
    QVERIFY(QDir(f.path(QStringLiteral("gone"))).removeRecursively());
    activate(dir, gone);
    QCOMPARE(dir->path(), top);
    QCOMPARE(f.dialogs.kinds(), QStringList({"warn"}));
    QVERIFY(f.dialogs.shown.first().text.contains(f.path(QStringLiteral("gone"))));
}

void TestForm2::drivesMoveTheDirectoryList()
{
    FileWindowFixture f;
    QVERIFY(QDir().mkpath(QDir::homePath()));
    Form2 *window = f.open();
    DriveList *drives = window->Drive1;
    QStringList listed;
    for (int i = 0; i < drives->count(); ++i)
        listed.append(drives->driveAt(i));
    QCOMPARE(listed.first(), QStringLiteral("/"));
    QVERIFY(listed.contains(QDir::cleanPath(QDir::homePath())));
    QCOMPARE(drives->currentIndex(), DriveList::driveOf(listed, QDir::currentPath()));

    const int home = listed.indexOf(QDir::cleanPath(QDir::homePath()));
    drives->setCurrentIndex(home);
    emit drives->activated(home);
    QCOMPARE(window->Dir1->path(), QDir::cleanPath(QDir::homePath()));
    QCOMPARE(window->File1->path(), window->Dir1->path());

    // A drive that cannot be read leaves the lists where they were.
    drives->addItem(QStringLiteral("USB"), f.path(QStringLiteral("ejected")));
    const int ejected = drives->count() - 1;
    drives->setCurrentIndex(ejected);
    emit drives->activated(ejected);
    QCOMPARE(drives->currentIndex(), home);
    QCOMPARE(window->Dir1->path(), QDir::cleanPath(QDir::homePath()));
    QCOMPARE(f.dialogs.kinds(), QStringList({"warn"}));
    QVERIFY(f.dialogs.shown.first().text.contains(f.path(QStringLiteral("ejected"))));

    drives->setCurrentIndex(0);
    emit drives->activated(0);
    QCOMPARE(window->Dir1->path(), QStringLiteral("/"));
}

void TestForm2::removableMedia_data()
{
    QTest::addColumn<QString>("rootPath");
    QTest::addColumn<QByteArray>("type");
    QTest::addColumn<bool>("listed");
    QTest::newRow("usb stick") << "/media/user/STICK" << QByteArray("vfat") << true;
    QTest::newRow("run media") << "/run/media/user/DISK" << QByteArray("ext4") << true;
    QTest::newRow("mnt itself") << "/mnt" << QByteArray("ntfs") << true;
    QTest::newRow("under mnt") << "/mnt/backup" << QByteArray("ext4") << true;
    QTest::newRow("root") << "/" << QByteArray("ext4") << false;
    QTest::newRow("boot") << "/boot" << QByteArray("ext4") << false;
    QTest::newRow("name starts alike") << "/media2/x" << QByteArray("ext4") << false;
    QTest::newRow("snap package") << "/snap/core/1" << QByteArray("squashfs") << false;
    QTest::newRow("pseudo under media") << "/media/ram" << QByteArray("tmpfs") << false;
    QTest::newRow("container layer") << "/mnt/layer" << QByteArray("overlay") << false;
}

void TestForm2::removableMedia()
{
    QFETCH(QString, rootPath);
    QFETCH(QByteArray, type);
    QFETCH(bool, listed);
    QCOMPARE(DriveList::isRemovableMedia(rootPath, type), listed);
}

void TestForm2::driveOfPath_data()
{
    QTest::addColumn<QStringList>("drives");
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("drive");
    const QStringList usual = {"/", "/home/u", "/media/u/USB"};
    QTest::newRow("inside home") << usual << "/home/u/docs" << 1;
    QTest::newRow("home itself") << usual << "/home/u" << 1;
    QTest::newRow("another home") << usual << "/home/user2" << 0;
    QTest::newRow("medium") << usual << "/media/u/USB/a" << 2;
    QTest::newRow("elsewhere") << usual << "/etc" << 0;
    QTest::newRow("no root listed") << QStringList({"/home/u"}) << "/etc" << -1;
}

void TestForm2::driveOfPath()
{
    QFETCH(QStringList, drives);
    QFETCH(QString, path);
    QFETCH(int, drive);
    QCOMPARE(DriveList::driveOf(drives, path), drive);
}

void TestForm2::targetFile_data()
{
    QTest::addColumn<QString>("folder"); // "" for the scratch folder
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // after the scratch folder, or whole
    QTest::newRow("picked") << ""
                            << "a.txt"
                            << "/a.txt";
    QTest::newRow("typed, as it stands") << ""
                                         << " My File.TXT"
                                         << "/ My File.TXT";
    QTest::newRow("no extension") << ""
                                  << "memo"
                                  << "/memo";
    QTest::newRow("root") << "/"
                          << "a.txt"
                          << "/a.txt";
}

void TestForm2::targetFile()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    FileWindowFixture f;
    Form2 *window = f.open();
    if (!folder.isEmpty())
        QVERIFY(window->Dir1->setPath(folder));
    window->txttargetfile->setText(name);
    QCOMPARE(window->targetFile(), folder.isEmpty() ? QDir::currentPath() + expected : expected);
}

void TestForm2::fileClickPutsTheName()
{
    FileWindowFixture f;
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        QVERIFY(f.writeFile(QString::fromLatin1(name), "x"));
    Form2 *window = f.open();
    FileList *files = window->File1;
    QTest::mouseClick(files->viewport(), Qt::LeftButton, {},
                      files->visualItemRect(fileItem(files, QStringLiteral("b.txt"))).center());
    QCOMPARE(window->txttargetfile->text(), QStringLiteral("b.txt"));
    QTest::keyClick(files, Qt::Key_Down);
    QCOMPARE(window->txttargetfile->text(), QStringLiteral("c.txt"));

    // A name typed afterwards is the one used.
    window->txttargetfile->clear();
    QTest::keyClicks(window->txttargetfile, QStringLiteral("typed.txt"));
    QCOMPARE(window->targetFile(), f.path(QStringLiteral("typed.txt")));
}

void TestForm2::saveWritesTheEditorText()
{
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("old.txt"), "old contents"));
    Form2 *window = f.open();
    f.form->txtdpbox->setPlainText(QStringLiteral("あ\nい"));
    const QByteArray expected("\x82\xa0\r\n\x82\xa2\r\n");

    // A new file, shown in the list at once.
    window->txttargetfile->setText(QStringLiteral("new.txt"));
    f.trigger("mnuupdated");
    QCOMPARE(FileWindowFixture::readFile(f.path(QStringLiteral("new.txt"))), expected);
    QCOMPARE(window->File1->fileNames(), QStringList({"new.txt", "old.txt"}));
    QCOMPARE(window->windowTitle(), QStringLiteral("ファイル"));

    // An existing file is replaced without a question; a name without .txt
    // is used as it stands.
    for (const char *name : {"old.txt", "memo"}) {
        window->txttargetfile->setText(QString::fromLatin1(name));
        f.trigger("mnuupdated");
        QCOMPARE(FileWindowFixture::readFile(f.path(QString::fromLatin1(name))), expected);
    }
    QVERIFY(f.dialogs.shown.isEmpty());
    // The main window's caption names only files saved through Save As.
    QCOMPARE(f.form->caption(), Form1::kCaption);
}

void TestForm2::saveFailureIsReported_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("a folder's name") << "sub";
    QTest::newRow("in a missing folder") << "missing/x.txt";
    QTest::newRow("no name") << "";
}

void TestForm2::saveFailureIsReported()
{
    QFETCH(QString, name);
    FileWindowFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("sub")));
    Form2 *window = f.open();
    f.form->txtdpbox->setPlainText(QStringLiteral("あ"));
    window->txttargetfile->setText(name);
    f.trigger("mnuupdated");

    QCOMPARE(f.dialogs.kinds(), QStringList({"warn"}));
    QCOMPARE(window->windowTitle(), QStringLiteral("ファイル"));
    QVERIFY(QFileInfo(f.path(QStringLiteral("sub"))).isDir());
    QCOMPARE(QDir(f.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"sub"}));
    QVERIFY(QDir(f.path(QStringLiteral("sub"))).isEmpty());
}

namespace {

// Notes the file window's caption when the save asks about lost characters.
class CaptionRecorder : public FakeUserDialogs
{
public:
    QWidget *window = nullptr;
    QStringList captions;

    Answer askYesNoCancel(QWidget *parent, const QString &title, const QString &text) override
    {
        captions.append(window->windowTitle());
        return FakeUserDialogs::askYesNoCancel(parent, title, text);
    }
};

} // namespace

void TestForm2::captionShowsWritingWhileSaving()
{
    FileWindowFixture f;
    QVERIFY(f.writeFile(QStringLiteral("keep.txt"), "before"));
    Form2 *window = f.open();
    CaptionRecorder recorder;
    recorder.window = window;
    f.form->txtdpbox->setPlainText(QStringLiteral("あ😀"));
    window->txttargetfile->setText(QStringLiteral("keep.txt"));

    f.trigger("mnuupdated"); // the question about 😀 is answered Cancel
    QCOMPARE(recorder.captions, QStringList({"書き込み中・・・"}));
    QCOMPARE(window->windowTitle(), QStringLiteral("ファイル"));
    QCOMPARE(FileWindowFixture::readFile(f.path(QStringLiteral("keep.txt"))), QByteArray("before"));

    recorder.answers = {UserDialogs::Answer::No};
    f.trigger("mnuupdated");
    QCOMPARE(FileWindowFixture::readFile(f.path(QStringLiteral("keep.txt"))), QByteArray("\x82\xa0?\r\n"));
}

void TestForm2::saveAsFromTheFileWindow()
{
    FileWindowFixture f;
    Form2 *window = f.open();
    f.form->txtdpbox->setPlainText(QStringLiteral("う"));
    window->txttargetfile->setText(QStringLiteral("not used.txt"));

    // Cancelled: nothing is written and nothing changes.
    f.trigger("mnusaved");
    QCOMPARE(f.dialogs.kinds(), QStringList({"save"}));
    QCOMPARE(f.form->caption(), Form1::kCaption);
    QVERIFY(QDir(f.dir.path()).isEmpty());

    // Completed: the main window's text is saved under the chosen name.
    const QString target = f.path(QStringLiteral("chosen.txt"));
    f.dialogs.savePaths = {target};
    f.trigger("mnusaved");
    QCOMPARE(FileWindowFixture::readFile(target), QByteArray("\x82\xa4\r\n"));
    QCOMPARE(f.form->caption(), target);
    QCOMPARE(window->File1->fileNames(), QStringList({"chosen.txt"}));
    QCOMPARE(window->txttargetfile->text(), QStringLiteral("not used.txt"));
}

// A file loaded from a folder makes the next file window start there.
void TestForm2::startsInTheFolderLastUsed()
{
    FileWindowFixture f;
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("used")));
    QVERIFY(f.writeFile(QStringLiteral("used/a.txt"), "a"));
    Form2 *window = f.open();
    window->Dir1->setPath(f.path(QStringLiteral("used")));
    window->txttargetfile->setText(QStringLiteral("a.txt"));
    f.trigger("readerrorchk");
    QCOMPARE(f.form->txtdpbox->toPlainText(), QStringLiteral("a"));
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(QFileInfo(f.open()->Dir1->path()).canonicalFilePath(),
             QFileInfo(f.path(QStringLiteral("used"))).canonicalFilePath());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
