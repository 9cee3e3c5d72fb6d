#pragma once

#include "displaykey.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QSocketNotifier;

// Why the display could not be used.
enum class BrailleDisplayError {
    None,
    NoServer,       // no BRLTTY answers at the BrlAPI host
    NotAuthorized,  // BRLTTY refused the key
    NoCells,        // BRLTTY runs without a braille display
    NotClaimed,     // BRLTTY would not give the display to Mirabo
    ConnectionLost, // BRLTTY went away while in use
};

// A connection to BRLTTY through BrlAPI. Host and key come from the usual
// BrlAPI settings (BRLAPI_HOST, BRLAPI_AUTH, BRLTTY's key file). While
// claimed the display shows what write() gives it and its keys arrive as
// keyPressed(), read when BrlAPI's socket has data, never by polling.
// Whoever holds the connection releases the display when it no longer has
// the user's attention, so that BRLTTY shows the screen again.
class BrailleDisplay : public QObject
{
    Q_OBJECT

public:
    explicit BrailleDisplay(QObject *parent = nullptr);
    ~BrailleDisplay() override;

    BrailleDisplayError open();
    // Releases the display and closes the connection.
    void close();
    bool isOpen() const;
    // BrlAPI's words for the last failure, for the detail of a message.
    QString errorDetail() const { return errorDetail_; }

    // Cells of the display's text row.
    int cellCount() const { return cellCount_; }

    // Takes the display from BRLTTY's own screen; its keys come to Mirabo.
    BrailleDisplayError claim();
    void release();
    bool isClaimed() const { return claimed_; }

    // Shows one display's worth of dots (dot 1 in bit 0); missing cells are
    // blank. Only while claimed.
    void write(const std::vector<unsigned char> &dots);

signals:
    void keyPressed(const DisplayKey &key);
    // BRLTTY stopped; the connection is closed.
    void connectionLost();

private:
    void readKeys();
    void lose();
    BrailleDisplayError fail(BrailleDisplayError error);

    struct Handle;
    std::unique_ptr<Handle> handle_;
    QSocketNotifier *notifier_ = nullptr;
    int cellCount_ = 0;
    bool claimed_ = false;
    QString errorDetail_;
};
