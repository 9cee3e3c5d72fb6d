#pragma once

#include "speech/speaker.h"
#include "speech/speechoutput.h"

#include <memory>

// A voice that records what it is told: the texts in the order said, the
// stops, and the rate and voice last set. Unavailable, it says why.
class FakeSpeaker : public Speaker
{
public:
    explicit FakeSpeaker(SpeechProblem missing = {}) : m_missing(std::move(missing)) {}

    bool isAvailable() const override { return m_missing.ok(); }
    SpeechProblem unavailableReason() const override { return m_missing; }
    void say(const QString &text) override
    {
        said << text;
        ++allSaid;
    }
    void stop() override { ++stops; }
    QStringList voices() const override { return {QStringLiteral("voice-a"), QStringLiteral("voice-b")}; }
    void setVoice(const QString &name) override { voice = name; }
    void setRate(double value) override { rate = value; }

    QStringList said;
    // Texts said by every fake, also by those SpeechOutput has dropped.
    static inline int allSaid = 0;
    int stops = 0;
    QString voice;
    double rate = 0;

private:
    SpeechProblem m_missing;
};

// Puts a FakeSpeaker behind SpeechOutput for one test and returns it; the
// switch starts off. Engines made after it are new fakes missing the same.
inline FakeSpeaker *installFakeSpeaker(const SpeechProblem &missing = {})
{
    auto speaker = std::make_unique<FakeSpeaker>(missing);
    FakeSpeaker *fake = speaker.get();
    auto first = std::make_shared<std::unique_ptr<FakeSpeaker>>(std::move(speaker));
    SpeechOutput::instance().setSpeakerFactory([first, missing]() -> std::unique_ptr<Speaker> {
        if (*first)
            return std::move(*first);
        return std::make_unique<FakeSpeaker>(missing);
    });
    return fake;
}
