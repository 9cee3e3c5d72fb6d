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
        // A window larger than the screen would open with part of it out of
        // reach; room is kept for its frame, which a window not yet shown
        // does not have: it will get one like the other window's.
        const QSize frameExtra = (window->isVisible() ? window->frameGeometry().size() - window->size()
                                                      : over->frameGeometry().size() - over->size())
                                     .expandedTo(QSize(0, 0));
        const QSize fitting = window->size().boundedTo(area.size() - frameExtra);
        if (fitting != window->size() && window->minimumSize() != window->maximumSize())
            window->resize(fitting.expandedTo(window->minimumSize()));
        frame.setSize(window->size() + frameExtra);
        frame.moveCenter(over->frameGeometry().center());
        frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height())));
    }
    window->move(frame.topLeft());
}
