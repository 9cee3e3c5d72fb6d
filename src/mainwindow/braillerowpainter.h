#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
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
    static qsizetype slotCount(QStringView row);
    static bool isBraille(char32_t character);

    // Widths are worked out in qreal: a row of very long cells is wider than
    // an int can count in device pixels of a printer.
    qreal rowWidth(QStringView row) const;
    // For a widget, whose sizes are ints: the width stops at what an int holds.
    QSize rowSize(QStringView row) const;
    // The slot of character index of a row laid out in rowRect.
    QRectF slotRect(const QRectF &rowRect, qsizetype index) const;
    // Centre of dot 1..8 of a braille cell drawn in slot.
    QPointF dotCentre(const QRectF &slot, int dot) const;
    qreal dotRadius() const;

    enum class Braille { AsDots, Skipped };
    // Paints the row from the left of rowRect, in the painter's pen colour;
    // braille cells as dots, or not at all for a caller that draws them.
    void paintRow(QPainter &painter, const QRectF &rowRect, QStringView row,
                  Braille braille = Braille::AsDots) const;

private:
    // A character's glyph in the row font, and how far from its slot's left
    // it stands so that it is centred; no glyph when the font has none and
    // another font must draw it.
    struct SlotGlyph
    {
        quint32 index = 0;
        qreal left = 0;
        bool found = false;
    };

    void addBrailleCell(QPainterPath &dots, const QRectF &slot, char32_t character) const;
    const SlotGlyph &slotGlyph(char32_t character) const;

    QFont m_font;
    QFontMetrics m_metrics;
    QFontMetricsF m_exactMetrics; // advances as the text engine places glyphs
    int m_slotWidth = 0;
    int m_rowHeight = 0;
    // The row font at the device's size: a row's glyphs are placed in their
    // slots and drawn as one run, with no shaping of the text at each paint.
    QRawFont m_rawFont;
    mutable QHash<char32_t, SlotGlyph> m_glyphs;
};
