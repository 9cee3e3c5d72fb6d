#pragma once

#include <QString>
#include <QStringView>

// The layout markers a transcriber writes in the kana text, each at the
// start of a line, in full-width (or half-width) square brackets and in
// katakana so that neither 点訳かな変換 nor 点字翻訳 takes them for kanji:
//   ［ミダシ1］テキスト   a heading of level 1, 2 or 3
//   ［カイページ］         a new page
//   ［マトメ］ … ［マトメオワリ］  the lines between stay on one page
//   ［ゲンポン12］         page 12 of the original starts here
// A line without a marker is a paragraph; an empty line stays a blank line.
namespace BookMarkers {

enum class Kind { Paragraph, Blank, Heading, PageBreak, KeepStart, KeepEnd, OriginalPage };

struct Line
{
    Kind kind = Kind::Paragraph;
    int level = 0;        // of a heading, 1..3
    int originalPage = 0; // of an original page marker
    QString text;         // the line without its marker
};

Line parse(QStringView line);

// The line with the heading marker of `level` in place of any heading
// marker it had; level 0 takes the marker away.
QString withHeading(QStringView line, int level);

QString headingMarker(int level);
QString pageBreakMarker();
QString keepStartMarker();
QString keepEndMarker();
QString originalPageMarker(int page);

} // namespace BookMarkers
