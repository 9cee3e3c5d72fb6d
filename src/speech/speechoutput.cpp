#include "speechoutput.h"

#include "platform/settings.h"
#include "speaker.h"
#include "texttospeechspeaker.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString kOnKey = QStringLiteral("speech/on");
const QString kRateKey = QStringLiteral("speech/rate");
const QString kVoiceKey = QStringLiteral("speech/voice");
constexpr int kRateSteps = 10;

} // namespace

SpeechOutput &SpeechOutput::instance()
{
    static SpeechOutput output;
    return output;
}

SpeechOutput::SpeechOutput()
    : m_factory([] { return std::unique_ptr<Speaker>(new TextToSpeechSpeaker); })
{
    // The engine's plugin and its connection to the speech service go with
    // the application, not after it when statics are destroyed.
    qAddPostRoutine([] { instance().m_speaker.reset(); });
}

void SpeechOutput::setSpeakerFactory(SpeakerFactory factory)
{
    m_speaker.reset();
    m_factory = std::move(factory);
    m_reason = {};
    if (m_on) {
        m_on = false;
        emit switched(false);
    }
}

Speaker *SpeechOutput::speaker()
{
    if (!m_speaker && m_factory) {
        m_speaker = m_factory();
        if (m_speaker)
            applySettings();
    }
    return m_speaker.get();
}

bool SpeechOutput::setOn(bool on)
{
    if (on) {
        // A service or voice installed since the last try is found now.
        if (m_speaker && !m_speaker->isAvailable())
            m_speaker.reset();
        Speaker *engine = speaker();
        if (!engine || !engine->isAvailable()) {
            m_reason = engine ? engine->unavailableReason() : SpeechProblem{SpeechProblem::Error::NoSpeaker};
            on = false;
        } else {
            m_reason = {};
        }
    } else if (m_speaker) {
        m_speaker->stop();
    }
    Settings::instance().setValue(kOnKey, on);
    if (on != m_on) {
        m_on = on;
        emit switched(on);
    }
    return on;
}

void SpeechOutput::say(const QString &text)
{
    if (m_on && m_speaker && !text.trimmed().isEmpty())
        m_speaker->say(text);
}

void SpeechOutput::stop()
{
    if (m_speaker)
        m_speaker->stop();
}

void SpeechOutput::applySettings()
{
    if (!m_speaker)
        return;
    m_speaker->setVoice(savedVoice());
    m_speaker->setRate(double(savedRate()) / kRateSteps);
}

bool SpeechOutput::savedOn()
{
    return Settings::instance().value(kOnKey, false).toBool();
}

int SpeechOutput::savedRate()
{
    return std::clamp(Settings::instance().value(kRateKey, 0).toInt(), -kRateSteps, kRateSteps);
}

void SpeechOutput::saveRate(int rate)
{
    Settings::instance().setValue(kRateKey, std::clamp(rate, -kRateSteps, kRateSteps));
}

QString SpeechOutput::savedVoice()
{
    return Settings::instance().value(kVoiceKey).toString();
}

void SpeechOutput::saveVoice(const QString &voice)
{
    Settings::instance().setValue(kVoiceKey, voice);
}
