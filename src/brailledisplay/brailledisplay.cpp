#include "brailledisplay.h"

#include <QSocketNotifier>

#include <brlapi.h>

#include <cstdlib>
#include <iterator>

// BrlAPI's connection state lives in memory of the size the library asks
// for, so that each connection is independent.
struct BrailleDisplay::Handle
{
    Handle() : memory(std::malloc(brlapi_getHandleSize())) {}
    ~Handle() { std::free(memory); }
    brlapi_handle_t *get() const { return static_cast<brlapi_handle_t *>(memory); }
    void *memory;
};

namespace {

QString lastBrlapiError()
{
    return QString::fromLocal8Bit(brlapi_strerror(&brlapi_error));
}

// BrlAPI's own handler ends the program on an error the server reports
// later (a refused write, say); the display is an extra, never worth that.
void BRLAPI_STDCALL ignoreException(brlapi_handle_t *, int, brlapi_packetType_t, const void *, size_t) {}

} // namespace

BrailleDisplay::BrailleDisplay(QObject *parent) : QObject(parent) {}

BrailleDisplay::~BrailleDisplay()
{
    close();
}

bool BrailleDisplay::isOpen() const
{
    return handle_ != nullptr;
}

BrailleDisplayError BrailleDisplay::fail(BrailleDisplayError error)
{
    errorDetail_ = lastBrlapiError();
    return error;
}

BrailleDisplayError BrailleDisplay::open()
{
    if (isOpen())
        return BrailleDisplayError::None;
    auto handle = std::make_unique<Handle>();
    // Null settings: BrlAPI reads BRLAPI_HOST and BRLAPI_AUTH, or its defaults.
    const int fd = brlapi__openConnection(handle->get(), nullptr, nullptr);
    if (fd < 0) {
        const bool refused = brlapi_error.brlerrno == BRLAPI_ERROR_AUTHENTICATION;
        return fail(refused ? BrailleDisplayError::NotAuthorized : BrailleDisplayError::NoServer);
    }
    brlapi__setExceptionHandler(handle->get(), ignoreException);
    unsigned int columns = 0;
    unsigned int rows = 0;
    if (brlapi__getDisplaySize(handle->get(), &columns, &rows) < 0 || columns == 0) {
        const BrailleDisplayError error = fail(BrailleDisplayError::NoCells);
        brlapi__closeConnection(handle->get());
        return error;
    }
    cellCount_ = int(columns);
    handle_ = std::move(handle);
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &BrailleDisplay::readKeys);
    errorDetail_.clear();
    return BrailleDisplayError::None;
}

void BrailleDisplay::close()
{
    if (!isOpen())
        return;
    release();
    delete notifier_;
    notifier_ = nullptr;
    brlapi__closeConnection(handle_->get());
    handle_.reset();
    cellCount_ = 0;
}

BrailleDisplayError BrailleDisplay::claim()
{
    if (!isOpen())
        return BrailleDisplayError::NoServer;
    if (claimed_)
        return BrailleDisplayError::None;
    // The root of the terminal tree (with WINDOWPATH or XDG_VTNR put before
    // it by BrlAPI), as screen readers of a graphical desktop take it;
    // commands rather than a model's own key codes.
    if (brlapi__enterTtyModeWithPath(handle_->get(), nullptr, 0, nullptr) < 0)
        return fail(BrailleDisplayError::NotClaimed);
    // Only the keys Mirabo acts on; BRLTTY keeps the others (its menus,
    // speech). Braille keys come as dots when a client takes them as dots,
    // not as characters of BRLTTY's text table, which knows no Japanese
    // braille.
    brlapi__ignoreAllKeys(handle_->get());
    const brlapi_keyCode_t blocks[] = {BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_ROUTE,
                                       BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_PASSDOTS};
    brlapi__acceptKeys(handle_->get(), brlapi_rangeType_command, blocks, std::size(blocks));
    const brlapi_keyCode_t commands[] = {
        BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINLT,     BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINRT,
        BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINLTSKIP, BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_FWINRTSKIP,
        BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_LNUP,       BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_LNDN,
        // The space bar of the braille keyboard alone comes as a typed blank.
        BRLAPI_KEY_TYPE_SYM | u' ',
    };
    brlapi__acceptKeys(handle_->get(), brlapi_rangeType_key, commands, std::size(commands));
    claimed_ = true;
    return BrailleDisplayError::None;
}

void BrailleDisplay::release()
{
    if (!claimed_)
        return;
    claimed_ = false;
    brlapi__leaveTtyMode(handle_->get());
}

void BrailleDisplay::write(const std::vector<unsigned char> &dots)
{
    if (!claimed_)
        return;
    std::vector<unsigned char> cells(std::size_t(cellCount_), 0);
    std::copy_n(dots.begin(), std::min(dots.size(), cells.size()), cells.begin());
    if (brlapi__writeDots(handle_->get(), cells.data()) < 0 && brlapi_error.brlerrno == BRLAPI_ERROR_EOF)
        lose();
}

void BrailleDisplay::readKeys()
{
    if (!isOpen())
        return;
    brlapi_keyCode_t code = 0;
    for (;;) {
        const int read = brlapi__readKey(handle_->get(), 0, &code);
        if (read < 0) {
            // A closed socket; anything else leaves the connection usable.
            if (brlapi_error.brlerrno == BRLAPI_ERROR_EOF || brlapi_error.brlerrno == BRLAPI_ERROR_LIBCERR)
                lose();
            return;
        }
        if (read == 0)
            return;
        const DisplayKey key = displayKeyFromCode(code);
        if (key.kind != DisplayKey::Kind::Other)
            emit keyPressed(key);
        // A slot may have closed the connection.
        if (!isOpen())
            return;
    }
}

void BrailleDisplay::lose()
{
    errorDetail_ = lastBrlapiError();
    claimed_ = false;
    delete notifier_;
    notifier_ = nullptr;
    brlapi__closeConnection(handle_->get());
    handle_.reset();
    cellCount_ = 0;
    emit connectionLost();
}
