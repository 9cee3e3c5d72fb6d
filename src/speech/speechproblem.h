#pragma once

#include <QObject>
#include <QString>

// Why nothing can be heard; the windows word it.
struct SpeechProblem
{
    Q_GADGET

public:
    enum class Error {
        None,
        NoEngine,        // no Qt Text to Speech engine (plugin) is installed
        NoService,       // the engine cannot reach its speech service; `detail` is its reason
        NoJapaneseVoice, // the service has no Japanese voice
        NoSpeaker        // no engine could be made at all
    };
    Q_ENUM(Error)

    Error error = Error::None;
    QString detail{};
    bool ok() const { return error == Error::None; }
    explicit operator bool() const { return !ok(); }
};
