#include "cliinprocess.h"
#include "embossing/embossing.h"
#include "usermessages/usermessages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cups/cups.h>

#include <grp.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// The kana of the examples: あ ⠁ (A), い ⠃ (B), う ⠉ (C), か ⠡ (*), さ ⠱ (:).
const QString kQueue = QStringLiteral("embosser");
const QString kQueueInfo = QStringLiteral("試験用の点字プリンタ");

// Short lines of kana, as many as asked.
QString textOfLines(int count)
{
    const QString kana[] = {QStringLiteral("あい"), QStringLiteral("うか"), QStringLiteral("さあ")};
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << kana[i % 3];
    return lines.join(u'\n');
}

// The pages of a BRF file, each with its form feed.
QList<QByteArray> brfPages(const QByteArray &brf)
{
    QList<QByteArray> pages;
    qsizetype start = 0;
    for (qsizetype end = brf.indexOf('\f'); end >= 0; end = brf.indexOf('\f', start)) {
        pages << brf.mid(start, end + 1 - start);
        start = end + 1;
    }
    return pages;
}

QByteArray joined(const QList<QByteArray> &pages, int first, int last)
{
    QByteArray bytes;
    for (int page = first; page <= last && page <= pages.size(); ++page)
        bytes += pages.at(page - 1);
    return bytes;
}

} // namespace

// mirabo-cli emboss and printers against a cupsd of the test's own, on a
// private socket, whose queue writes what it is sent into a file.
class TestEmbossing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pageRanges_data();
    void pageRanges();
    void bytesThatArriveAreTheExportedBrf_data();
    void bytesThatArriveAreTheExportedBrf();
    void brailleFileIsSentAsItIs();
    void copiesAndSidesGoWithTheJob_data();
    void copiesAndSidesGoWithTheJob();
    void printersListsTheQueues();
    void refusals_data();
    void refusals();
    void withoutServerTheMessageComesQuickly_data();
    void withoutServerTheMessageComesQuickly();

private:
    bool startServer();
    QString serverPath(const QString &name) const { return m_dir.filePath(name); }
    // Waits until the capture file holds bytes and no more come.
    QByteArray arrived();
    // The attribute of a job as the server keeps it.
    QString jobAttribute(int jobId, const char *name);

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/cups-XXXXXX")};
    QProcess m_cupsd;
    QString m_socket;
};

bool TestEmbossing::startServer()
{
    const QString cupsd = QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"),
                                                                                    QStringLiteral("/sbin")});
    const QString lpadmin = QStandardPaths::findExecutable(QStringLiteral("lpadmin"));
    if (cupsd.isEmpty() || lpadmin.isEmpty()) {
        qWarning("cupsd or lpadmin is missing: install cups-daemon and cups-client (scripts/setup test)");
        return false;
    }
    for (const char *folder : {"spool", "tmp", "cache", "state"})
        QDir(m_dir.path()).mkdir(QString::fromLatin1(folder));
    m_socket = serverPath(QStringLiteral("cups.sock"));
    QFile conf(serverPath(QStringLiteral("cupsd.conf")));
    QFile files(serverPath(QStringLiteral("cups-files.conf")));
    if (!conf.open(QIODevice::WriteOnly) || !files.open(QIODevice::WriteOnly))
        return false;
    // No network, no browsing: only the socket, open to this user.
    conf.write(QStringLiteral("Listen %1\nBrowsing No\nWebInterface No\nLogLevel info\n"
                              "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                              "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                   .arg(m_socket)
                   .toUtf8());
    QString fileSettings = QStringLiteral("FileDevice Yes\nServerRoot %1\nRequestRoot %1/spool\nTempDir %1/tmp\n"
                                          "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/access_log\n"
                                          "ErrorLog %1/error_log\nPageLog %1/page_log\nPrintcap %1/printcap\n")
                               .arg(m_dir.path());
    if (geteuid() != 0) {
        // A user's own cupsd runs its filters as that user.
        const passwd *user = getpwuid(geteuid());
        const group *userGroup = getgrgid(getegid());
        if (user && userGroup)
            fileSettings += QStringLiteral("User %1\nGroup %2\nSystemGroup %2\n")
                                .arg(QString::fromLocal8Bit(user->pw_name), QString::fromLocal8Bit(userGroup->gr_name));
    }
    files.write(fileSettings.toUtf8());
    conf.close();
    files.close();

    m_cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
    m_cupsd.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), conf.fileName(), QStringLiteral("-s"),
                          files.fileName()});
    if (!m_cupsd.waitForStarted())
        return false;
    // Ready once the socket takes connections.
    qputenv("CUPS_SERVER", m_socket.toUtf8());
    cupsSetServer(nullptr);
    bool ready = false;
    for (int attempt = 0; attempt < 100 && !ready && m_cupsd.state() == QProcess::Running; ++attempt) {
        ready = Embossing::listQueues(1000).error.ok();
        if (!ready)
            QTest::qWait(100);
    }
    if (!ready) {
        qWarning("cupsd did not start; its log follows.");
        QFile log(serverPath(QStringLiteral("error_log")));
        if (log.open(QIODevice::ReadOnly))
            qWarning("%s", log.readAll().constData());
        return false;
    }
    QFile(serverPath(QStringLiteral("out.brf"))).open(QIODevice::WriteOnly);
    QProcess add;
    add.setProcessChannelMode(QProcess::ForwardedChannels);
    add.start(lpadmin, {QStringLiteral("-h"), m_socket, QStringLiteral("-p"), kQueue, QStringLiteral("-E"),
                        QStringLiteral("-D"), kQueueInfo, QStringLiteral("-v"),
                        QStringLiteral("file://") + serverPath(QStringLiteral("out.brf")), QStringLiteral("-P"),
                        QStringLiteral(CAPTURE_PPD)});
    return add.waitForFinished(30000) && add.exitStatus() == QProcess::NormalExit && add.exitCode() == 0;
}

void TestEmbossing::initTestCase()
{
    QVERIFY(m_dir.isValid());
    // A missing or broken cupsd fails the test: embossing must be tested.
    QVERIFY2(startServer(), "the test's own cupsd could not be started");
}

void TestEmbossing::cleanupTestCase()
{
    if (m_cupsd.state() == QProcess::Running) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000))
            m_cupsd.kill();
        m_cupsd.waitForFinished();
    }
}

QByteArray TestEmbossing::arrived()
{
    QFile out(serverPath(QStringLiteral("out.brf")));
    QByteArray bytes;
    qint64 lastSize = -1;
    for (int attempt = 0; attempt < 200; ++attempt) {
        const qint64 size = QFileInfo(out.fileName()).size();
        if (size > 0 && size == lastSize)
            break;
        lastSize = size;
        QTest::qWait(100);
    }
    if (out.open(QIODevice::ReadWrite)) {
        bytes = out.readAll();
        out.resize(0); // empty for the next job
    }
    return bytes;
}

QString TestEmbossing::jobAttribute(int jobId, const char *name)
{
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    const QByteArray uri = QByteArrayLiteral("ipp://localhost/jobs/") + QByteArray::number(jobId);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, name);
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString value;
    if (ipp_attribute_t *attribute = response ? ippFindAttribute(response, name, IPP_TAG_ZERO) : nullptr) {
        char text[256];
        ippAttributeString(attribute, text, sizeof text);
        value = QString::fromUtf8(text);
    }
    ippDelete(response);
    return value;
}

void TestEmbossing::pageRanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("a range") << QStringLiteral("2-5") << true << 2 << 5;
    QTest::newRow("one page") << QStringLiteral("7") << true << 7 << 7;
    QTest::newRow("to the end") << QStringLiteral("3-") << true << 3 << 0;
    QTest::newRow("from the start") << QStringLiteral("-4") << true << 1 << 4;
    QTest::newRow("blanks around") << QStringLiteral(" 2 - 3 ") << true << 2 << 3;
    QTest::newRow("backwards") << QStringLiteral("5-2") << false << 0 << 0;
    QTest::newRow("page 0") << QStringLiteral("0-2") << false << 0 << 0;
    QTest::newRow("only a dash") << QStringLiteral("-") << false << 0 << 0;
    QTest::newRow("two numbers without a dash") << QStringLiteral("2 3") << false << 0 << 0;
    QTest::newRow("words") << QStringLiteral("all") << false << 0 << 0;
}

void TestEmbossing::pageRanges()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    const std::optional<PageRange> range = PageRange::parse(text);
    QCOMPARE(range.has_value(), valid);
    if (valid) {
        QFETCH(int, first);
        QFETCH(int, last);
        QCOMPARE(range->first, first);
        QCOMPARE(range->last, last);
    }
}

void TestEmbossing::bytesThatArriveAreTheExportedBrf_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    // 35 lines at 10 lines a page: four pages.
    QTest::newRow("the whole document") << QStringList() << 1 << 4;
    QTest::newRow("a range") << QStringList{QStringLiteral("--pages"), QStringLiteral("2-3")} << 2 << 3;
    QTest::newRow("to the end") << QStringList{QStringLiteral("--pages"), QStringLiteral("3-")} << 3 << 4;
    QTest::newRow("past the end is cut") << QStringList{QStringLiteral("--pages"), QStringLiteral("4-9")} << 4 << 4;
    // Page 2 is the back of the first sheet: both sides go again.
    QTest::newRow("two-sided, whole sheets")
        << QStringList{QStringLiteral("--pages"), QStringLiteral("2-3"), QStringLiteral("--two-sided")} << 1 << 4;
}

void TestEmbossing::bytesThatArriveAreTheExportedBrf()
{
    QFETCH(QStringList, options);
    QFETCH(int, first);
    QFETCH(int, last);
    const QByteArray text = textOfLines(35).toUtf8();
    const QStringList layout{QStringLiteral("--lines"), QStringLiteral("10"), QStringLiteral("--page-numbers")};
    const CliRun exported =
        runCliInProcess(QStringList{QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("brf")} +
                            layout,
                        text);
    QCOMPARE(exported.exitCode, 0);
    const QList<QByteArray> pages = brfPages(exported.out);
    QCOMPARE(pages.size(), 4);

    const CliRun embossed = runCliInProcess(
        QStringList{QStringLiteral("emboss"), QStringLiteral("--printer"), kQueue} + layout + options, text);
    QVERIFY2(embossed.exitCode == 0, embossed.err.constData());
    QCOMPARE(arrived(), joined(pages, first, last));
}

void TestEmbossing::brailleFileIsSentAsItIs()
{
    // Pages of 10 lines, read back from the file by its form feeds.
    const QString path = serverPath(QStringLiteral("book.brf"));
    const CliRun exported =
        runCliInProcess({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("brf"),
                         QStringLiteral("--lines"), QStringLiteral("10"), QStringLiteral("-o"), path},
                        textOfLines(25).toUtf8());
    QCOMPARE(exported.exitCode, 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> pages = brfPages(file.readAll());
    QCOMPARE(pages.size(), 3);
    const CliRun embossed = runCliInProcess(
        {QStringLiteral("emboss"), QStringLiteral("--printer"), kQueue, QStringLiteral("--pages"), QStringLiteral("2-"), path});
    QVERIFY2(embossed.exitCode == 0, embossed.err.constData());
    QCOMPARE(arrived(), joined(pages, 2, 3));
}

void TestEmbossing::copiesAndSidesGoWithTheJob_data()
{
    QTest::addColumn<int>("copies");
    QTest::addColumn<bool>("twoSided");
    QTest::addColumn<QString>("sides");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("one copy, one side") << 1 << false << QStringLiteral("one-sided")
                                        << QByteArray("AB\r\n\fC\r\n\fFI\r\n\f");
    // Three pages on two sheets: the last back stays blank, so that the next
    // copy starts on a front.
    QTest::newRow("three copies, interpoint") << 3 << true << QStringLiteral("two-sided-long-edge")
                                              << QByteArray("AB\r\n\fC\r\n\fFI\r\n\f\f");
}

void TestEmbossing::copiesAndSidesGoWithTheJob()
{
    QFETCH(int, copies);
    QFETCH(bool, twoSided);
    QFETCH(QString, sides);
    QFETCH(QByteArray, bytes);
    Embossing::Job job;
    job.queue = kQueue;
    job.title = QStringLiteral("部数の試験");
    job.document.pages = {{QStringLiteral("⠁⠃")}, {QStringLiteral("⠉")}, {QStringLiteral("⠋⠊")}};
    job.copies = copies;
    job.twoSided = twoSided;
    const Embossing::Sent sent = Embossing::send(job);
    QVERIFY2(sent.error.ok(), qPrintable(UserMessages::embossingMessage(sent.error)));
    QVERIFY(sent.jobId > 0);
    QCOMPARE(arrived(), bytes);
    QCOMPARE(jobAttribute(sent.jobId, "copies"), QString::number(copies));
    QCOMPARE(jobAttribute(sent.jobId, "sides"), sides);
    QCOMPARE(jobAttribute(sent.jobId, "document-format"), QStringLiteral("application/vnd.cups-brf"));
}

void TestEmbossing::printersListsTheQueues()
{
    const CliRun listed = runCliInProcess({QStringLiteral("printers")});
    QCOMPARE(listed.exitCode, 0);
    const QStringList lines = QString::fromUtf8(listed.out).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    const QStringList fields = lines.first().split(u'\t');
    QCOMPARE(fields.value(0), kQueue);
    QCOMPARE(fields.value(2), kQueueInfo);
    QCOMPARE(fields.value(3), QStringLiteral("BRF capture"));
}

void TestEmbossing::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("named");
    QTest::newRow("no such queue") << QStringList{QStringLiteral("--printer"), QStringLiteral("nowhere")} << 1
                                   << QStringLiteral("nowhere");
    QTest::newRow("a range past the end") << QStringList{QStringLiteral("--printer"), kQueue,
                                                         QStringLiteral("--pages"), QStringLiteral("5-")}
                                          << 1 << QStringLiteral("ページ");
    QTest::newRow("no queue named") << QStringList() << 2 << QStringLiteral("--printer");
    QTest::newRow("copies 0") << QStringList{QStringLiteral("--printer"), kQueue, QStringLiteral("--copies"),
                                             QStringLiteral("0")}
                              << 2 << QStringLiteral("--copies");
}

void TestEmbossing::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, named);
    const CliRun run = runCliInProcess(QStringList{QStringLiteral("emboss")} + args, textOfLines(3).toUtf8());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(QString::fromUtf8(run.err).contains(named), run.err.constData());
    // Nothing reached the embosser.
    QTest::qWait(300);
    QCOMPARE(QFileInfo(serverPath(QStringLiteral("out.brf"))).size(), 0);
}

void TestEmbossing::withoutServerTheMessageComesQuickly_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::newRow("emboss") << QStringList{QStringLiteral("emboss"), QStringLiteral("--printer"), kQueue};
    QTest::newRow("printers") << QStringList{QStringLiteral("printers")};
}

void TestEmbossing::withoutServerTheMessageComesQuickly()
{
    QFETCH(QStringList, command);
    // A socket no server listens on, and one whose server never answers.
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.sock"));
    const QString silent = dir.filePath(QStringLiteral("silent.sock"));
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(silent).constData(), sizeof address.sun_path);
    QVERIFY(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
    QVERIFY(listen(listener, 4) == 0);

    for (const QString &server : {missing, silent}) {
        qputenv("CUPS_SERVER", server.toUtf8());
        cupsSetServer(nullptr);
        QElapsedTimer timer;
        timer.start();
        const CliRun run = runCliInProcess(command, textOfLines(2).toUtf8());
        // The library gives up after five seconds; a hang would be minutes.
        QVERIFY2(timer.elapsed() < 20000, qPrintable(server));
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains("BRF"), run.err.constData());
    }
    ::close(listener);
    qputenv("CUPS_SERVER", m_socket.toUtf8());
    cupsSetServer(nullptr);
}

QTEST_GUILESS_MAIN(TestEmbossing)
#include "tst_embossing.moc"
