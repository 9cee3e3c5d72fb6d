#include "engine/translation.h"
#include "engine/worktranslation.h"
#include "synthetictable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    void charactersOutsideCp932AreReported();
    void workFileIsReadableByTheUserAlone();
    void workFileIsCreatedAfresh();
    void linkInPlaceOfWorkFileIsNotFollowed();
    void missingCacheDirectoryIsCreated();
    void unwritableWorkFileEndsTheTranslation();

private:
    static QByteArray fileBytes(const QString &path);
    Module1 m_;
    QString cacheDir_;
};

void TestWorkTranslation::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("mirabo"));
    cacheDir_ = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QVERIFY(!cacheDir_.isEmpty());
    // Never the cache of the user who runs the tests.
    QVERIFY2(cacheDir_.contains(QStringLiteral("/tests/home/")), qPrintable(cacheDir_));
}

void TestWorkTranslation::init()
{
    m_ = Module1();
    m_.codeTable = syntheticCodeTable();
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
    QStringList list{QStringLiteral("an entry of an earlier translation")};
    const TranslationResult result = TranslateEditorText(m_, editorText, list);
    QVERIFY2(result.ok, qPrintable(result.error));
    QVERIFY(result.error.isEmpty());
    QCOMPARE(m_.LineCount, textRows.size());
    QCOMPARE(list.size(), 2 * textRows.size());
    for (int i = 0; i < textRows.size(); ++i)
        QCOMPARE(trimmedRow(list[2 * i]), textRows[i]);
}

void TestWorkTranslation::workFileHoldsCp932WithCrLf()
{
    QStringList list;
    QVERIFY(TranslateEditorText(m_, QStringLiteral("あ\nＡ"), list).ok);
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xa0\r\n\x82\x60\r\n"));
    QCOMPARE(trimmedRow(list[3]), cells({28, 19}));
}

void TestWorkTranslation::charactersOutsideCp932AreReported()
{
    QStringList list;
    TranslationResult result = TranslateEditorText(m_, QStringLiteral("あ😀い😀€"), list);
    QVERIFY(result.ok);
    QCOMPARE(result.lostCharacters, QStringList({QStringLiteral("😀"), QStringLiteral("€")}));
    // Each reaches the list as "?", read as the full-width "？".
    QCOMPARE(trimmedRow(list[0]), QStringLiteral("あ？　い？？"));

    result = TranslateEditorText(m_, QStringLiteral("あ"), list);
    QVERIFY(result.lostCharacters.isEmpty());
}

void TestWorkTranslation::workFileIsReadableByTheUserAlone()
{
    QStringList list;
    QVERIFY(TranslateEditorText(m_, QStringLiteral("あ"), list).ok);
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

    QStringList list;
    QVERIFY(TranslateEditorText(m_, QStringLiteral("か"), list).ok);
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xa9\r\n"));
    QVERIFY(!(QFileInfo(workFilePath()).permissions() & QFileDevice::ReadOther));
    QCOMPARE(list.size(), 2);

    QVERIFY(TranslateEditorText(m_, QStringLiteral("き"), list).ok);
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xab\r\n"));
    QCOMPARE(trimmedRow(list[1]), cells({32}));
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

    QStringList list;
    QVERIFY(TranslateEditorText(m_, QStringLiteral("あ"), list).ok);
    QCOMPARE(fileBytes(target), QByteArray("keep me"));
    QVERIFY(!QFileInfo(workFilePath()).isSymLink());
    QCOMPARE(fileBytes(workFilePath()), QByteArray("\x82\xa0\r\n"));
}

void TestWorkTranslation::missingCacheDirectoryIsCreated()
{
    QVERIFY(!QFileInfo::exists(cacheDir_));
    QStringList list;
    QVERIFY(TranslateEditorText(m_, QStringLiteral("あ"), list).ok);
    QVERIFY(QFileInfo(workFilePath()).isFile());
}

void TestWorkTranslation::unwritableWorkFileEndsTheTranslation()
{
    // A file where the cache directory should be: the work file cannot be
    // created, whoever runs the test.
    QStringList list;
    QVERIFY(TranslateEditorText(m_, QStringLiteral("あ\nい"), list).ok);
    QDir(cacheDir_).removeRecursively();
    QVERIFY(QDir().mkpath(QFileInfo(cacheDir_).absolutePath()));
    QFile blocker(cacheDir_);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const TranslationResult result = TranslateEditorText(m_, QStringLiteral("う"), list);
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("作業ファイル")));
    QVERIFY(list.isEmpty());
    QCOMPARE(m_.LineCount, 0);
    QCOMPARE(m_.CharGrid.lastLine(), 0);
    QCOMPARE(m_.CellGrid.row(1), QString());
}

QTEST_GUILESS_MAIN(TestWorkTranslation)
#include "tst_worktranslation.moc"
