#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Window positions and sizes are laid out in twips (1/1440 inch): 15 twips
// are one pixel at 96 dots per inch. They convert through the logical DPI of
// the screen the widget is on (the primary screen when it has none yet).
namespace Twips {

double pixelsPerTwip(const QWidget *widget = nullptr);
int toPixels(double twips, const QWidget *widget = nullptr);
double fromPixels(int pixels, const QWidget *widget = nullptr);
QRect toPixels(const QRect &twips, const QWidget *widget = nullptr);
QSize toPixels(const QSize &twips, const QWidget *widget = nullptr);

// Names a control and puts it at its design place, given in twips.
void place(QWidget *control, const char *name, const QRect &twips);

} // namespace Twips
