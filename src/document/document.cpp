#include "document.h"

#include "workfile.h"
#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QTextCursor>
#include <QTextDocument>

Document::Document(QObject *parent)
    : QObject(parent), m_text(new QTextDocument(this)), m_translationModel(new TranslationModel(this))
{
    connect(m_text, &QTextDocument::contentsChange, this, &Document::noteTextChange);
}

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

WorkFileWrite Document::translate()
{
    return translate(text());
}

WorkFileWrite Document::translate(const QString &editorText)
{
    WorkFileWrite write = writeWorkFile(editorText);
    if (!write.ok()) {
        clearTranslation();
        return write;
    }
    // The editor's last line is a line even when it is empty.
    setLastTranslation(translateDocument(m_codeTable, editorText, true), editorText);
    return write;
}

void Document::clearTranslation()
{
    m_translationModel->clear();
    emit translated();
}

void Document::noteTextChange()
{
    if (!hasTranslation() || m_text->revision() == m_translatedRevision)
        return;
    // The length first: most edits change it, and then the text need not be
    // read whole at every key.
    const bool asTranslated = m_text->characterCount() == m_translatedLength &&
                              qHash(m_text->toPlainText()) == m_translatedHash;
    m_translationModel->setOutOfDate(!asTranslated);
}

void Document::setFileText(const TextReadResult &read)
{
    setText(toLf(read.text));
    m_fileFormat = formatOf(read);
}

FileProblem Document::open(const QString &path, ReplacedBytes *replaced)
{
    const TextReadResult read = readTextFile(path);
    if (!read.ok)
        return read.error;
    if (replaced)
        *replaced = read.replacedBytes();
    setFileText(read);
    setFileName(path);
    return {};
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

FileProblem Document::translateFile(const QString &path, ReplacedBytes *replaced)
{
    const TextReadResult read = readTextFile(path);
    if (!read.ok)
        return read.error;
    if (replaced)
        *replaced = read.replacedBytes();
    setFileText(read);
    // The text shown is this file's now: a save must go here, never to
    // the file the document held before.
    setFileName(path);
    setLastTranslation(translateDocument(m_codeTable, read.text), text());
    return {};
}

void Document::setLastTranslation(TranslatedDocument translation, QStringView editorText)
{
    m_translatedRevision = m_text->revision();
    m_translatedLength = m_text->characterCount();
    m_translatedHash = qHash(editorText);
    m_translationModel->setTranslation(std::make_shared<const TranslatedDocument>(std::move(translation)));
    emit translated();
}
