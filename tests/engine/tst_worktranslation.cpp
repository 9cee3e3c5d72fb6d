#include "platform/settings.h"
#include "engine/translation.h"
#include "document/workfile.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"
#include "synthetictable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

// The braille translation command through its work file. Every test runs
// with its own cache directory (see tests/CMakeLists.txt).
class TestWorkTranslation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void workFileIsInTheCacheDirectory();
    void linesComeFromTheEditorText_data();
    void linesComeFromTheEditorText();
    void workFileHoldsCp932WithCrLf();
    void charactersOutsideCp932AreKept();
    void longTextIsWrittenWhole_data();
    void longTextIsWrittenWhole();
    void workFileIsReadableByTheUserAlone();
    void workFileIsCreatedAfresh();
    void linkInPlaceOfWorkFileIsNotFollowed();
    void missingCacheDirectoryIsCreated();
    void unwritableWorkFileEndsTheTranslation();
    void twoProgramsTranslatingAtOnceEachGetTheirOwnText();

private:
    static QByteArray fileBytes(const QString &path);
    // The command on the editor text; list_ holds the entries of the list after it.
    EditorTranslation translate(const QString &editorText)
    {
        EditorTranslation result = TranslateEditorText(table_, editorText);
        list_ = listEntries(result.translation);
        return result;
    }
    CodeTable table_;
    QStringList list_;
    QString cacheDir_;
};

void TestWorkTranslation::initTestCase()
{
    Settings::setApplicationNames();
    cacheDir_ = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY(!cacheDir_.isEmpty());
    // Never the cache of the user who runs the tests.
    QVERIFY2(cacheDir_.contains(QStringLiteral("/tests/home/")), qPrintable(cacheDir_));
}

void TestWorkTranslation::init()
{
    table_ = syntheticCodeTable();
}

void TestWorkTranslation::cleanup()
{
    QFile(cacheDir_).remove();
    QDir(cacheDir_).removeRecursively();
}

QByteArray TestWorkTranslation::fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("(unreadable)");
    return file.readAll();
}

void TestWorkTranslation::workFileIsInTheCacheDirectory()
{
    QCOMPARE(workFilePath(), cacheDir_ + QStringLiteral("/wk.txt"));
}

void TestWorkTranslation::linesComeFromTheEditorText_data()
{
    QTest::addColumn<QString>("editorText");
    QTest::addColumn<QStringList>("textRows");

    QTest::newRow("empty editor: one empty line") << "" << QStringList{""};
    QTest::newRow("one line") << "あ" << QStringList{"あ"};
    QTest::newRow("LF") << "あ\nい" << QStringList{"あ", "い"};
    QTest::newRow("CR LF") << "あ\r\nい" << QStringList{"あ", "い"};
    QTest::newRow("lone CR") << "あ\rい" << QStringList{"あ", "い"};
    QTest::newRow("final line end: one more line") << "あ\r\n" << QStringList{"あ", ""};
    QTest::newRow("blank line inside") << "あ\n\nい" << QStringList{"あ", "", "い"};
    QTest::newRow("only a line end") << "\n" << QStringList{"", ""};
}

void TestWorkTranslation::linesComeFromTheEditorText()
{
    QFETCH(QString, editorText);
    QFETCH(QStringList, textRows);
    const EditorTranslation result = translate(editorText);
    QVERIFY(result.ok);
    QVERIFY(result.write.ok());
    QCOMPARE(result.translation.size(), textRows.size());
    QCOMPARE(list_.size(), 2 * textRows.size());
    for (int i = 0; i < textRows.size(); ++i)
        QCOMPARE(trimmedRow(list_[2 * i]), textRows[i]);
}

void TestWorkTranslation::workFileHoldsCp932WithCrLf()
{
    QVERIFY(translate(QStringLiteral("あ\nＡ")).ok);
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xa0\r\n\x82\x60\r\n"));
    QCOMPARE(trimmedRow(list_[3]), cells({28, 19}));
}

void TestWorkTranslation::charactersOutsideCp932AreKept()
{
    // Nothing turns into "?": the text is translated as typed, and the work
    // file, which cp932 cannot hold it, is written in UTF-8.
    QVERIFY(translate(QStringLiteral("あ😀い😀€")).ok);
    QCOMPARE(trimmedRow(list_[0]), QStringLiteral("あ😀い😀€"));
    QCOMPARE(trimmedRow(list_[1]), cells({19}) + QStringLiteral("　") + cells({20}));
    QCOMPARE(fileBytes(workFilePath()), "\xef\xbb\xbf" + QStringLiteral("あ😀い😀€\r\n").toUtf8());
}

void TestWorkTranslation::longTextIsWrittenWhole_data()
{
    // Texts of many pieces as the file is written: every line is there once,
    // in order, and one character that cp932 lacks anywhere makes the whole
    // file UTF-8, however much was written before it was met.
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("utf8");
    const QString lines = QStringLiteral("かなの　ぎょう%1 abc\n");
    QString many;
    for (int i = 0; i < 20000; ++i)
        many += lines.arg(i);
    QTest::newRow("many lines, cp932") << many << false;
    QTest::newRow("no line end at the end") << many + QStringLiteral("おわり") << false;
    QTest::newRow("one line longer than a piece") << QStringLiteral("あい").repeated(70000) << false;
    QTest::newRow("outside cp932 near the end") << many + QStringLiteral("😀\nおわり") << true;
    QTest::newRow("outside cp932 at the start") << QStringLiteral("€") + many << true;
}

void TestWorkTranslation::longTextIsWrittenWhole()
{
    QFETCH(QString, text);
    QFETCH(bool, utf8);
    QVERIFY(writeWorkFile(text).ok());
    const QString fileText = toDocumentFileText(text);
    const QByteArray expected =
        utf8 ? QByteArray("\xef\xbb\xbf") + fileText.toUtf8() : Cp932::encode(fileText, nullptr);
    const QByteArray bytes = fileBytes(workFilePath());
    QCOMPARE(bytes.size(), expected.size());
    QVERIFY(bytes == expected);
}

void TestWorkTranslation::workFileIsReadableByTheUserAlone()
{
    QVERIFY(translate(QStringLiteral("あ")).ok);
    const QFileDevice::Permissions permissions = QFileInfo(workFilePath()).permissions();
    QVERIFY(permissions & QFileDevice::ReadOwner);
    QVERIFY(permissions & QFileDevice::WriteOwner);
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                            QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                            QFileDevice::WriteOther | QFileDevice::ExeOther;
    QCOMPARE(permissions & others, QFileDevice::Permissions());
}

void TestWorkTranslation::workFileIsCreatedAfresh()
{
    // A longer work file of an earlier translation, readable by everyone,
    // leaves nothing behind.
    QVERIFY(QDir().mkpath(cacheDir_));
    QFile old(workFilePath());
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old line one\r\nold line two\r\nold line three\r\n");
    old.close();
    QVERIFY(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));

    QVERIFY(translate(QStringLiteral("か")).ok);
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xa9\r\n"));
    QVERIFY(!(QFileInfo(workFilePath()).permissions() & QFileDevice::ReadOther));
    QCOMPARE(list_.size(), 2);

    QVERIFY(translate(QStringLiteral("き")).ok);
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xab\r\n"));
    QCOMPARE(trimmedRow(list_[1]), cells({32}));
}

void TestWorkTranslation::linkInPlaceOfWorkFileIsNotFollowed()
{
    QVERIFY(QDir().mkpath(cacheDir_));
    const QString target = QDir(cacheDir_).filePath(QStringLiteral("someone-elses.txt"));
    QFile file(target);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    QVERIFY(QFile::link(target, workFilePath()));

    QVERIFY(translate(QStringLiteral("あ")).ok);
    QCOMPARE(fileBytes(target), QByteArray("keep me"));
    QVERIFY(!QFileInfo(workFilePath()).isSymLink());
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xa0\r\n"));
}

void TestWorkTranslation::missingCacheDirectoryIsCreated()
{
    QVERIFY(!QFileInfo::exists(cacheDir_));
    QVERIFY(translate(QStringLiteral("あ")).ok);
    QVERIFY(QFileInfo(workFilePath()).isFile());
}

void TestWorkTranslation::unwritableWorkFileEndsTheTranslation()
{
    // A file where the cache directory should be: the work file cannot be
    // created, whoever runs the test.
    QVERIFY(translate(QStringLiteral("あ\nい")).ok);
    QDir(cacheDir_).removeRecursively();
    QVERIFY(QDir().mkpath(QFileInfo(cacheDir_).absolutePath()));
    QFile blocker(cacheDir_);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const EditorTranslation result = translate(QStringLiteral("う"));
    QVERIFY(!result.ok);
    QCOMPARE(result.write.error, WorkFileError::FolderNotMade);
    QCOMPARE(result.write.path, cacheDir_);
    QVERIFY(list_.isEmpty());
}

void TestWorkTranslation::twoProgramsTranslatingAtOnceEachGetTheirOwnText()
{
    // Both write the same work file, hundreds of times over.
    const QStringList texts = {QStringLiteral("かきくけこ"), QStringLiteral("さしすせそたち")};
    QList<QProcess *> programs;
    for (const QString &text : texts) {
        auto *program = new QProcess(this);
        program->setProcessChannelMode(QProcess::ForwardedChannels);
        program->start(QStringLiteral(TRANSLATE_LOOP), {text, QStringLiteral("400")});
        programs.append(program);
    }
    for (QProcess *program : programs) {
        QVERIFY(program->waitForFinished(60000));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
    }
    qDeleteAll(programs);
    // The work file is one of the two, whole.
    const QByteArray last = fileBytes(workFilePath());
    QVERIFY2(last == Cp932::encode(texts[0] + QStringLiteral("\r\n")) || last == Cp932::encode(texts[1] + QStringLiteral("\r\n")),
             last.toHex().constData());
}

QTEST_GUILESS_MAIN(TestWorkTranslation)
#include "tst_worktranslation.moc"
