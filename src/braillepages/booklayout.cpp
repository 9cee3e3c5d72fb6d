#include "booklayout.h"

#include "bookmatter.h"
#include "platform/textcodec.h"

#include <QDataStream>

namespace BookLayout {

using BookMarkers::Kind;
using namespace Matter;

int headingColumn(int level)
{
    return level == 1 ? 9 : level == 2 ? 7 : 5;
}

namespace {

// `braille`, when given, is the braille of the whole line.
Block blockOf(const BookMarkers::Line &parsed, QStringView line, const QString *braille,
              const Translate &translate)
{
    Block result;
    result.kind = parsed.kind;
    result.level = parsed.level;
    result.originalPage = parsed.originalPage;
    if (parsed.kind == Kind::Paragraph)
        result.braille = braille ? *braille : translate(line);
    else if (parsed.kind == Kind::Heading)
        result.braille = translate(parsed.text);
    return result;
}

} // namespace

Block block(QStringView line, const QString &braille, const Translate &translate)
{
    return blockOf(BookMarkers::parse(line), line, &braille, translate);
}

QList<Block> blocks(QStringView text, const QStringList &brailleLines, const Translate &translate)
{
    QList<QStringView> lines;
    forEachLine(text, [&](QStringView line) { lines.append(line); });
    // The editor's translation counts an empty last line after a final
    // line end; it is a blank line here too.
    if (brailleLines.size() == lines.size() + 1 && (text.endsWith(u'\n') || text.endsWith(u'\r')))
        lines.append(QStringView());
    const bool translated = brailleLines.size() == lines.size();
    QList<Block> result;
    result.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        result.append(blockOf(BookMarkers::parse(lines[i]), lines[i], translated ? &brailleLines[i] : nullptr,
                              translate));
    return result;
}

QDataStream &operator<<(QDataStream &stream, const VolumeBody &body)
{
    stream << qint32(body.tocPages) << qint64(body.toc.size());
    for (const TocEntry &entry : body.toc)
        stream << qint32(entry.level) << entry.braille << qint32(entry.page);
    return stream << body.pages << body.originalRanges;
}

QDataStream &operator>>(QDataStream &stream, VolumeBody &body)
{
    qint32 tocPages = 0;
    qint64 entries = 0;
    stream >> tocPages >> entries;
    body.tocPages = tocPages;
    body.toc.clear();
    for (qint64 i = 0; i < entries && stream.status() == QDataStream::Ok; ++i) {
        qint32 level = 0;
        qint32 page = 0;
        TocEntry entry;
        stream >> level >> entry.braille >> page;
        entry.level = level;
        entry.page = page;
        body.toc.append(entry);
    }
    return stream >> body.pages >> body.originalRanges;
}

bool hasFrontMatter(const DocumentInfo &info)
{
    return !info.isEmpty();
}

BraillePages volumePages(const VolumeBody &body, int number, int volumes, const DocumentInfo &info,
                         const PageSettings &pageSettings, const Translate &translate, const QString &fileTitle)
{
    const PageSettings settings = pageSettings.bounded();
    const Texts braille{translate};
    const bool frontMatter = hasFrontMatter(info);
    const QString title = info.title.trimmed().isEmpty() ? fileTitle : info.title;
    const int capacity = textCapacity(settings);
    BraillePages pages;
    pages.cells = settings.cells;
    pages.lines = settings.lines;
    pages.duplex = settings.interpoint;
    pages.title = volumes > 1 ? QStringLiteral("%1 第%2巻").arg(title).arg(number) : title;
    if (!title.isEmpty())
        pages.brailleTitle = braille(volumes > 1 ? title + u'　' + volumeKana(number) : title);
    pages.author = info.author;
    pages.publisher = info.publisher;
    QStringList kinds;
    auto addPage = [&](QStringList lines, const QString &kind, bool numbered, std::pair<int, int> original) {
        const int page = int(pages.pages.size()) + 1;
        if (numbered && settings.pageNumbers)
            lines.prepend(pageLine(page, original, settings.cells));
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        pages.pages.append(lines);
        kinds.append(kind);
    };
    if (frontMatter) {
        addPage(titlePage(info, title, number, volumes, settings, braille), QStringLiteral("標題紙"), false, {});
        if (settings.interpoint)
            addPage({}, QStringLiteral("標題紙"), false, {});
    }
    const int firstBodyPage = int(pages.pages.size()) + body.tocPages + 1;
    if (frontMatter && !body.toc.isEmpty()) {
        const QList<QStringList> toc = cutPages(tocLines(body.toc, firstBodyPage, settings, braille), capacity);
        for (const QStringList &page : toc)
            addPage(page, QStringLiteral("目次"), true, {});
        // A 目次 shorter than planned keeps the body where its numbers say.
        while (int(pages.pages.size()) + 1 < firstBodyPage)
            addPage({}, QStringLiteral("目次"), true, {});
    }
    for (qsizetype p = 0; p < body.pages.size(); ++p)
        addPage(body.pages[p], QStringLiteral("本文"), true, body.originalRanges.value(p));
    if (frontMatter) {
        for (const QStringList &page : cutPages(colophonLines(info, volumes, settings, braille), capacity))
            addPage(page, QStringLiteral("奥付"), true, {});
    }
    // A plain run of pages needs no labels.
    const bool labelled = frontMatter || volumes > 1 || settings.interpoint;
    for (qsizetype p = 0; labelled && p < kinds.size(); ++p) {
        QString label = volumes > 1 ? QStringLiteral("第%1巻 %2").arg(number).arg(kinds[p]) : kinds[p];
        if (settings.interpoint)
            label += p % 2 == 0 ? QStringLiteral("（表）") : QStringLiteral("（裏）");
        pages.pageLabels.append(label);
    }
    return pages;
}

Book layout(const QList<Block> &blocks, const DocumentInfo &info, const PageSettings &settings,
            const Translate &translate, const QString &title)
{
    QList<VolumeBody> bodies;
    VolumeStream stream(info, settings, translate,
                        [&bodies](VolumeBody &&body, bool) { bodies.append(std::move(body)); });
    for (const Block &block : blocks)
        stream.add(block);
    stream.finish();
    Book book;
    const int volumes = int(bodies.size());
    for (int v = 0; v < volumes; ++v)
        book.volumes.append(volumePages(bodies[v], v + 1, volumes, info, settings, translate, title));
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
