#pragma once

class QWidget;

// Shows a window that may already be open: restored if it was minimised,
// raised above the others and given the focus.
void showInFront(QWidget *window);
