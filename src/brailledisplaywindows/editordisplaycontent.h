#pragma once

#include "displaycontent.h"
#include "engine/translateddocument.h"

#include <QPointer>

class Document;
class QPlainTextEdit;
class QTimer;

// The main editor on the display: the whole braille of the caret's line,
// the cells 点字翻訳 gives, with the caret on the cell of its character.
// Routing keys put the caret on the character of a cell; the braille keys
// type Unicode braille into the text when typing is on.
class EditorDisplayContent : public DisplayContent
{
    Q_OBJECT

public:
    EditorDisplayContent(QPlainTextEdit *editor, Document &document, QObject *parent = nullptr);

    QString cells() const override;
    int caret() const override;
    void route(int cell) override;
    bool typeDots(int dots) override;
    void moveLine(int step) override;

    void setTypingBraille(bool on) { typingBraille_ = on; }
    bool isTypingBraille() const { return typingBraille_; }

private:
    // The translation the line is read from: the last 点字翻訳 while it
    // matches the text, otherwise one made of the text as it stands.
    const TranslatedDocument &translation() const;
    int caretLine() const;
    void textEdited();

    QPointer<QPlainTextEdit> editor_;
    Document &document_;
    mutable TranslatedDocument ownTranslation_;
    mutable bool ownTranslationCurrent_ = false;
    // Typing many characters translates the text once, after a pause.
    QTimer *retranslate_ = nullptr;
    bool typingBraille_ = false;
};

// The cell of a line's braille that stands for the character at a column
// of the line's text; the cell after the last for the line's end.
int cellOfColumn(const TranslatedDocument &translation, qsizetype line, qsizetype textColumn);
// The column of the line's text whose character made a cell; the line's
// end for a cell past the last.
qsizetype columnOfCell(const TranslatedDocument &translation, qsizetype line, int cell, qsizetype lineLength);
