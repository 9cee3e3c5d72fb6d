#pragma once

#include "braillefiles.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

class QIODevice;

// Text files of braille lines (Unicode braille text and BRF) share their
// shape: lines ended by a line end, pages divided by form feeds. Both are
// read a block at a time, so that a file of any size takes the memory of a
// page.
namespace BrailleFiles {

// Turns the bytes of a Unicode braille text or a BRF, block after block,
// into cells, line ends ('\n', also for CR LF and a lone CR) and form feeds
// ('\f'). Decoding stops at the first byte that is no cell of the format,
// which is the problem, or at BRF's old end-of-file mark.
class LineTextDecoder
{
public:
    // Format::UnicodeText or Format::Brf.
    explicit LineTextDecoder(Format format);

    // Appends what the bytes say to `text`; false once decoding stopped.
    bool decode(QByteArrayView bytes, QString &text);
    // The end of the bytes.
    void finish(QString &text);
    // Why decoding stopped, without its place; none at the end or at the
    // end-of-file mark.
    const ReadProblem &problem() const { return problem_; }

private:
    bool decodeBrf(QByteArrayView bytes, QString &text);
    bool decodeUnicode(QStringView decoded, QString &text);
    // A CR waits for the next character, which may be its LF.
    void endPendingReturn(QChar next, QString &text);

    Format format_;
    QByteArray tail_; // the start of a UTF-8 sequence the next block ends
    int bomsAllowed_ = 2; // as many byte-order marks may start the text
    bool pendingReturn_ = false;
    bool stopped_ = false;
    ReadProblem problem_;
};

// Cuts decoded text into pages and hands each on when it is complete. With
// form feeds the pages are what they divide, else the lines are cut into
// pages of linesPerPage lines; the page settings' bounds hold as in
// decode(): reading stops at a longer line or page.
class LineTextPages
{
public:
    // Takes each page in order; false stops the reading.
    using PageDone = std::function<bool(const QStringList &page)>;

    LineTextPages(bool formFeeds, int linesPerPage, PageDone done);

    // False once the reading stopped.
    bool add(QStringView text);
    // The end of the text: the last page, and the problem where reading
    // stopped: out of bounds, else `damage` (the decoder's), placed at the
    // last line read.
    ReadProblem finish(const ReadProblem &damage);
    // Pages handed on.
    qsizetype pages() const { return pages_; }

private:
    // The line gets its first cell, or its line end: it is a line of the page.
    bool lineStands();
    bool endLine();
    bool endPage();
    // Stops at a line or a page beyond the bounds: the page as far as it
    // goes is the last.
    bool outOfBounds(ReadError error, qint64 limit);
    bool handOn();

    bool formFeeds_;
    int linesPerPage_;
    PageDone done_;
    QStringList page_;
    QString line_;
    qsizetype blanks_ = 0;       // blank cells after the line's last cell so far
    bool lineCounted_ = false;   // the line being read stands on the page
    bool pieceEmpty_ = true;     // nothing since the last form feed
    bool sawFormFeed_ = false;
    qsizetype pages_ = 0;
    qsizetype lastPageLines_ = 0;
    bool stopped_ = false;
    ReadProblem bounds_;
};

// Whether the decoded bytes (up to where decoding stops) hold a form feed:
// the pages are then what the form feeds divide. Reads from the device's
// current place until it knows.
bool hasFormFeed(Format format, QIODevice &device, bool *readError = nullptr);
bool hasFormFeed(Format format, QByteArrayView bytes);

// The pages of a whole Unicode braille text or BRF.
ReadResult readLineText(Format format, QByteArrayView bytes, int linesPerPage);

} // namespace BrailleFiles
