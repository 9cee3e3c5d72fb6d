#pragma once

#include "backtranslation/backtranslation.h"
#include "platform/gui/sixkeychord.h"

#include <QStringList>
#include <QUndoStack>
#include <QWidget>

class QPainter;

// An editor of braille lines, typed with six keys (SixKeyChord) and drawn as
// dots, with each line's kana reading under it. Space enters a blank cell,
// Backspace and Delete remove a cell, Enter starts a new line, the arrow
// keys, Home and End move; every change can be undone. The cells are Unicode
// braille, U+2800 for a blank.
class BrailleEditor : public QWidget
{
    Q_OBJECT

public:
    explicit BrailleEditor(QWidget *parent = nullptr);

    QStringList lines() const { return lines_; }
    QStringList kanaLines() const { return kana_; }
    int cursorLine() const { return line_; }
    int cursorColumn() const { return column_; }
    bool isEmpty() const { return lines_.size() == 1 && lines_.first().isEmpty(); }
    bool hasSelection() const { return allSelected_; }
    QUndoStack *undoStack() { return &undoStack_; }

    void setScript(KanaScript script);

    // Puts braille in at the cursor (replacing a selection): six-dot cells
    // and line breaks are taken, a space is a blank cell. Returns the number
    // of other characters, which are left out.
    int insertText(const QString &text);

    // Unicode braille of the selection, or of all lines when nothing is
    // selected, lines joined by "\n".
    QString text() const;

    // Puts the cursor before a cell of its line (the end at most), as a
    // routing key of a braille display does.
    void setCursorColumn(int column);

public slots:
    void selectAll();
    void copy();
    void paste();

signals:
    void contentChanged();
    // The keys held now and all keys of the chord so far, as dot masks.
    void chordChanged(int heldDots, int chordDots);
    // Characters of a paste that are not braille and were left out.
    void pasteDropped(int count);
    // Where the cursor now stands, for a scroll area to keep it in view.
    void cursorMoved(const QRect &area);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    friend class BrailleEditCommand;
    struct State
    {
        QStringList lines;
        int line = 0;
        int column = 0;
    };

    State state() const { return {lines_, line_, column_}; }
    void setState(const State &state);
    void edit(const State &after, const QString &description);
    State withoutSelection() const;

    void typeCell(QChar cell);
    void backspace();
    void deleteForward();
    void newLine();
    void moveCursor(int key);
    bool shortcut(QKeyEvent *event);

    int lineHeight() const;
    int cellLeft(int column) const;
    int lineTop(int line) const;
    int drawKana(QPainter *painter, int line) const;
    void updateSize();
    void showCursor();

    QStringList lines_{QString()};
    QStringList kana_{QString()};
    QList<QList<qsizetype>> kanaCells_{{}}; // for each kana character, the cell it was read from
    int line_ = 0;
    int column_ = 0;
    bool allSelected_ = false;
    KanaScript script_ = KanaScript::Hiragana;
    SixKeyChord chord_;
    QUndoStack undoStack_;
};
