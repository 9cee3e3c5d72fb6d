#pragma once

#include "speaker.h"

#include <QList>
#include <QVoice>

class QTextToSpeech;

// A Speaker through Qt Text to Speech: speech-dispatcher where its plugin is
// installed, with a Japanese voice (espeak-ng's among them) when one exists.
class TextToSpeechSpeaker : public Speaker
{
    Q_OBJECT

public:
    // engine: a Qt Text to Speech engine name; empty picks speech-dispatcher
    // when there, otherwise Qt's first.
    explicit TextToSpeechSpeaker(const QString &engine = {}, QObject *parent = nullptr);
    ~TextToSpeechSpeaker() override;

    bool isAvailable() const override { return m_reason.ok(); }
    SpeechProblem unavailableReason() const override { return m_reason; }
    void say(const QString &text) override;
    void stop() override;
    QStringList voices() const override;
    void setVoice(const QString &name) override;
    void setRate(double rate) override;

    // The engine's state and error, for the run against the real service.
    QTextToSpeech *engine() const { return m_speech; }

private:
    QTextToSpeech *m_speech = nullptr;
    QList<QVoice> m_voices; // Japanese ones
    SpeechProblem m_reason;
};
