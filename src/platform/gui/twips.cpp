#include "twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace Twips {

double pixelsPerTwip(const QWidget *widget)
{
    const QScreen *screen = widget ? widget->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / 1440.0;
}

int toPixels(double twips, const QWidget *widget)
{
    return int(std::lround(twips * pixelsPerTwip(widget)));
}

double fromPixels(int pixels, const QWidget *widget)
{
    return pixels / pixelsPerTwip(widget);
}

QRect toPixels(const QRect &twips, const QWidget *widget)
{
    return QRect(toPixels(twips.x(), widget), toPixels(twips.y(), widget), toPixels(twips.width(), widget),
                 toPixels(twips.height(), widget));
}

QSize toPixels(const QSize &twips, const QWidget *widget)
{
    return QSize(toPixels(twips.width(), widget), toPixels(twips.height(), widget));
}

void place(QWidget *control, const char *name, const QRect &twips)
{
    control->setObjectName(QString::fromUtf8(name));
    control->setGeometry(toPixels(twips, control));
}

} // namespace Twips
