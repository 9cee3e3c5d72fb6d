#pragma once

class QWidget;

// Shows a window that may already be open: restored if it was minimised,
// raised above the others and given the focus.
void showInFront(QWidget *window);

// Places a window that is about to be shown for the first time centred over
// another one, within the available area of that one's screen (made smaller
// where it would not fit). Nothing happens without the other window.
void centreOver(QWidget *window, const QWidget *over);
