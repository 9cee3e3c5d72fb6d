#pragma once

#include "bookmarkers.h"
#include "braillepages.h"
#include "documentinfo.h"
#include "pagesettings.h"

#include <QList>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

class QDataStream;

// A braille book as 点訳のてびき lays it out: paragraphs, three levels of
// headings, page breaks and lines kept together, the original's page
// numbers on the page line, and volumes of at most a set number of pages,
// each with its title page, 目次 and colophon.
namespace BookLayout {

// The braille of a line of kana, blank cells U+2800, no blanks at the end.
using Translate = std::function<QString(QStringView kana)>;

// A line of the text, its marker read and its text in braille.
struct Block
{
    BookMarkers::Kind kind = BookMarkers::Kind::Paragraph;
    int level = 0;
    int originalPage = 0;
    QString braille;
};

// A line of the text as a block. `braille` is the braille of the whole
// line, taken when the line is a paragraph; a heading's text is translated
// without its marker.
Block block(QStringView line, const QString &braille, const Translate &translate);

// The lines of the text as blocks. `brailleLines`, when it has one line for
// every line of the text, is the braille already made of the lines without
// a marker; the others are translated.
QList<Block> blocks(QStringView text, const QStringList &brailleLines, const Translate &translate);

// The cell a heading of the level starts at, counted from 1: 9, 7 and 5
// (大・中・小見出し), in from the paragraph's third cell.
int headingColumn(int level);

// A heading as the 目次 lists it.
struct TocEntry
{
    int level = 0;
    QString braille;
    int page = 0; // counted from 0 in the body
};

// All of a volume that does not depend on how many volumes the book has:
// its body's pages and the headings for its 目次.
struct VolumeBody
{
    int tocPages = 0; // the 目次 pages the body's page numbers leave room for
    QList<TocEntry> toc;
    QList<QStringList> pages;
    QList<std::pair<int, int>> originalRanges; // the original's first and last page, a page each
};

QDataStream &operator<<(QDataStream &stream, const VolumeBody &body);
QDataStream &operator>>(QDataStream &stream, VolumeBody &body);

// Whether the volumes get a title page and a colophon, which name the
// number of volumes in the book; without them only "one or more" matters.
bool hasFrontMatter(const DocumentInfo &info);

// Lays out the blocks of a text handed over one at a time, volume by
// volume: a volume's body is handed on as soon as the text after it
// settles where the volume ends, so that memory holds about a volume
// whatever the length of the text. The volumes are those layout() makes.
class VolumeStream
{
public:
    // `last` tells whether another volume follows.
    using VolumeDone = std::function<void(VolumeBody &&body, bool last)>;

    VolumeStream(const DocumentInfo &info, const PageSettings &settings, const Translate &translate,
                 VolumeDone done);
    ~VolumeStream();
    VolumeStream(const VolumeStream &) = delete;
    VolumeStream &operator=(const VolumeStream &) = delete;

    void add(const Block &block);
    // The end of the text: the volumes still held are handed on, at least
    // one for an empty text.
    void finish();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// Volume `number` (from 1) of a book of `volumes`: its title page, 目次,
// body and colophon, numbered and labelled. `title` is the file's title
// when the information names no 書名.
BraillePages volumePages(const VolumeBody &body, int number, int volumes, const DocumentInfo &info,
                         const PageSettings &settings, const Translate &translate, const QString &title);

struct Book
{
    QList<BraillePages> volumes;

    // Every volume's pages one after the other, each page labelled with its
    // volume, its part of the book and, on interpoint, its side (a single
    // run of pages with no title page has no labels).
    BraillePages shown() const;
};

// Lays the blocks out in volumes. A book's front and back matter come with
// its information: with anything in it, every volume gets a title page
// and a colophon, and a 目次 when it has headings. `title`
// is the file's title when the information names no 書名.
Book layout(const QList<Block> &blocks, const DocumentInfo &info, const PageSettings &settings,
            const Translate &translate, const QString &title = QString());

} // namespace BookLayout
