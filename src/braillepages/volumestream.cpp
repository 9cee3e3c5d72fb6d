// Volumes laid out as the text comes: units placed on pages, volumes cut
// before a heading near their end, and each volume handed on once the text
// after it settles where it ends.

#include "booklayout.h"
#include "bookmatter.h"
#include "braillecells.h"
#include "pagelayout.h"

#include <optional>

namespace BookLayout {

namespace {

using BookMarkers::Kind;
using namespace Matter;

struct Heading
{
    int level = 0;
    QString braille;
    int line = 0; // of its unit
};

// An original page marker inside lines kept together: the page starts
// before the unit's line `line`.
struct OriginalMark
{
    int line = 0;
    int page = 0;
};

// Lines that are placed together: a paragraph, a heading, lines kept on
// one page, a blank line, or a marker with no lines.
struct Unit
{
    QStringList lines;
    QList<Heading> headings;       // in the order of their lines
    QList<OriginalMark> originals; // in the order of their lines
    int headingLevel = 0;          // the unit is a heading
    bool together = false;         // kept on one page when it fits on one
    bool blank = false;            // a blank line, left out at the top of a page
    bool newPage = false;
    int originalPage = 0;
};

// Places units on pages of `capacity` text lines.
class Paginator
{
public:
    Paginator(int capacity, const PageSettings &settings) : m_capacity(capacity), m_settings(settings)
    {
        startPage();
    }

    void place(const Unit &unit, const Unit *next)
    {
        if (unit.originalPage > 0) {
            markOriginal(unit.originalPage);
            return;
        }
        if (unit.newPage) {
            if (!atTop())
                startPage();
            return;
        }
        // A blank line is not carried over to the top of a page.
        if (unit.blank) {
            if (!atTop() && remaining() > 0)
                append(QString());
            return;
        }
        if (unit.headingLevel > 0) {
            placeHeading(unit, next);
            return;
        }
        if (unit.together && unit.lines.size() <= m_capacity && remaining() < unit.lines.size())
            startPage();
        appendLines(unit);
    }

    // The pages used, an empty last page not counted.
    int pageCount() const
    {
        return int(m_pages.size()) - (m_pages.size() > 1 && m_pages.last().isEmpty() ? 1 : 0);
    }

    // The volume's body, taken out of the paginator.
    VolumeBody takeBody(int tocPages)
    {
        const qsizetype count = pageCount();
        m_pages.resize(count);
        m_originalRanges.resize(count);
        return {tocPages, std::move(m_toc), std::move(m_pages), std::move(m_originalRanges)};
    }
    const QList<TocEntry> &toc() const { return m_toc; }
    // Text lines the last page has room for.
    int remaining() const { return m_capacity - int(m_pages.last().size()); }

private:
    bool atTop() const { return m_pages.last().isEmpty(); }

    void startPage()
    {
        m_pages.append(QStringList());
        m_originalRanges.append({m_original, m_original});
    }

    void append(const QString &line)
    {
        if (remaining() <= 0)
            startPage();
        m_pages.last().append(line);
    }

    void markOriginal(int page)
    {
        m_original = page;
        auto &range = m_originalRanges.last();
        if (range.first == 0 || atTop())
            range.first = m_original;
        range.second = m_original;
    }

    void appendLines(const Unit &unit)
    {
        qsizetype heading = 0;
        qsizetype original = 0;
        for (qsizetype i = 0; i < unit.lines.size(); ++i) {
            for (; original < unit.originals.size() && unit.originals[original].line <= i; ++original)
                markOriginal(unit.originals[original].page);
            for (; heading < unit.headings.size() && unit.headings[heading].line <= i; ++heading) {
                if (remaining() <= 0)
                    startPage();
                const Heading &h = unit.headings[heading];
                m_toc.append({h.level, h.braille, int(m_pages.size()) - 1});
            }
            append(unit.lines[i]);
        }
        for (; original < unit.originals.size(); ++original)
            markOriginal(unit.originals[original].page);
    }

    // A heading has a blank line before it (not at the top of a page) and,
    // at level 1, one after it; it never stands last on a page: when it and
    // the first line after it do not fit, it goes to the next page.
    void placeHeading(const Unit &unit, const Unit *next)
    {
        const bool spaced = m_settings.headingBlankLines;
        int before = spaced && !atTop() && !m_pages.last().last().isEmpty() ? 1 : 0;
        const int after = spaced && unit.headingLevel == 1 ? 1 : 0;
        const int following = next && !next->lines.isEmpty() ? 1 : 0;
        const int needed = before + int(unit.lines.size()) + after + following;
        if (!atTop() && remaining() < needed && needed - before <= m_capacity) {
            startPage();
            before = 0;
        }
        if (before)
            append(QString());
        appendLines(unit);
        if (after && remaining() > 0)
            append(QString());
    }

    int m_capacity;
    PageSettings m_settings;
    QList<QStringList> m_pages;
    QList<std::pair<int, int>> m_originalRanges;
    QList<TocEntry> m_toc;
    int m_original = 0;
};

QStringList headingLines(const QString &braille, int level, int cells)
{
    const int indent = headingColumn(level) - 1;
    const int width = qMax(2, cells - indent);
    QStringList lines = PageLayout::wrapLine(withoutLeadingBlanks(braille), width, width);
    const QString margin = blanks(cells - indent >= 2 ? indent : cells - 2);
    for (QString &line : lines)
        line.prepend(margin);
    return lines;
}

QStringList paragraphLines(const QString &braille, const PageSettings &settings)
{
    if (!settings.paragraphIndent)
        return PageLayout::wrapLine(braille, settings.cells);
    // The full-width blank that starts a Japanese paragraph is this indent.
    qsizetype start = 0;
    while (start < braille.size() && BrailleCells::isBlank(braille[start]))
        ++start;
    QStringList lines = PageLayout::wrapLine(QStringView(braille).sliced(start), settings.cells - 2, settings.cells);
    if (!lines.first().isEmpty())
        lines.first().prepend(blanks(2));
    return lines;
}

const Unit *nextWithLines(const QList<Unit> &units, qsizetype from)
{
    for (qsizetype i = from; i < units.size(); ++i) {
        if (!units[i].lines.isEmpty())
            return &units[i];
        if (units[i].newPage)
            return nullptr;
    }
    return nullptr;
}

Paginator paginate(const QList<Unit> &units, qsizetype from, qsizetype to, const PageSettings &settings)
{
    Paginator paginator(textCapacity(settings), settings);
    for (qsizetype i = from; i < to; ++i)
        paginator.place(units[i], nextWithLines(units, i + 1));
    return paginator;
}

// Splits a unit longer than a volume after `kept` lines; the rest follows
// it as a unit of its own, no longer kept together.
void splitUnit(QList<Unit> &units, qsizetype at, int kept)
{
    Unit &unit = units[at];
    Unit rest;
    rest.headingLevel = unit.headingLevel;
    rest.lines = unit.lines.mid(kept);
    unit.lines.resize(kept);
    auto firstAfter = [kept](const auto &list) {
        qsizetype i = 0;
        while (i < list.size() && list[i].line < kept)
            ++i;
        return i;
    };
    const qsizetype heading = firstAfter(unit.headings);
    for (qsizetype i = heading; i < unit.headings.size(); ++i)
        rest.headings.append({unit.headings[i].level, unit.headings[i].braille, unit.headings[i].line - kept});
    unit.headings.resize(heading);
    const qsizetype original = firstAfter(unit.originals);
    for (qsizetype i = original; i < unit.originals.size(); ++i)
        rest.originals.append({unit.originals[i].line - kept, unit.originals[i].page});
    unit.originals.resize(original);
    units.insert(at + 1, std::move(rest));
}

// Where the volume that starts at unit `from` ends, for a body of at most
// `pages` pages: before a heading in its last quarter (the largest level,
// the latest of them), else before the last unit that fits, else inside
// the first unit at a page. Units may be split for that.
qsizetype volumeEnd(QList<Unit> &units, qsizetype from, int pages, const PageSettings &settings)
{
    Paginator paginator(textCapacity(settings), settings);
    QList<int> pagesAfter;
    qsizetype end = from;
    for (; end < units.size(); ++end) {
        paginator.place(units[end], nextWithLines(units, end + 1));
        if (paginator.pageCount() > pages)
            break;
        pagesAfter.append(paginator.pageCount());
    }
    if (end == units.size())
        return end;
    const int nearLimit = pages - pages / 4;
    qsizetype best = -1;
    for (qsizetype h = from + 1; h <= end; ++h) {
        if (units[h].headingLevel == 0 || pagesAfter[h - 1 - from] < nearLimit)
            continue;
        if (best < 0 || units[h].headingLevel <= units[best].headingLevel)
            best = h;
    }
    if (best > 0)
        return best;
    // Not between a heading and what follows it.
    while (end - 1 > from && units[end - 1].headingLevel > 0)
        --end;
    if (end > from)
        return end;
    // One unit longer than a volume: cut at a page.
    splitUnit(units, from, qMax(1, pages * textCapacity(settings)));
    return from + 1;
}

} // namespace

struct VolumeStream::Private
{
    Private(const DocumentInfo &info, const PageSettings &pageSettings, const Translate &translateKana,
            VolumeDone volumeDone)
        : settings(pageSettings.bounded()), translate(translateKana), frontMatter(hasFrontMatter(info)),
          capacity(textCapacity(settings)), done(std::move(volumeDone))
    {
        // The title page's back stays blank on interpoint.
        titlePages = frontMatter ? (settings.interpoint ? 2 : 1) : 0;
        colophonPages =
            frontMatter ? int(cutPages(colophonLines(info, 99, settings, braille), capacity).size()) : 0;
    }

    // Body pages a volume has room for beside a 目次 of tocPages.
    int bodyPages(int tocPages) const
    {
        return qMax(1, settings.volumePages - titlePages - tocPages - colophonPages);
    }

    static qsizetype counted(const Unit &unit) { return unit.blank ? 0 : unit.lines.size(); }

    void push(Unit &&unit)
    {
        if (!window.isEmpty())
            linesBeforeLast += counted(window.last());
        window.append(std::move(unit));
    }

    // Lines kept together take the unit's lines, headings and original
    // pages into the group.
    void addToGroup(Unit &&unit)
    {
        Unit &group = window.last();
        const int offset = int(group.lines.size());
        for (Heading &heading : unit.headings) {
            heading.line += offset;
            group.headings.append(std::move(heading));
        }
        group.lines += unit.lines;
    }

    // Whether the units held settle where the next volume ends. Every page
    // holds at most `capacity` lines, so once the units before the last hold
    // more lines than the largest body, the body overflows before the last
    // unit, whose lines answer any look-ahead; an open group overflows it by
    // itself when its own lines pass a page, which no more lines can undo.
    bool settled() const
    {
        if (window.isEmpty())
            return false;
        const Unit &last = window.last();
        const qint64 budget = qint64(bodyPages(0)) * capacity;
        if (keeping && last.lines.size() > capacity && linesBeforeLast + last.lines.size() > budget)
            return true;
        return linesBeforeLast > budget && (!last.lines.isEmpty() || last.newPage);
    }

    void handOn(bool atEnd)
    {
        while (atEnd ? !window.isEmpty() || volumes == 0 : settled())
            handOnVolume(atEnd);
    }

    void handOnVolume(bool atEnd)
    {
        int tocPages = 0;
        qsizetype to = window.size();
        std::optional<Paginator> body;
        for (int round = 0; round < 8; ++round) {
            to = volumeEnd(window, 0, bodyPages(tocPages), settings);
            body.emplace(paginate(window, 0, to, settings));
            const int needed = !frontMatter || body->toc().isEmpty()
                                   ? 0
                                   : int(cutPages(tocLines(body->toc(), 1, settings, braille), capacity).size());
            if (needed <= tocPages)
                break;
            tocPages = needed;
        }
        VolumeBody volume = body->takeBody(tocPages);
        window.remove(0, to);
        linesBeforeLast = 0;
        for (qsizetype i = 0; i + 1 < window.size(); ++i)
            linesBeforeLast += counted(window[i]);
        ++volumes;
        done(std::move(volume), atEnd && window.isEmpty());
    }

    PageSettings settings;
    const Translate translate;
    const Texts braille{translate};
    const bool frontMatter;
    const int capacity;
    int titlePages = 0;
    int colophonPages = 0;
    VolumeDone done;

    // The units not yet in a volume; while keeping, the last is the group
    // that takes the lines kept together.
    QList<Unit> window;
    bool keeping = false;
    qint64 linesBeforeLast = 0;
    int volumes = 0;
};

VolumeStream::VolumeStream(const DocumentInfo &info, const PageSettings &settings, const Translate &translate,
                           VolumeDone done)
    : d(std::make_unique<Private>(info, settings, translate, std::move(done)))
{
}

VolumeStream::~VolumeStream() = default;

void VolumeStream::add(const Block &block)
{
    Unit unit;
    switch (block.kind) {
    case Kind::Blank:
        unit.lines.append(QString());
        unit.blank = !d->keeping;
        break;
    case Kind::Paragraph:
        unit.lines = paragraphLines(block.braille, d->settings);
        break;
    case Kind::Heading:
        unit.lines = headingLines(block.braille, block.level, d->settings.cells);
        unit.headings.append({block.level, withoutLeadingBlanks(block.braille), 0});
        unit.headingLevel = block.level;
        break;
    case Kind::PageBreak:
        unit.newPage = true;
        d->keeping = false;
        break;
    case Kind::KeepStart:
        d->push(Unit{});
        d->window.last().together = true;
        d->keeping = true;
        d->handOn(false);
        return;
    case Kind::KeepEnd:
        d->keeping = false;
        d->handOn(false);
        return;
    case Kind::OriginalPage:
        // Inside lines kept together it marks the line it stands before.
        if (d->keeping) {
            Unit &group = d->window.last();
            group.originals.append({int(group.lines.size()), block.originalPage});
            return;
        }
        unit.originalPage = block.originalPage;
        break;
    }
    if (d->keeping && !unit.lines.isEmpty())
        d->addToGroup(std::move(unit));
    else
        d->push(std::move(unit));
    d->handOn(false);
}

void VolumeStream::finish()
{
    d->keeping = false;
    d->handOn(true);
}

} // namespace BookLayout
