#include "booklayout.h"

#include "braillecells.h"
#include "pagelayout.h"
#include "platform/textcodec.h"

#include <algorithm>

namespace BookLayout {

namespace {

using BookMarkers::Kind;
using BrailleCells::kBlank;

QString blanks(qsizetype count)
{
    return QString(qMax<qsizetype>(0, count), QChar(kBlank));
}

QString withoutLeadingBlanks(QStringView line)
{
    qsizetype start = 0;
    while (start < line.size() && BrailleCells::isBlank(line[start]))
        ++start;
    return line.sliced(start).toString();
}

struct Heading
{
    int level = 0;
    QString braille;
    int line = 0; // of its unit
};

// Lines that are placed together: a paragraph, a heading, lines kept on
// one page, a blank line, or a marker with no lines.
struct Unit
{
    QStringList lines;
    QList<Heading> headings;
    int headingLevel = 0;  // the unit is a heading
    bool together = false; // kept on one page when it fits on one
    bool blank = false;    // a blank line, left out at the top of a page
    bool newPage = false;
    int originalPage = 0;
};

struct TocEntry
{
    int level = 0;
    QString braille;
    int page = 0; // counted from 0 in the body
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
            m_original = unit.originalPage;
            auto &range = m_originalRanges.last();
            if (range.first == 0 || atTop())
                range.first = m_original;
            range.second = m_original;
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

    QList<QStringList> pages() const { return m_pages.mid(0, pageCount()); }
    QList<std::pair<int, int>> originalRanges() const { return m_originalRanges.mid(0, pageCount()); }
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

    void appendLines(const Unit &unit)
    {
        for (qsizetype i = 0; i < unit.lines.size(); ++i) {
            for (const Heading &heading : unit.headings) {
                if (heading.line == i) {
                    if (remaining() <= 0)
                        startPage();
                    m_toc.append({heading.level, heading.braille, int(m_pages.size()) - 1});
                }
            }
            append(unit.lines[i]);
        }
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
    for (QString &line : lines)
        line.prepend(blanks(cells - indent >= 2 ? indent : cells - 2));
    return lines;
}

QStringList paragraphLines(const QString &braille, const PageSettings &settings)
{
    if (!settings.paragraphIndent)
        return PageLayout::wrapLine(braille, settings.cells);
    // The full-width blank that starts a Japanese paragraph is this indent.
    QStringList lines =
        PageLayout::wrapLine(withoutLeadingBlanks(braille), settings.cells - 2, settings.cells);
    if (!lines.first().isEmpty())
        lines.first().prepend(blanks(2));
    return lines;
}

QList<Unit> units(const QList<Block> &blocks, const PageSettings &settings)
{
    QList<Unit> result;
    bool keeping = false;
    for (const Block &block : blocks) {
        Unit unit;
        switch (block.kind) {
        case Kind::Blank:
            unit.lines.append(QString());
            unit.blank = !keeping;
            break;
        case Kind::Paragraph:
            unit.lines = paragraphLines(block.braille, settings);
            break;
        case Kind::Heading:
            unit.lines = headingLines(block.braille, block.level, settings.cells);
            unit.headings.append({block.level, withoutLeadingBlanks(block.braille), 0});
            unit.headingLevel = block.level;
            break;
        case Kind::PageBreak:
            unit.newPage = true;
            keeping = false;
            break;
        case Kind::KeepStart:
            result.append(Unit{});
            result.last().together = true;
            keeping = true;
            continue;
        case Kind::KeepEnd:
            keeping = false;
            continue;
        case Kind::OriginalPage:
            unit.originalPage = block.originalPage;
            break;
        }
        if (keeping && !unit.lines.isEmpty()) {
            Unit &group = result.last();
            for (Heading heading : unit.headings) {
                heading.line += int(group.lines.size());
                group.headings.append(heading);
            }
            group.lines += unit.lines;
            continue;
        }
        result.append(unit);
    }
    return result;
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

int textCapacity(const PageSettings &settings)
{
    return settings.lines - (settings.pageNumbers ? 1 : 0);
}

Paginator paginate(const QList<Unit> &units, qsizetype from, qsizetype to, const PageSettings &settings)
{
    Paginator paginator(textCapacity(settings), settings);
    for (qsizetype i = from; i < to; ++i)
        paginator.place(units[i], nextWithLines(units, i + 1));
    return paginator;
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
    const int kept = qMax(1, pages * textCapacity(settings));
    Unit rest = units[from];
    rest.lines = rest.lines.mid(kept);
    rest.together = false;
    rest.headings.clear();
    units[from].lines = units[from].lines.mid(0, kept);
    for (const Heading &heading : units[from].headings) {
        if (heading.line >= kept)
            rest.headings.append({heading.level, heading.braille, heading.line - kept});
    }
    units.insert(from + 1, rest);
    return from + 1;
}

QString centred(const QString &line, int cells)
{
    return blanks((cells - line.size()) / 2) + line;
}

struct Texts
{
    const Translate &translate;
    QString operator()(const QString &kana) const
    {
        return BrailleCells::withoutTrailingBlanks(translate(kana));
    }
};

QString volumeKana(int volume)
{
    return QStringLiteral("だい%1かん").arg(volume);
}

// 標題紙: author, title, the volume and the transcriber, centred across
// and down the page, with no page number.
QStringList titlePage(const DocumentInfo &info, const QString &title, int volume, int volumes,
                      const PageSettings &settings, const Texts &braille)
{
    QList<QStringList> groups;
    auto group = [&](const QStringList &kana) {
        QStringList lines;
        for (const QString &text : kana) {
            for (const QString &line : PageLayout::wrapLine(braille(text), settings.cells))
                lines.append(centred(line, settings.cells));
        }
        if (!lines.isEmpty() && !lines.join(QString()).isEmpty())
            groups.append(lines);
    };
    if (!info.author.trimmed().isEmpty())
        group({info.author});
    group({title});
    if (volumes > 1)
        group({volumeKana(volume), QStringLiteral("（ぜん　%1かん）").arg(volumes)});
    else
        group({QStringLiteral("ぜん　１かん")});
    if (!info.transcriber.trimmed().isEmpty())
        group({QStringLiteral("てんやく　") + info.transcriber});
    QStringList lines;
    for (const QStringList &g : groups) {
        if (!lines.isEmpty())
            lines.append(QString());
        lines += g;
    }
    lines = lines.mid(0, settings.lines);
    QStringList page(qMax<qsizetype>(0, (settings.lines - lines.size()) / 2), QString());
    return page + lines;
}

// A line that starts at `column` (from 1) and continues at `column` + 2.
QStringList itemLines(const QString &braille, int column, int cells)
{
    const int indent = column - 1;
    QStringList lines = PageLayout::wrapLine(braille, cells - indent, cells - indent - 2);
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i].prepend(blanks(indent + (i > 0 ? 2 : 0)));
    return lines;
}

// 奥付: its name at the ninth cell, then the original's items and the
// transcription's, a label and the value.
QStringList colophonLines(const DocumentInfo &info, int volumes, const PageSettings &settings,
                          const Texts &braille)
{
    QStringList lines;
    lines.append(blanks(headingColumn(1) - 1) + braille(QStringLiteral("おくづけ")));
    lines.append(QString());
    auto item = [&](const char16_t *label, const QString &value) {
        if (!value.trimmed().isEmpty())
            lines += itemLines(braille(QString::fromUtf16(label) + u'　' + value), 1, settings.cells);
    };
    item(u"しょめい", info.title);
    item(u"ちょしゃ", info.author);
    item(u"しゅっぱんしゃ", info.publisher);
    item(u"はっこーねん", info.publicationYear);
    if (!lines.last().isEmpty())
        lines.append(QString());
    item(u"てんやくしゃ", info.transcriber);
    item(u"てんやくねん", info.transcriptionYear);
    item(u"かんすー", QStringLiteral("ぜん　%1かん").arg(volumes));
    return lines;
}

// 目次 entries: the heading at its level's place, a leader and its page at
// the right end of the line.
QStringList tocLines(const QList<TocEntry> &entries, int firstBodyPage, const PageSettings &settings,
                     const Texts &braille)
{
    QStringList lines;
    lines.append(blanks(headingColumn(1) - 1) + braille(QStringLiteral("もくじ")));
    lines.append(QString());
    const QChar leader = settings.tocDotLeader ? QChar(0x2812) : QChar(kBlank);
    for (const TocEntry &entry : entries) {
        const QString number = PageLayout::pageNumberLine(firstBodyPage + entry.page, 0);
        const int column = 1 + (entry.level - 1) * 2;
        // Room for a blank, two leader cells and a blank before the number.
        const int room = settings.cells - (column - 1) - int(number.size()) - 4;
        QStringList text =
            itemLines(entry.braille, column, qMax(column + 3, settings.cells - int(number.size()) - 4));
        if (room < 2)
            text = {blanks(column - 1) + entry.braille.left(qMax(1, room))};
        QString &last = text.last();
        const qsizetype fill = settings.cells - last.size() - number.size() - 2;
        last += QChar(kBlank) + QString(qMax<qsizetype>(0, fill), leader) + QChar(kBlank) + number;
        lines += text;
    }
    return lines;
}

QString originalPageText(std::pair<int, int> range)
{
    if (range.first <= 0)
        return QString();
    QString text = PageLayout::pageNumberLine(range.first, 0);
    if (range.second > range.first)
        text += QChar(0x2824) + PageLayout::pageNumberLine(range.second, 0);
    return text;
}

// The page line: the original's pages, three blanks, and the braille page
// at the right end.
QString pageLine(int number, std::pair<int, int> original, int cells)
{
    QString line = PageLayout::pageNumberLine(number, cells);
    const QString originalText = originalPageText(original);
    if (!originalText.isEmpty()) {
        const qsizetype numberStart = line.size() - PageLayout::pageNumberLine(number, 0).size();
        const qsizetype start = numberStart - 3 - originalText.size();
        if (start >= 0)
            line.replace(start, originalText.size(), originalText);
    }
    return line;
}

// Text pages with lines of `capacity`, cut from a list of lines.
QList<QStringList> cutPages(const QStringList &lines, int capacity)
{
    QList<QStringList> pages;
    for (qsizetype i = 0; i < lines.size(); i += capacity)
        pages.append(lines.mid(i, capacity));
    if (pages.isEmpty())
        pages.append(QStringList());
    return pages;
}

} // namespace

int headingColumn(int level)
{
    return level == 1 ? 9 : level == 2 ? 7 : 5;
}

QList<Block> blocks(QStringView text, const QStringList &brailleLines, const Translate &translate)
{
    QList<Block> result;
    qsizetype index = 0;
    QList<QStringView> lines;
    forEachLine(text, [&](QStringView line) { lines.append(line); });
    // The editor's translation counts an empty last line after a final
    // line end; it is a blank line here too.
    if (brailleLines.size() == lines.size() + 1 && (text.endsWith(u'\n') || text.endsWith(u'\r')))
        lines.append(QStringView());
    const bool translated = brailleLines.size() == lines.size();
    for (const QStringView line : lines) {
        const BookMarkers::Line parsed = BookMarkers::parse(line);
        Block block;
        block.kind = parsed.kind;
        block.level = parsed.level;
        block.originalPage = parsed.originalPage;
        if (parsed.kind == Kind::Paragraph)
            block.braille = translated ? brailleLines[index] : translate(line);
        else if (parsed.kind == Kind::Heading)
            block.braille = translate(parsed.text);
        result.append(block);
        ++index;
    }
    return result;
}

Book layout(const QList<Block> &blocks, const DocumentInfo &info, const PageSettings &pageSettings,
            const Translate &translate, const QString &fileTitle)
{
    const PageSettings settings = pageSettings.bounded();
    const Texts braille{translate};
    const bool frontMatter = !info.isEmpty();
    const QString title = info.title.trimmed().isEmpty() ? fileTitle : info.title;
    const int capacity = textCapacity(settings);
    // The title page's back stays blank on interpoint.
    const int titlePages = frontMatter ? (settings.interpoint ? 2 : 1) : 0;
    const QStringList colophon = frontMatter ? colophonLines(info, 99, settings, braille) : QStringList();
    const int colophonPages = frontMatter ? int(cutPages(colophon, capacity).size()) : 0;

    QList<Unit> all = units(blocks, settings);
    struct Range
    {
        qsizetype from, to;
        int tocPages;
    };
    QList<Range> ranges;
    for (qsizetype from = 0; from < all.size() || ranges.isEmpty();) {
        int tocPages = 0;
        qsizetype to = all.size();
        for (int round = 0; round < 8; ++round) {
            const int bodyPages = qMax(1, settings.volumePages - titlePages - tocPages - colophonPages);
            to = volumeEnd(all, from, bodyPages, settings);
            const Paginator body = paginate(all, from, to, settings);
            const int needed =
                !frontMatter || body.toc().isEmpty()
                    ? 0
                    : int(cutPages(tocLines(body.toc(), 1, settings, braille), capacity).size());
            if (needed <= tocPages)
                break;
            tocPages = needed;
        }
        ranges.append({from, to, tocPages});
        if (to <= from)
            break;
        from = to;
    }

    Book book;
    const int volumes = int(ranges.size());
    for (int v = 0; v < volumes; ++v) {
        const Range &range = ranges[v];
        const Paginator body = paginate(all, range.from, range.to, settings);
        BraillePages pages;
        pages.cells = settings.cells;
        pages.lines = settings.lines;
        pages.duplex = settings.interpoint;
        pages.title = volumes > 1 ? QStringLiteral("%1 第%2巻").arg(title).arg(v + 1) : title;
        if (!title.isEmpty())
            pages.brailleTitle = braille(volumes > 1 ? title + u'　' + volumeKana(v + 1) : title);
        pages.author = info.author;
        pages.publisher = info.publisher;
        QStringList kinds;
        auto addPage = [&](QStringList lines, const QString &kind, bool numbered,
                           std::pair<int, int> original) {
            const int number = int(pages.pages.size()) + 1;
            if (numbered && settings.pageNumbers)
                lines.prepend(pageLine(number, original, settings.cells));
            while (!lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
            pages.pages.append(lines);
            kinds.append(kind);
        };
        if (frontMatter) {
            addPage(titlePage(info, title, v + 1, volumes, settings, braille), QStringLiteral("標題紙"),
                    false, {});
            if (settings.interpoint)
                addPage({}, QStringLiteral("標題紙"), false, {});
        }
        const int firstBodyPage = int(pages.pages.size()) + range.tocPages + 1;
        if (frontMatter && !body.toc().isEmpty()) {
            const QList<QStringList> toc =
                cutPages(tocLines(body.toc(), firstBodyPage, settings, braille), capacity);
            for (const QStringList &page : toc)
                addPage(page, QStringLiteral("目次"), true, {});
            // A 目次 shorter than planned keeps the body where its numbers say.
            while (int(pages.pages.size()) + 1 < firstBodyPage)
                addPage({}, QStringLiteral("目次"), true, {});
        }
        const QList<QStringList> bodyPages = body.pages();
        const auto originals = body.originalRanges();
        for (qsizetype p = 0; p < bodyPages.size(); ++p)
            addPage(bodyPages[p], QStringLiteral("本文"), true, originals.value(p));
        if (frontMatter) {
            for (const QStringList &page :
                 cutPages(colophonLines(info, volumes, settings, braille), capacity))
                addPage(page, QStringLiteral("奥付"), true, {});
        }
        // A plain run of pages needs no labels.
        const bool labelled = frontMatter || volumes > 1 || settings.interpoint;
        for (qsizetype p = 0; labelled && p < kinds.size(); ++p) {
            QString label = volumes > 1 ? QStringLiteral("第%1巻 %2").arg(v + 1).arg(kinds[p]) : kinds[p];
            if (settings.interpoint)
                label += p % 2 == 0 ? QStringLiteral("（表）") : QStringLiteral("（裏）");
            pages.pageLabels.append(label);
        }
        book.volumes.append(pages);
    }
    return book;
}

BraillePages Book::shown() const
{
    BraillePages result;
    if (volumes.isEmpty())
        return result;
    result = volumes.first();
    result.pages.clear();
    result.pageLabels.clear();
    for (const BraillePages &volume : volumes) {
        result.pages += volume.pages;
        result.pageLabels += volume.pageLabels;
    }
    return result;
}

} // namespace BookLayout
