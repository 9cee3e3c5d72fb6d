#include "texttospeechspeaker.h"

#include <QLocale>
#include <QTextToSpeech>

namespace {

const QString kSpeechDispatcher = QStringLiteral("speechd");

QString chooseEngine(const QString &wanted)
{
    const QStringList engines = QTextToSpeech::availableEngines();
    if (!wanted.isEmpty())
        return engines.contains(wanted) ? wanted : QString();
    if (engines.contains(kSpeechDispatcher))
        return kSpeechDispatcher;
    return engines.value(0);
}

} // namespace

TextToSpeechSpeaker::TextToSpeechSpeaker(const QString &engine, QObject *parent)
    : Speaker(parent)
{
    const QString chosen = chooseEngine(engine);
    if (chosen.isEmpty()) {
        m_reason = {SpeechProblem::Error::NoEngine};
        return;
    }
    m_speech = new QTextToSpeech(chosen, this);
    if (m_speech->state() == QTextToSpeech::Error) {
        m_reason = {SpeechProblem::Error::NoService, m_speech->errorString()};
        return;
    }
    // The kana are Japanese: a voice of another language would spell them
    // out or say nothing.
    for (const QLocale &locale : m_speech->availableLocales()) {
        if (locale.language() == QLocale::Japanese) {
            m_speech->setLocale(locale);
            m_voices = m_speech->availableVoices();
            break;
        }
    }
    if (m_voices.isEmpty())
        m_reason = {SpeechProblem::Error::NoJapaneseVoice};
}

TextToSpeechSpeaker::~TextToSpeechSpeaker() = default;

void TextToSpeechSpeaker::say(const QString &text)
{
    if (!isAvailable())
        return;
    m_speech->say(text);
}

void TextToSpeechSpeaker::stop()
{
    if (m_speech)
        m_speech->stop();
}

QStringList TextToSpeechSpeaker::voices() const
{
    QStringList names;
    for (const QVoice &voice : m_voices)
        names << voice.name();
    return names;
}

void TextToSpeechSpeaker::setVoice(const QString &name)
{
    for (const QVoice &voice : m_voices) {
        if (voice.name() == name) {
            m_speech->setVoice(voice);
            return;
        }
    }
}

void TextToSpeechSpeaker::setRate(double rate)
{
    if (m_speech)
        m_speech->setRate(qBound(-1.0, rate, 1.0));
}
