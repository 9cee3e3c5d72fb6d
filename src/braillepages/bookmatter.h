#pragma once

// What a book has besides its text, and the helpers its pages share: the
// title page, the 目次, the colophon and the page line. Inside the layout
// only.

#include "booklayout.h"

#include <QString>
#include <QStringList>

namespace BookLayout::Matter {

// The braille of a kana text without blanks at its end.
struct Texts
{
    const Translate &translate;
    QString operator()(const QString &kana) const;
};

QString blanks(qsizetype count);
QString withoutLeadingBlanks(QStringView line);

// Text lines a page holds beside its page line.
int textCapacity(const PageSettings &settings);

// Text pages with lines of `capacity`, cut from a list of lines; no lines
// give one empty page.
QList<QStringList> cutPages(const QStringList &lines, int capacity);

// 標題紙 of volume `volume` of `volumes`.
QStringList titlePage(const DocumentInfo &info, const QString &title, int volume, int volumes,
                      const PageSettings &settings, const Texts &braille);

// 奥付, naming the number of volumes.
QStringList colophonLines(const DocumentInfo &info, int volumes, const PageSettings &settings,
                          const Texts &braille);

// 目次 entries with their pages, the body starting at page firstBodyPage.
QStringList tocLines(const QList<TocEntry> &entries, int firstBodyPage, const PageSettings &settings,
                     const Texts &braille);

// The page line: the original's pages, three blanks, and the braille page
// at the right end.
QString pageLine(int number, std::pair<int, int> original, int cells);

// だいNかん
QString volumeKana(int volume);

} // namespace BookLayout::Matter
