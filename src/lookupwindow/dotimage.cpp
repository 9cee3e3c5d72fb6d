#include "dotimage.h"

#include <QKeyEvent>
#include <QPainter>

DotImage::DotImage(const QPixmap &picture, bool showsMarkedDot, QWidget *parent)
    : QAbstractButton(parent), picture_(picture)
{
    setCheckable(true);
    setChecked(showsMarkedDot);
    // Mouse users need no focus frame; keyboard users reach the dots with Tab.
    setFocusPolicy(Qt::TabFocus);
}

void DotImage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QSize pictureSize = picture_.deviceIndependentSize().toSize();
    painter.drawPixmap(
        QRect(QPoint(), pictureSize).translated(rect().center() - QRect(QPoint(), pictureSize).center()),
        picture_);
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight), 2);
        painter.setPen(pen);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}

void DotImage::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat())
            click();
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        emit arrowKeyPressed(static_cast<Qt::Key>(event->key()));
        break;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

QSize DotImage::sizeHint() const
{
    return picture_.deviceIndependentSize().toSize();
}
