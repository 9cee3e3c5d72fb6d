#pragma once

#include <QAccessibleWidget>

class BraillePageWidget;

// What screen readers get of a braille page: its lines as text, one
// Unicode braille character a cell and a line end between lines, with the
// page read back into kana as the description. Orca and braille displays
// move through the lines and cells with the text interface as in any
// read-only text; the caret is the interface's own, as the page has none.
class BraillePageAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit BraillePageAccessible(BraillePageWidget *page);

    // Gives the page this interface, from its constructor: with a screen
    // reader running, Qt has already made a plain widget's interface for it
    // while the QWidget part was being built, which is dropped.
    static void attach(BraillePageWidget *page);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

private:
    const BraillePageWidget *page() const;
    QString pageText() const;

    int m_cursor = 0;
};
