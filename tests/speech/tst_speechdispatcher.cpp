#include "speech/texttospeechspeaker.h"

#include <QDir>
#include <QFile>
#include <QMetaEnum>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QTextToSpeech>

#include <cstdio>

// Reading aloud through the real speech-dispatcher and espeak-ng. The test
// gives speech-dispatcher a configuration of its own (in the test's HOME)
// that plays into ALSA's null device, so it runs as root on a machine
// without sound; the server it starts goes away by itself when the test
// disconnects.
class TestSpeechDispatcher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void speaksJapaneseToTheEnd();
};

void TestSpeechDispatcher::initTestCase()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                        + QStringLiteral("/speech-dispatcher");
    QVERIFY(QDir().mkpath(dir));
    QFile config(dir + QStringLiteral("/speechd.conf"));
    QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    config.write("AudioOutputMethod \"alsa\"\n"
                 "AudioALSADevice \"null\"\n"
                 "AddModule \"espeak-ng\" \"sd_espeak-ng\" \"espeak-ng.conf\"\n"
                 "DefaultModule espeak-ng\n"
                 "DefaultLanguage \"ja\"\n");
}

void TestSpeechDispatcher::speaksJapaneseToTheEnd()
{
    TextToSpeechSpeaker speaker(QStringLiteral("speechd"));
    const SpeechProblem reason = speaker.unavailableReason();
    QVERIFY2(speaker.isAvailable(), qPrintable(QString::fromLatin1(QMetaEnum::fromType<SpeechProblem::Error>().valueToKey(
                                                   int(reason.error))) + u' ' + reason.detail));
    QVERIFY(!speaker.voices().isEmpty());
    QTextToSpeech *engine = speaker.engine();
    QSignalSpy states(engine, &QTextToSpeech::stateChanged);
    speaker.setRate(0.5);
    speaker.say(QStringLiteral("キョーワ イイ テンキ デス"));
    QTRY_VERIFY_WITH_TIMEOUT(states.contains(QVariantList{QVariant::fromValue(QTextToSpeech::Speaking)}), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(engine->state(), QTextToSpeech::Ready, 20000);
    QCOMPARE(engine->errorReason(), QTextToSpeech::ErrorReason::NoError);
}

// Without speech-dispatcher or Qt's plugin for it the test cannot run: it
// says so and ends with the code CTest counts as skipped, never as passed;
// on a CI machine (CI set), whose set-up installs both, it fails instead.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool server = !QStandardPaths::findExecutable(QStringLiteral("speech-dispatcher")).isEmpty();
    const bool plugin = QTextToSpeech::availableEngines().contains(QStringLiteral("speechd"));
    if (!server || !plugin) {
        std::fprintf(stderr, "SKIP: speech-dispatcher (%s) or qt6-speech-speechd-plugin (%s) is not installed\n",
                     server ? "found" : "missing", plugin ? "found" : "missing");
        return qEnvironmentVariableIsSet("CI") ? 1 : 77;
    }
    TestSpeechDispatcher test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_speechdispatcher.moc"
