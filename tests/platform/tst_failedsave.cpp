#include "braillefiles/braillefiles.h"
#include "clirun.h"
#include "failingdisk.h"
#include "kana/userdictionary.h"
#include "platform/safesave.h"
#include "platform/textfile.h"
#include "usermessages/usermessages.h"

#include <QDir>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <functional>

// Every way the program saves a file the user owns, made to fail part-way
// by a real failed write: the save says so and the old file keeps its bytes.
class TestFailedSave : public QObject
{
    Q_OBJECT

private slots:
    void oldFileSurvives_data();
    void oldFileSurvives();
    void refusesWhatIsNoRegularFile_data();
    void refusesWhatIsNoRegularFile();
    void writerThatStopsLeavesTheOldFile();
};

namespace {

// A save to the path; empty when it reported success, else its message.
using Save = std::function<QString(const QString &path)>;

// Far more than the disk takes.
const QString kLongText = QString(3000, u'か');

BraillePages longDocument()
{
    BraillePages document;
    for (int p = 0; p < 20; ++p)
        document.pages.append(QStringList(20, QString(30, QChar(0x2801 + p))));
    return document;
}

QString cliExport(const QString &path)
{
    const CliRun run = runCli(QStringLiteral(MIRABO_CLI),
                              {QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("txt"),
                               QStringLiteral("-o"), path},
                              kLongText.toUtf8());
    if (run.exitCode == 0)
        return QString();
    return run.err.isEmpty() ? QStringLiteral("(failed without a word)") : QString::fromUtf8(run.err);
}

void addRoutes(const char *kindName, FailingDisk::Kind kind)
{
    const QList<std::pair<const char *, Save>> routes = {
        {"text file",
         [](const QString &path) {
             return UserMessages::fileMessage(writeTextFile(path, kLongText, TextFileFormat()).error);
         }},
        {"braille BES",
         [](const QString &path) {
             return UserMessages::brailleFileMessage(BrailleFiles::save(path, BrailleFiles::Format::Bes, longDocument()));
         }},
        {"braille BRF",
         [](const QString &path) {
             return UserMessages::brailleFileMessage(BrailleFiles::save(path, BrailleFiles::Format::Brf, longDocument()));
         }},
        {"braille PEF",
         [](const QString &path) {
             return UserMessages::brailleFileMessage(BrailleFiles::save(path, BrailleFiles::Format::Pef, longDocument()));
         }},
        {"user dictionary",
         [](const QString &path) {
             QList<UserDictionaryEntry> entries;
             for (int i = 0; i < 300; ++i)
                 entries.append({QStringLiteral("長田%1").arg(i), QStringLiteral("おさだ")});
             return UserMessages::kanaMessage(UserDictionary::save(path, entries));
         }},
        {"mirabo-cli export -o", cliExport},
    };
    for (const auto &[name, save] : routes)
        QTest::addRow("%s, %s", name, kindName) << int(kind) << save;
}

} // namespace

void TestFailedSave::oldFileSurvives_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<Save>("save");
    addRoutes("full tmpfs", FailingDisk::Kind::FullTmpfs);
    addRoutes("file size limit", FailingDisk::Kind::FileSizeLimit);
}

void TestFailedSave::oldFileSurvives()
{
    QFETCH(int, kind);
    QFETCH(Save, save);
    FailingDisk disk{FailingDisk::Kind(kind)};
    if (!disk.ready()) {
        if (qEnvironmentVariableIsSet("CI"))
            QFAIL(qPrintable(disk.whyNot()));
        QSKIP(qPrintable(disk.whyNot()));
    }
    const QString old = disk.path(QStringLiteral("old"));
    const QString error = save(old);
    QVERIFY2(!error.isEmpty(), "a failed save reported success");
    QCOMPARE(FailingDisk::bytesOf(old), FailingDisk::oldBytes());
    // No half-written temporary file is left beside it.
    const QStringList left = QDir(QFileInfo(old).path()).entryList(QDir::Files);
    QVERIFY2(left.size() <= 2 && left.contains(QStringLiteral("old")), qPrintable(left.join(u' ')));
}

void TestFailedSave::refusesWhatIsNoRegularFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("throughCli");
    for (const char *kind : {"fifo", "folder", "character device"}) {
        QTest::addRow("%s, saveBytesSafely", kind) << QString::fromLatin1(kind) << false;
        QTest::addRow("%s, mirabo-cli export -o", kind) << QString::fromLatin1(kind) << true;
    }
}

void TestFailedSave::refusesWhatIsNoRegularFile()
{
    QFETCH(QString, kind);
    QFETCH(bool, throughCli);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    const QByteArray name = QFile::encodeName(path);
    mode_t type = S_IFIFO;
    int made = -1;
    if (kind == u"fifo") {
        made = ::mkfifo(name.constData(), 0600);
    } else if (kind == u"folder") {
        type = S_IFDIR;
        made = ::mkdir(name.constData(), 0700);
    } else {
        // A copy of /dev/null: only root may make one, and CI runs as root.
        type = S_IFCHR;
        made = ::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 3));
        if (made != 0 && !qEnvironmentVariableIsSet("CI"))
            QSKIP("making a device needs root");
    }
    QCOMPARE(made, 0);

    const QString error = throughCli ? cliExport(path) : UserMessages::fileMessage(saveBytesSafely(path, "braille").error);
    QVERIFY2(!error.isEmpty(), "the save went ahead");
    struct stat after
    {
    };
    QCOMPARE(::stat(name.constData(), &after), 0);
    QCOMPARE(after.st_mode & S_IFMT, type);
}

void TestFailedSave::writerThatStopsLeavesTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("old.pdf"));
    QVERIFY(saveBytesSafely(path, FailingDisk::oldBytes()).ok);
    const SafeSaveResult stopped = saveFileSafely(path, [](QIODevice &device) {
        device.write("half of a new file");
        return false; // as a cancelled print job does
    });
    QVERIFY(!stopped.ok);
    QCOMPARE(FailingDisk::bytesOf(path), FailingDisk::oldBytes());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});
}

QTEST_GUILESS_MAIN(TestFailedSave)
#include "tst_failedsave.moc"
