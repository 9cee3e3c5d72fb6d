#include "linetext.h"

#include "braillepages/braillecells.h"
#include "braillepages/pagesettings.h"
#include "formats.h"

#include <QIODevice>
#include <QStringDecoder>

#include <array>

namespace BrailleFiles {

namespace {

constexpr qsizetype kBlockSize = 1 << 16;

// The cell of every BRF byte, lowercase letters and their neighbours read
// as uppercase; -1 where BRF has none.
struct BrfCells
{
    std::array<signed char, 256> masks{};
    BrfCells()
    {
        masks.fill(-1);
        for (int m = 0; m < 64; ++m)
            masks[uchar(kBrailleAscii[m])] = static_cast<signed char>(m);
        for (int c = 0x60; c <= 0x7E; ++c)
            masks[c] = masks[c - 0x20];
    }
};

// The length of the bytes up to a UTF-8 sequence the end cuts short.
qsizetype wholeUtf8(QByteArrayView bytes)
{
    const qsizetype size = bytes.size();
    for (qsizetype back = 1; back <= qMin<qsizetype>(3, size); ++back) {
        const uchar byte = uchar(bytes[size - back]);
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for its lead
        const qsizetype needed = byte >= 0xF8 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return needed > back ? size - back : size;
    }
    return size;
}

// Reads the device a block at a time into `bytes`; false at its end or
// when it cannot be read.
bool readBlock(QIODevice &device, QByteArray &bytes, bool &error)
{
    bytes.resize(kBlockSize);
    const qint64 n = device.read(bytes.data(), kBlockSize);
    if (n < 0) {
        error = true;
        bytes.clear();
        return false;
    }
    bytes.resize(n);
    return n > 0;
}

} // namespace

LineTextDecoder::LineTextDecoder(Format format) : format_(format) {}

bool LineTextDecoder::decode(QByteArrayView bytes, QString &text)
{
    if (stopped_)
        return false;
    if (format_ == Format::Brf)
        return decodeBrf(bytes, text);
    QByteArray joined;
    if (!tail_.isEmpty()) {
        joined = tail_ + bytes.toByteArray();
        bytes = joined;
    }
    // A sequence the block cuts waits for the rest of its bytes.
    const qsizetype whole = wholeUtf8(bytes);
    QByteArray tail = bytes.sliced(whole).toByteArray();
    // Byte-order marks are dropped by decodeUnicode, at the start only.
    QStringDecoder utf8(QStringConverter::Utf8,
                        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    const QString decoded = utf8.decode(bytes.first(whole));
    const bool going = decodeUnicode(decoded, text);
    tail_ = std::move(tail);
    return going;
}

void LineTextDecoder::finish(QString &text)
{
    if (stopped_)
        return;
    if (!tail_.isEmpty()) {
        // Bytes of a sequence the file cuts short: no character.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        const QString rest = utf8.decode(tail_);
        tail_.clear();
        if (!decodeUnicode(rest, text))
            return;
    }
    if (pendingReturn_)
        text += u'\n';
    pendingReturn_ = false;
}

void LineTextDecoder::endPendingReturn(QChar next, QString &text)
{
    if (pendingReturn_ && next != u'\n')
        text += u'\n';
    pendingReturn_ = false;
}

bool LineTextDecoder::decodeBrf(QByteArrayView bytes, QString &text)
{
    static const BrfCells brf;
    text.reserve(text.size() + bytes.size() + 1);
    for (const char byte : bytes) {
        endPendingReturn(QChar(uchar(byte)), text);
        if (byte == '\x1A') { // the old end-of-file mark
            stopped_ = true;
            return false;
        }
        if (byte == '\n' || byte == '\f') {
            text += QChar(uchar(byte));
        } else if (byte == '\r') {
            pendingReturn_ = true;
        } else {
            const int mask = brf.masks[uchar(byte)];
            if (mask < 0) {
                problem_ = {ReadError::NotBrfCode, 0, 0, QString(), uchar(byte)};
                stopped_ = true;
                return false;
            }
            text += BrailleCells::fromMask(mask);
        }
    }
    return true;
}

bool LineTextDecoder::decodeUnicode(QStringView decoded, QString &text)
{
    text.reserve(text.size() + decoded.size() + 1);
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded[i];
        // The text may start with a byte-order mark, even two.
        if (bomsAllowed_ > 0 && c == QChar(0xFEFF)) {
            --bomsAllowed_;
            continue;
        }
        bomsAllowed_ = 0;
        endPendingReturn(c, text);
        if (BrailleCells::isCell(c) || c == u'\n' || c == u'\f') {
            text += c;
        } else if (c == u'\r') {
            pendingReturn_ = true;
        } else if (c == u' ' || c == u'　') { // spaces typed by hand stand for blank cells
            text += QChar(BrailleCells::kBlank);
        } else {
            if (c == QChar::ReplacementCharacter) {
                problem_.error = ReadError::NotUtf8;
            } else {
                // A character beyond the BMP is named whole.
                const bool pair = c.isHighSurrogate() && i + 1 < decoded.size() && decoded[i + 1].isLowSurrogate();
                problem_ = {ReadError::NotBrailleCharacter, 0, 0, decoded.sliced(i, pair ? 2 : 1).toString()};
            }
            stopped_ = true;
            return false;
        }
    }
    return true;
}

LineTextPages::LineTextPages(bool formFeeds, int linesPerPage, PageDone done)
    : formFeeds_(formFeeds), linesPerPage_(qBound(1, linesPerPage, PageSettings::kMaxLines)), done_(std::move(done))
{
}

bool LineTextPages::add(QStringView text)
{
    for (const QChar c : text) {
        if (stopped_)
            return false;
        if (c == u'\f' && formFeeds_) {
            endPage();
            continue;
        }
        pieceEmpty_ = false;
        if (c == u'\n' || c == u'\f') {
            endLine();
        } else if (BrailleCells::isBlank(c)) {
            ++blanks_;
        } else {
            if (!lineCounted_ && !lineStands())
                return false;
            if (line_.size() + blanks_ + 1 > PageSettings::kMaxCells)
                return outOfBounds(ReadError::TooManyCells, PageSettings::kMaxCells);
            if (blanks_ > 0)
                line_.append(QString(blanks_, QChar(BrailleCells::kBlank)));
            blanks_ = 0;
            line_ += c;
        }
    }
    return !stopped_;
}

bool LineTextPages::lineStands()
{
    if (formFeeds_ && page_.size() >= PageSettings::kMaxLines)
        return outOfBounds(ReadError::TooManyLines, PageSettings::kMaxLines);
    // Without form feeds a page ends after its number of lines.
    if (!formFeeds_ && page_.size() >= linesPerPage_ && !handOn())
        return false;
    lineCounted_ = true;
    return true;
}

bool LineTextPages::endLine()
{
    if (!lineCounted_ && !lineStands())
        return false;
    page_.append(line_);
    line_.clear();
    blanks_ = 0;
    lineCounted_ = false;
    return true;
}

bool LineTextPages::endPage()
{
    sawFormFeed_ = true;
    // What follows the last line end is a line when it has a cell.
    if (lineCounted_ && !endLine())
        return false;
    blanks_ = 0;
    pieceEmpty_ = true;
    return handOn();
}

bool LineTextPages::outOfBounds(ReadError error, qint64 limit)
{
    bounds_ = {error, pages_ + 1, page_.size() + 1, QString(), limit};
    handOn();
    stopped_ = true;
    return false;
}

bool LineTextPages::handOn()
{
    lastPageLines_ = page_.size();
    ++pages_;
    const bool going = done_(page_);
    page_.clear();
    if (!going)
        stopped_ = true;
    return going;
}

ReadProblem LineTextPages::finish(const ReadProblem &damage)
{
    if (!stopped_) {
        // A form feed at the very end closes the last page rather than
        // opening an empty one.
        const bool pageOpen = formFeeds_ ? !(pieceEmpty_ && sawFormFeed_) : true;
        if (pageOpen && (!lineCounted_ || endLine())) {
            if (formFeeds_ || !page_.isEmpty() || pages_ == 0)
                handOn();
        }
    }
    if (bounds_)
        return bounds_;
    if (!damage)
        return {};
    // Where reading stopped: the last line of the last page read.
    ReadProblem problem = damage;
    problem.page = qMax<qsizetype>(1, pages_);
    problem.line = pages_ == 0 ? 1 : qMax<qsizetype>(1, lastPageLines_);
    return problem;
}

bool hasFormFeed(Format format, QIODevice &device, bool *readError)
{
    LineTextDecoder decoder(format);
    QByteArray bytes;
    QString text;
    bool error = false;
    bool found = false;
    while (!found && readBlock(device, bytes, error)) {
        const bool going = decoder.decode(bytes, text);
        found = text.contains(u'\f');
        text.clear();
        if (!going)
            break;
    }
    if (!found && !error) {
        decoder.finish(text);
        found = text.contains(u'\f');
    }
    if (readError)
        *readError = error;
    return found;
}

bool hasFormFeed(Format format, QByteArrayView bytes)
{
    LineTextDecoder decoder(format);
    QString text;
    decoder.decode(bytes, text);
    decoder.finish(text);
    return text.contains(u'\f');
}

ReadResult readLineText(Format format, QByteArrayView bytes, int linesPerPage)
{
    ReadResult result;
    LineTextDecoder decoder(format);
    LineTextPages pages(hasFormFeed(format, bytes), linesPerPage, [&result](const QStringList &page) {
        result.document.pages.append(page);
        return true;
    });
    // Held whole, the bytes are decoded in one piece.
    QString text;
    decoder.decode(bytes, text);
    decoder.finish(text);
    pages.add(text);
    result.problem = pages.finish(decoder.problem());
    takeSizeFromPages(result.document);
    return result;
}

} // namespace BrailleFiles
