#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QStringView>

class QPainter;
class QPainterPath;
class QPaintDevice;

// Lays out one row of the braille list, a text row or a braille row, in equal
// slots, one slot per character, so that character k of a text row stands
// above character k of the braille row under it whatever the widths of the
// font's glyphs. Braille characters (U+2800..U+28FF) are drawn as dots, so
// they read the same where no installed font has them; every other character
// is drawn with the font, centred in its slot. The list and the printout both
// use it.
class BrailleRowPainter
{
public:
    // The metrics follow the device painted on (the screen when none is given).
    explicit BrailleRowPainter(const QFont &font, QPaintDevice *device = nullptr);

    const QFont &font() const { return m_font; }
    int slotWidth() const { return m_slotWidth; }
    int rowHeight() const { return m_rowHeight; }

    // Characters of a row as laid out: a character outside the BMP is one slot.
    static int slotCount(QStringView row);
    static bool isBraille(char32_t character);

    QSize rowSize(QStringView row) const;
    // The slot of character index of a row laid out in rowRect.
    QRect slotRect(const QRect &rowRect, int index) const;
    // Centre of dot 1..8 of a braille cell drawn in slot.
    QPointF dotCentre(const QRect &slot, int dot) const;
    qreal dotRadius() const;

    enum class Braille { AsDots, Skipped };
    // Paints the row from the left of rowRect, in the painter's pen colour;
    // braille cells as dots, or not at all for a caller that draws them.
    void paintRow(QPainter &painter, const QRect &rowRect, QStringView row,
                  Braille braille = Braille::AsDots) const;

private:
    void addBrailleCell(QPainterPath &dots, const QRect &slot, char32_t character) const;
    // True when the character's glyph is exactly one slot wide, so that a run
    // of such characters can be drawn at once and still fill its slots.
    bool fillsSlot(char32_t character) const;

    QFont m_font;
    QFontMetrics m_metrics;
    int m_slotWidth = 0;
    int m_rowHeight = 0;
    mutable QHash<char32_t, bool> m_fillsSlot;
};
