#include "displayline.h"

#include <algorithm>

unsigned char dotsOfCell(QChar cell)
{
    const char16_t unicode = cell.unicode();
    if (unicode < 0x2800 || unicode > 0x28FF)
        return 0;
    // Unicode braille numbers its dots as BrlAPI does: dot n is bit n - 1.
    return static_cast<unsigned char>(unicode - 0x2800);
}

void DisplayLine::setWidth(int cells)
{
    width_ = std::max(1, cells);
    offset_ = caret_ >= 0 ? partOf(caret_) : partOf(std::min(offset_, extent() - 1));
}

void DisplayLine::setLine(const QString &cells, int caret)
{
    const bool caretMoved = caret != caret_;
    cells_ = cells;
    caret_ = caret < 0 ? -1 : std::min<int>(caret, int(cells.size()));
    if (caretMoved && caret_ >= 0)
        offset_ = partOf(caret_);
    else
        offset_ = std::min(offset_, partOf(std::max(0, extent() - 1)));
}

int DisplayLine::extent() const
{
    return std::max<int>(int(cells_.size()), caret_ + 1);
}

int DisplayLine::partOf(int cell) const
{
    return std::max(0, cell) / width_ * width_;
}

bool DisplayLine::panLeft()
{
    if (offset_ == 0)
        return false;
    offset_ -= width_;
    return true;
}

bool DisplayLine::panRight()
{
    if (offset_ + width_ >= extent())
        return false;
    offset_ += width_;
    return true;
}

void DisplayLine::showStart()
{
    offset_ = 0;
}

void DisplayLine::showEnd()
{
    offset_ = partOf(std::max(0, extent() - 1));
}

int DisplayLine::cellAtKey(int key) const
{
    if (key < 0 || key >= width_)
        return -1;
    const int cell = offset_ + key;
    return cell <= cells_.size() ? cell : -1;
}

std::vector<unsigned char> DisplayLine::dots() const
{
    std::vector<unsigned char> dots(std::size_t(width_), 0);
    for (int i = 0; i < width_ && offset_ + i < cells_.size(); ++i)
        dots[std::size_t(i)] = dotsOfCell(cells_[offset_ + i]);
    if (caret_ >= offset_ && caret_ < offset_ + width_)
        dots[std::size_t(caret_ - offset_)] |= kCaretDots;
    return dots;
}
