#include "fakeuserdialogs.h"
#include "kana/userdictionary.h"
#include "mainwindow/form1.h"
#include "testdocuments.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

// ファイル → 文書を取り込む: a document as a new, unsaved text whose ruby
// the kana conversion uses.
class TestImportDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void importsAsANewUnsavedDocument();
    void rubyReachesTheConversionOnlyWhereItStood();
    void aRefusedFileLeavesTheDocument();

private:
    void trigger(const char *name) { form_->findChild<QAction *>(QString::fromLatin1(name))->trigger(); }
    QString writeSample(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir_.filePath(name);
        return TestDocuments::writeFile(path, bytes) ? path : QString();
    }

    QTemporaryDir dir_;
    std::unique_ptr<FakeUserDialogs> dialogs_;
    std::unique_ptr<Form1> form_;
};

void TestImportDocument::init()
{
    QFile::remove(UserDictionary::defaultPath());
    dialogs_ = std::make_unique<FakeUserDialogs>();
    form_ = std::make_unique<Form1>();
    form_->Form_Load();
}

void TestImportDocument::cleanup()
{
    form_.reset();
    dialogs_.reset();
}

void TestImportDocument::importsAsANewUnsavedDocument()
{
    const QString path = writeSample(u"旅.docx"_s, TestDocuments::wordSample());
    QVERIFY(!path.isEmpty());
    dialogs_->openPaths = {path};
    trigger("mnuimport");
    QCOMPARE(form_->txtdpbox->toPlainText(), TestDocuments::numberedNoteSampleText());
    QVERIFY(form_->txtdpbox->document()->isModified());
    QVERIFY(!form_->txtdpbox->document()->isUndoAvailable());

    // Saving asks for a name and writes text, not the Word file.
    const QString saved = dir_.filePath(u"旅.txt"_s);
    dialogs_->savePaths = {saved};
    trigger("mnuoverwrite");
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("\x91\xE6\x88\xEA\x8F\xCD")); // 第一章 in cp932
    QCOMPARE(QFileInfo(path).size(), TestDocuments::wordSample().size());
}

void TestImportDocument::rubyReachesTheConversionOnlyWhereItStood()
{
    dialogs_->openPaths = {writeSample(u"旅.html"_s, TestDocuments::htmlSample())};
    trigger("mnuimport");
    QPlainTextEdit *editor = form_->txtdpbox;
    // The same name typed again, without ruby, and an edit inside a marked
    // word: neither takes the reading.
    QTextCursor cursor(editor->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"\n小鳥遊"_s);
    cursor.setPosition(int(editor->toPlainText().indexOf(u"太郎")) + 1);
    cursor.insertText(u"次"_s);
    editor->setTextCursor(QTextCursor(editor->document()));
    trigger("tenyakukana");
    const QStringList lines = editor->toPlainText().split(u'\n');
    QVERIFY2(lines[1].startsWith(u"やまだ "_s), qPrintable(lines[1]));
    QVERIFY2(!lines[1].contains(u"たろー"), qPrintable(lines[1]));
    QVERIFY2(lines[1].contains(u"たかなしさんと"), qPrintable(lines[1]));
    QVERIFY2(lines.last() != u"たかなし", qPrintable(lines.last()));
}

void TestImportDocument::aRefusedFileLeavesTheDocument()
{
    form_->txtdpbox->setPlainText(u"書きかけ"_s);
    dialogs_->openPaths = {writeSample(u"壊れた.epub"_s, "not a zip")};
    trigger("mnuimport");
    QCOMPARE(form_->txtdpbox->toPlainText(), u"書きかけ"_s);
    QCOMPARE(dialogs_->shown.last().kind, u"warn"_s);
    QVERIFY2(dialogs_->shown.last().text.contains(u"壊れた.epub"), qPrintable(dialogs_->shown.last().text));
}

QTEST_MAIN(TestImportDocument)
#include "tst_importdocument.moc"
