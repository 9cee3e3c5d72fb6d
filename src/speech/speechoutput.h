#pragma once

#include "speaker.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

// The program's one switch for reading aloud (表示 → 読み上げ) and the
// engine behind it. Every window says what it has to say through it; while
// the switch is off nothing is said. The engine is made the first time the
// switch is turned on, so a program that never speaks never starts a speech
// service. Rate and voice come from the settings.
class SpeechOutput : public QObject
{
    Q_OBJECT

public:
    using SpeakerFactory = std::function<std::unique_ptr<Speaker>()>;

    static SpeechOutput &instance();

    // Where engines come from; by default Qt Text to Speech. Tests put a
    // recording engine here. Drops the engine made so far and turns off.
    void setSpeakerFactory(SpeakerFactory factory);

    bool isOn() const { return m_on; }
    // Turning on makes the engine when there is none yet. False when it
    // cannot speak; the switch then stays off and unavailableReason() says
    // why. The choice is kept in the settings.
    bool setOn(bool on);
    SpeechProblem unavailableReason() const { return m_reason; }

    // Reads text aloud, cutting what is being read; nothing while off or
    // for an empty text.
    void say(const QString &text);
    void stop();

    // The engine, made when needed; null when none could be made.
    Speaker *speaker();
    // Takes rate and voice from the settings into the engine.
    void applySettings();

    // Settings of the speech, in the program's one settings object.
    static bool savedOn();
    static int savedRate(); // -10 .. 10, 0 the voice's normal rate
    static void saveRate(int rate);
    static QString savedVoice(); // empty: the engine's choice
    static void saveVoice(const QString &voice);

signals:
    void switched(bool on);

private:
    SpeechOutput();

    SpeakerFactory m_factory;
    std::unique_ptr<Speaker> m_speaker;
    bool m_on = false;
    SpeechProblem m_reason;
};
