#include "mainwindowfixture.h"
#include "document/document.h"
#include "documentsaving/documentsaver.h"
#include "mainwindow/form1.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(UserDialogs::Answer)

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class TestDocumentSaver : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileBytes_data();
    void fileBytes();
    void saveAsSetsCaptionAndRemembersName();
    void cancelledDialogChangesNothing();
    void failedSaveIsReportedAndChangesNothing();
    void unencodableCharactersAreNamedFirst_data();
    void unencodableCharactersAreNamedFirst();
    void menuAndToolbarRunSaveAs();

private:
    std::unique_ptr<MainWindowFixture> m_f;
    QTemporaryDir *m_dir = nullptr;
    FakeUserDialogs *m_dialogs = nullptr;
    QString path(const QString &name) const { return m_dir->filePath(name); }
};

void TestDocumentSaver::init()
{
    m_f = std::make_unique<MainWindowFixture>();
    m_dir = &m_f->dir;
    m_dialogs = &m_f->dialogs;
}

void TestDocumentSaver::cleanup()
{
    m_f.reset();
}

void TestDocumentSaver::fileBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty document") << QString() << QByteArray::fromHex("0d0a");
    QTest::newRow("two lines") << QStringLiteral("あ\nい") << QByteArray::fromHex("82a00d0a82a20d0a");
    QTest::newRow("final line end gives an empty line") << QStringLiteral("a\n") << QByteArray("a\r\n\r\n");
    QTest::newRow("CR LF kept as one line end") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("half-width katakana") << QStringLiteral("ﾃｷｽﾄ") << QByteArray::fromHex("c3b7bdc40d0a");
}

void TestDocumentSaver::fileBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    Document document;
    document.setText(text);
    DocumentSaver saver(nullptr, document);
    m_dialogs->savePaths = {path(QStringLiteral("out.txt"))};
    QVERIFY(saver.saveAs());
    QCOMPARE(document.fileName(), path(QStringLiteral("out.txt")));
    QCOMPARE(::fileBytes(path(QStringLiteral("out.txt"))), bytes);
    QCOMPARE(m_dialogs->kinds(), QStringList{QStringLiteral("save")});
}

void TestDocumentSaver::saveAsSetsCaptionAndRemembersName()
{
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あ"));
    const QString first = path(QStringLiteral("first.txt"));
    m_dialogs->savePaths = {first};
    QVERIFY(form.SaveTextAs());
    QCOMPARE(form.caption(), first);
    QCOMPARE(m_dialogs->saveFilters, QStringList{QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)")});
    QCOMPARE(m_dialogs->saveSuffixes, QStringList{QStringLiteral("txt")});
    QCOMPARE(m_dialogs->saveInitialPaths, QStringList{QString()});
    QVERIFY(!form.hasUnsavedChanges());

    // The next dialog opens with the last name; a cancel there keeps the caption.
    QVERIFY(!form.SaveTextAs());
    QCOMPARE(m_dialogs->saveInitialPaths.last(), first);
    QCOMPARE(form.caption(), first);
}

void TestDocumentSaver::cancelledDialogChangesNothing()
{
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あ"));
    form.txtdpbox->document()->setModified(true);
    QVERIFY(!form.SaveTextAs());
    QCOMPARE(form.caption(), Form1::kCaption);
    QVERIFY(form.hasUnsavedChanges());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList());
}

void TestDocumentSaver::failedSaveIsReportedAndChangesNothing()
{
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("あ"));
    form.txtdpbox->document()->setModified(true);
    // A directory cannot be replaced by a file.
    const QString directory = path(QStringLiteral("folder.txt"));
    QVERIFY(QDir().mkdir(directory));
    const QString missing = path(QStringLiteral("no/such/dir/a.txt"));
    m_dialogs->savePaths = {directory, missing};

    for (const QString &target : {directory, missing}) {
        QVERIFY(!form.SaveTextAs());
        QCOMPARE(form.caption(), Form1::kCaption);
        QVERIFY(form.hasUnsavedChanges());
        QCOMPARE(m_dialogs->shown.last().kind, QStringLiteral("warn"));
        QVERIFY2(m_dialogs->shown.last().text.contains(target), qPrintable(m_dialogs->shown.last().text));
    }
    QVERIFY(QFileInfo(directory).isDir());
    QVERIFY(!QFileInfo::exists(missing));
}

void TestDocumentSaver::unencodableCharactersAreNamedFirst_data()
{
    QTest::addColumn<UserDialogs::Answer>("answer");
    QTest::addColumn<QByteArray>("bytes"); // "" when nothing is written
    QTest::newRow("cancel writes nothing") << UserDialogs::Answer::Cancel << QByteArray();
    QTest::newRow("no writes question marks") << UserDialogs::Answer::No << QByteArray("caf? ? \x82\xa0\r\n");
    QTest::newRow("yes writes UTF-8") << UserDialogs::Answer::Yes << QStringLiteral("café 😀 あ\r\n").toUtf8();
}

void TestDocumentSaver::unencodableCharactersAreNamedFirst()
{
    QFETCH(UserDialogs::Answer, answer);
    QFETCH(QByteArray, bytes);
    const QString target = path(QStringLiteral("lost.txt"));
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();

    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("café 😀 あ"));
    m_dialogs->savePaths = {target};
    m_dialogs->answers = {answer};
    QCOMPARE(form.SaveTextAs(), !bytes.isEmpty());

    QCOMPARE(m_dialogs->kinds(), (QStringList{QStringLiteral("save"), QStringLiteral("yesnocancel")}));
    const QString question = m_dialogs->shown.last().text;
    QVERIFY2(question.contains(u'é') && question.contains(QStringLiteral("😀")) && !question.contains(u'あ'),
             qPrintable(question));
    QCOMPARE(::fileBytes(target), bytes.isEmpty() ? QByteArray("old") : bytes);
    QCOMPARE(form.caption(), bytes.isEmpty() ? Form1::kCaption : target);

    // A file saved in UTF-8 stays so: the next save asks nothing.
    if (answer == UserDialogs::Answer::Yes) {
        form.txtdpbox->appendPlainText(QStringLiteral("ü"));
        QVERIFY(form.saveDocument());
        QCOMPARE(m_dialogs->shown.size(), 2);
        QCOMPARE(::fileBytes(target), QStringLiteral("café 😀 あ\r\nü\r\n").toUtf8());
    }
}

void TestDocumentSaver::menuAndToolbarRunSaveAs()
{
    Form1 &form = *m_f->form;
    form.txtdpbox->setPlainText(QStringLiteral("い"));
    const QString target = path(QStringLiteral("menu.txt"));
    m_dialogs->savePaths = {target, target};
    form.findChild<QAction *>(QStringLiteral("mnusave"))->trigger();
    QCOMPARE(::fileBytes(target), QByteArray("\x82\xa2\r\n"));

    // Once the document has a file, toolbar button 3 (上書き保存) writes to it.
    form.txtdpbox->setPlainText(QStringLiteral("あ"));
    form.findChild<QAction *>(QStringLiteral("Toolbar1_3"))->trigger();
    QCOMPARE(::fileBytes(target), QByteArray("\x82\xa0\r\n"));
    QCOMPARE(m_dialogs->kinds(), QStringList{QStringLiteral("save")});
}

QTEST_MAIN(TestDocumentSaver)
#include "tst_documentsaver.moc"
