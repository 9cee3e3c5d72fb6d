#pragma once

#include "speechproblem.h"

#include <QObject>
#include <QString>
#include <QStringList>

// A voice that reads text aloud. A new utterance cuts the one being read:
// the user moved on, and the old line is no longer what they look at.
class Speaker : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // False when nothing can be heard: no engine, no speech service or no
    // voice; unavailableReason() then says which.
    virtual bool isAvailable() const = 0;
    virtual SpeechProblem unavailableReason() const = 0;

    virtual void say(const QString &text) = 0;
    virtual void stop() = 0;

    // The names of the voices to choose from, best for Japanese first.
    virtual QStringList voices() const = 0;
    // An unknown or empty name keeps the engine's choice.
    virtual void setVoice(const QString &name) = 0;
    // -1.0 (slowest) .. 1.0 (fastest), 0 the engine's normal rate.
    virtual void setRate(double rate) = 0;
};
