#include "bookmatter.h"

#include "braillecells.h"
#include "pagelayout.h"

namespace BookLayout::Matter {

namespace {

using BrailleCells::kBlank;

QString centred(const QString &line, int cells)
{
    return blanks((cells - line.size()) / 2) + line;
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

QString originalPageText(std::pair<int, int> range)
{
    if (range.first <= 0)
        return QString();
    QString text = PageLayout::pageNumberLine(range.first, 0);
    if (range.second > range.first)
        text += QChar(0x2824) + PageLayout::pageNumberLine(range.second, 0);
    return text;
}

} // namespace

QString Texts::operator()(const QString &kana) const
{
    return BrailleCells::withoutTrailingBlanks(translate(kana));
}

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

int textCapacity(const PageSettings &settings)
{
    return settings.lines - (settings.pageNumbers ? 1 : 0);
}

QList<QStringList> cutPages(const QStringList &lines, int capacity)
{
    QList<QStringList> pages;
    for (qsizetype i = 0; i < lines.size(); i += capacity)
        pages.append(lines.mid(i, capacity));
    if (pages.isEmpty())
        pages.append(QStringList());
    return pages;
}

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

} // namespace BookLayout::Matter
