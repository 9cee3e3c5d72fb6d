#include "showwindow.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

void showInFront(QWidget *window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

void centreOver(QWidget *window, const QWidget *over)
{
    if (!over)
        return;
    QRect frame(QPoint(), window->frameGeometry().size());
    frame.moveCenter(over->frameGeometry().center());
    if (const QScreen *screen = over->screen()) {
        const QRect area = screen->availableGeometry();
        frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    }
    window->move(frame.topLeft());
}
