#include "braillerowpainter.h"

#include <QGlyphRun>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

constexpr char32_t kBrailleFirst = 0x2800;
constexpr char32_t kBrailleLast = 0x28FF;

// Where the dots sit in a slot, as fractions of its width and height: dots
// 1, 2, 3 down the left column, 4, 5, 6 down the right, 7 and 8 (eight-dot
// braille) below them.
constexpr double kLeftColumn = 0.32;
constexpr double kRightColumn = 0.68;
constexpr double kRows[] = {0.25, 0.5, 0.75, 0.92};

// Blank slots are left unpainted: printed documents then stay small.
bool isBlank(char32_t character)
{
    return character == U' ' || character == U'\u3000';
}

} // namespace

BrailleRowPainter::BrailleRowPainter(const QFont &font, QPaintDevice *device)
    : m_font(font), m_metrics(font, device), m_exactMetrics(font, device)
{
    // Full-width characters are the widest the rows hold; a braille cell needs
    // room for two columns of dots whatever the font.
    int widest = 0;
    for (const QString &sample : {QStringLiteral("　"), QStringLiteral("あ"), QStringLiteral("Ｗ")})
        widest = std::max(widest, m_metrics.horizontalAdvance(sample));
    m_rowHeight = std::max(1, m_metrics.height());
    m_slotWidth = std::max({widest, m_rowHeight * 2 / 3, 1});

    // The font as the metrics above took it: at this device's resolution.
    m_rawFont = QRawFont::fromFont(device ? QFont(font, device) : font);
}

qsizetype BrailleRowPainter::slotCount(QStringView row)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < row.size(); ++i) {
        if (!(row[i].isLowSurrogate() && i > 0 && row[i - 1].isHighSurrogate()))
            ++count;
    }
    return count;
}

bool BrailleRowPainter::isBraille(char32_t character)
{
    return character >= kBrailleFirst && character <= kBrailleLast;
}

qreal BrailleRowPainter::rowWidth(QStringView row) const
{
    return qreal(slotCount(row)) * m_slotWidth;
}

QSize BrailleRowPainter::rowSize(QStringView row) const
{
    const qreal widest = std::numeric_limits<int>::max();
    return QSize(int(std::min(rowWidth(row), widest)), m_rowHeight);
}

QRectF BrailleRowPainter::slotRect(const QRectF &rowRect, qsizetype index) const
{
    return QRectF(rowRect.left() + qreal(index) * m_slotWidth, rowRect.top(), m_slotWidth, rowRect.height());
}

QPointF BrailleRowPainter::dotCentre(const QRectF &slot, int dot) const
{
    const int index = std::clamp(dot, 1, 8) - 1;
    static constexpr int rowOfDot[] = {0, 1, 2, 0, 1, 2, 3, 3};
    const bool right = index >= 3 && index != 6;
    const double x = slot.left() + slot.width() * (right ? kRightColumn : kLeftColumn);
    // The dots keep the proportions of the row height, centred in the slot.
    const double top = slot.top() + (slot.height() - m_rowHeight) / 2.0;
    const double y = top + m_rowHeight * kRows[rowOfDot[index]];
    return QPointF(x, y);
}

qreal BrailleRowPainter::dotRadius() const
{
    return std::max(1.0, std::min(m_slotWidth * 0.14, m_rowHeight * 0.1));
}

const BrailleRowPainter::SlotGlyph &BrailleRowPainter::slotGlyph(char32_t character) const
{
    const auto known = m_glyphs.constFind(character);
    if (known != m_glyphs.cend())
        return *known;
    SlotGlyph glyph;
    const QString text = QString::fromUcs4(&character, 1);
    if (m_rawFont.isValid() && m_rawFont.supportsCharacter(character)) {
        const QList<quint32> indexes = m_rawFont.glyphIndexesForString(text);
        if (indexes.size() == 1 && indexes.first() != 0) {
            glyph.index = indexes.first();
            glyph.found = true;
            // Centred by the advance the text would have, as drawText centres it.
            glyph.left = (m_slotWidth - m_exactMetrics.horizontalAdvance(text)) / 2.0;
        }
    }
    return *m_glyphs.insert(character, glyph);
}

void BrailleRowPainter::paintRow(QPainter &painter, const QRectF &rowRect, QStringView row, Braille braille) const
{
    painter.save();
    painter.setFont(m_font);
    const QList<uint> characters = row.toUcs4();
    const qsizetype size = characters.size();
    // Where a centred glyph stands in its slot.
    const qreal baseline = rowRect.top() + (rowRect.height() - m_metrics.height()) / 2.0 + m_metrics.ascent();
    QPainterPath dots;
    // The glyphs the row font has, drawn at once below; the others by a
    // font that has them, one by one, as the text engine falls back.
    QList<quint32> glyphs;
    QList<QPointF> positions;
    for (qsizetype index = 0; index < size; ++index) {
        const char32_t character = characters[index];
        const QRectF slot = slotRect(rowRect, index);
        if (isBraille(character) || isBlank(character)) {
            if (isBraille(character) && braille == Braille::AsDots)
                addBrailleCell(dots, slot, character);
            continue;
        }
        const SlotGlyph &glyph = slotGlyph(character);
        if (glyph.found) {
            glyphs.append(glyph.index);
            positions.append(QPointF(slot.left() + glyph.left, baseline));
        } else {
            painter.drawText(slot, Qt::AlignCenter, QString::fromUcs4(&character, 1));
        }
    }
    if (!glyphs.isEmpty()) {
        QGlyphRun run;
        run.setRawFont(m_rawFont);
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    if (!dots.isEmpty()) {
        // All dots of the row as one shape.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(dots, painter.pen().color());
    }
    painter.restore();
}

void BrailleRowPainter::addBrailleCell(QPainterPath &dots, const QRectF &slot, char32_t character) const
{
    const unsigned pattern = character - kBrailleFirst;
    const qreal radius = dotRadius();
    for (int dot = 1; dot <= 8; ++dot) {
        if (pattern & (1u << (dot - 1)))
            dots.addEllipse(dotCentre(slot, dot), radius, radius);
    }
}
