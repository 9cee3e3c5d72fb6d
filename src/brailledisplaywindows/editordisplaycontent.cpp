#include "editordisplaycontent.h"

#include "document/document.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>

namespace {

// A pause in typing after which the caret's line is translated again.
constexpr int kRetranslateDelayMs = 150;

} // namespace

int cellOfColumn(const TranslatedDocument &translation, qsizetype line, qsizetype textColumn)
{
    if (line < 0 || line >= translation.lineCount())
        return 0;
    const int columns = translation.columnCount(line);
    TranslatedDocument::Column column;
    for (int i = 0; i < columns; ++i) {
        column = translation.column(line, i);
        if (textColumn < column.sourceStart + column.sourceLength)
            return int(column.cellStart);
    }
    return int(translation.brailleLine(line).size());
}

qsizetype columnOfCell(const TranslatedDocument &translation, qsizetype line, int cell, qsizetype lineLength)
{
    if (line < 0 || line >= translation.lineCount())
        return 0;
    const int columns = translation.columnCount(line);
    for (int i = 0; i < columns; ++i) {
        const TranslatedDocument::Column column = translation.column(line, i);
        if (cell < column.cellStart + column.cellLength)
            return std::min(column.sourceStart, lineLength);
    }
    return lineLength;
}

EditorDisplayContent::EditorDisplayContent(QPlainTextEdit *editor, Document &document, QObject *parent)
    : DisplayContent(parent), editor_(editor), document_(document), retranslate_(new QTimer(this))
{
    retranslate_->setSingleShot(true);
    retranslate_->setInterval(kRetranslateDelayMs);
    connect(retranslate_, &QTimer::timeout, this, &DisplayContent::changed);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!retranslate_->isActive())
            emit changed();
    });
    connect(editor, &QPlainTextEdit::textChanged, this, &EditorDisplayContent::textEdited);
    connect(&document, &Document::translated, this, &DisplayContent::changed);
}

void EditorDisplayContent::textEdited()
{
    ownTranslationCurrent_ = false;
    retranslate_->start();
}

const TranslatedDocument &EditorDisplayContent::translation() const
{
    if (document_.isTranslationCurrent())
        return document_.translation();
    if (!ownTranslationCurrent_) {
        ownTranslation_ = translateDocument(document_.codeTable(), document_.text(), true);
        ownTranslationCurrent_ = true;
    }
    return ownTranslation_;
}

int EditorDisplayContent::caretLine() const
{
    return editor_ ? editor_->textCursor().blockNumber() : 0;
}

QString EditorDisplayContent::cells() const
{
    const TranslatedDocument &lines = translation();
    const int line = caretLine();
    if (line >= lines.lineCount())
        return QString();
    return lines.brailleLine(line);
}

int EditorDisplayContent::caret() const
{
    if (!editor_)
        return -1;
    const QTextCursor cursor = editor_->textCursor();
    return cellOfColumn(translation(), cursor.blockNumber(), cursor.positionInBlock());
}

void EditorDisplayContent::route(int cell)
{
    if (!editor_)
        return;
    QTextCursor cursor = editor_->textCursor();
    const QTextBlock block = cursor.block();
    const qsizetype column = columnOfCell(translation(), block.blockNumber(), cell, block.length() - 1);
    cursor.setPosition(block.position() + int(column));
    editor_->setTextCursor(cursor);
}

bool EditorDisplayContent::typeDots(int dots)
{
    if (!typingBraille_ || !editor_ || editor_->isReadOnly())
        return false;
    // Six-dot cells: dots 7 and 8 of an eight-key keyboard are left out.
    editor_->insertPlainText(QString(QChar(char16_t(0x2800 + (dots & 0x3F)))));
    return true;
}

void EditorDisplayContent::moveLine(int step)
{
    if (editor_)
        editor_->moveCursor(step < 0 ? QTextCursor::PreviousBlock : QTextCursor::NextBlock);
}
