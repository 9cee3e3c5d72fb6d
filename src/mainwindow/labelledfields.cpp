#include "labelledfields.h"

#include <QLabel>

#include <algorithm>

namespace {

// Room between the end of a label and its field, in pixels.
constexpr int kGap = 6;

} // namespace

namespace LabelledFields {

int arrange(QWidget *window, const QList<Row> &rows, const QList<QWidget *> &alsoMoved)
{
    int shift = 0;
    for (const auto &[label, field] : rows) {
        const QSize text = label->sizeHint();
        label->setGeometry(label->x(), field->y() + (field->height() - text.height()) / 2, text.width(),
                           text.height());
        label->setBuddy(field);
        shift = std::max(shift, label->geometry().right() + 1 + kGap - field->x());
    }
    if (shift <= 0)
        return 0;
    for (const auto &[label, field] : rows)
        field->move(field->x() + shift, field->y());
    for (QWidget *widget : alsoMoved)
        widget->move(widget->x() + shift, widget->y());
    window->setFixedSize(window->width() + shift, window->height());
    return shift;
}

} // namespace LabelledFields
