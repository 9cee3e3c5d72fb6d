#include "document.h"

#include "engine/worktranslation.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QTextCursor>
#include <QTextDocument>

Document::Document(QObject *parent) : QObject(parent), m_text(new QTextDocument(this)) {}

Document::~Document() = default;

QString Document::text() const
{
    return m_text->toPlainText();
}

void Document::setText(const QString &text)
{
    m_text->setPlainText(text);
    m_text->setModified(false);
}

bool Document::isModified() const
{
    return m_text->isModified();
}

void Document::setModified(bool modified)
{
    m_text->setModified(modified);
}

bool Document::hasUnsavedChanges() const
{
    return m_text->isModified() && !m_text->isEmpty();
}

void Document::setFileName(const QString &fileName)
{
    if (fileName == m_fileName)
        return;
    m_fileName = fileName;
    emit fileNameChanged(m_fileName);
}

QString Document::translate()
{
    EditorTranslation result = TranslateEditorText(m_codeTable, text());
    setLastTranslation(std::move(result.translation), std::move(result.withoutBraille));
    return result.error;
}

void Document::setFileText(const TextReadResult &read)
{
    setText(toLf(read.text));
    m_fileFormat = formatOf(read);
}

QString Document::open(const QString &path, QString *notice)
{
    const TextReadResult read = readTextFile(path);
    if (!read.ok)
        return read.error;
    if (notice)
        *notice = read.notice;
    setFileText(read);
    setFileName(path);
    return QString();
}

void Document::clear()
{
    // One step that 元に戻す takes back: the question before a clearing
    // has two answers, and a slip of the key must not cost the text.
    if (!m_text->isEmpty()) {
        QTextCursor cursor(m_text);
        cursor.beginEditBlock();
        cursor.select(QTextCursor::Document);
        cursor.removeSelectedText();
        cursor.endEditBlock();
    }
    m_text->setModified(false);
    m_fileFormat = TextFileFormat();
    setFileName(QString());
}

QString Document::translateFile(const QString &path, QString *notice)
{
    const TextReadResult read = readTextFile(path);
    if (!read.ok)
        return read.error;
    if (notice)
        *notice = read.notice;
    setFileText(read);
    // The text shown is this file's now: a save must go here, never to
    // the file the document held before.
    setFileName(path);
    QStringList withoutBraille;
    Translation translation = translateText(m_codeTable, read.text, &withoutBraille);
    setLastTranslation(std::move(translation), std::move(withoutBraille));
    return QString();
}

void Document::setLastTranslation(Translation translation, QStringList withoutBraille)
{
    m_lastTranslation = std::move(translation);
    m_withoutBraille = std::move(withoutBraille);
    emit translated();
}
