#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A braille document laid out in pages: every page is a list of lines of
// Unicode braille cells, at most `lines` lines of at most `cells` cells.
// Lines carry no blank cells at their end.
struct BraillePages
{
    static constexpr int kDefaultCells = 32;
    static constexpr int kDefaultLines = 22;

    int cells = kDefaultCells; // per line
    int lines = kDefaultLines; // per page
    QString title;             // plain text, for the formats that keep text
    QString brailleTitle;      // the title in cells, for the formats that keep cells
    QString author;            // plain text, for the formats that keep it
    QString publisher;
    bool duplex = false; // interpoint: pages alternate front and back of a sheet
    QList<QStringList> pages;
    // What each page is, for the page view ("第1巻 標題紙", "目次 表", …);
    // empty, or one entry a page. No file keeps it.
    QStringList pageLabels;

    bool operator==(const BraillePages &) const = default;
};
