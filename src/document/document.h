#pragma once

#include "platform/textfile.h"
#include "workfile.h"
#include "tables/codetable.h"
#include "translationmodel/translationmodel.h"

#include <QObject>
#include <QString>

class QTextDocument;

// The document the user works on: its text (shown and edited in the main
// window's editor), the file it was last saved as, whether it has changes no
// save has written, and its last translation, which the list shows and
// printing prints. The main window owns it; other windows are given it.
class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject *parent = nullptr);
    ~Document() override;

    // The text. An editor that shows it must give it its own layout first.
    QTextDocument *textDocument() const { return m_text; }
    QString text() const;
    // Replaces the text with one that is on disk, or empty: afterwards the
    // document has no unsaved changes.
    void setText(const QString &text);

    bool isModified() const;
    void setModified(bool modified);
    // Changes that a close or a replacement would lose: an empty text has
    // nothing to lose.
    bool hasUnsavedChanges() const;

    // The document's file: the one it was opened from or last saved as with
    // Save As; empty for a new document.
    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName);
    // How the document's text is written to a file: as the file it was read
    // from was written, or in the format of a new file.
    const TextFileFormat &fileFormat() const { return m_fileFormat; }
    void setFileFormat(const TextFileFormat &format) { m_fileFormat = format; }

    // Reads a text file into the document as it is, without unsaved
    // changes, and makes it the document's file. When the file cannot be
    // read nothing changes and the reason is returned. When some of its bytes
    // could not be read as characters, replaced (if given) says where.
    FileProblem open(const QString &path, ReplacedBytes *replaced = nullptr);
    // A new, empty document: no file, the format of a new file. The text
    // goes in one step that undo brings back.
    void clear();

    // The code table both translations use.
    const CodeTable &codeTable() const { return m_codeTable; }
    void setCodeTable(const CodeTable &table) { m_codeTable = table; }

    // What the last translation, of either kind, gave, as the list shows it;
    // empty before the first one and after the text was cleared.
    TranslationModel *translationModel() const { return m_translationModel; }
    const TranslatedDocument &translation() const { return m_translationModel->translation(); }
    bool hasTranslation() const { return !m_translationModel->isEmpty(); }
    // A translation of the text as it is now.
    bool isTranslationCurrent() const { return hasTranslation() && !m_translationModel->isOutOfDate(); }
    void clearTranslation();
    // The characters of the text last translated that have no braille.
    const QStringList &charactersWithoutBraille() const { return translation().charactersWithoutBraille(); }

    // The braille translation command: translates the text, and records it
    // in the work file. When that file cannot be written, the last
    // translation is emptied and the result says why.
    WorkFileWrite translate();
    // The same for the text as the caller has just read it (text()), so
    // that a long text is not read twice.
    WorkFileWrite translate(const QString &editorText);

    // The file translation: reads the file, makes it the text as it is (no
    // unsaved changes; saving it unchanged writes the same bytes) and the
    // document's file, and translates it. When the file cannot be read nothing changes and the
    // reason is returned. When some of its bytes could not be read as
    // characters, replaced (if given) says how many and on which lines.
    FileProblem translateFile(const QString &path, ReplacedBytes *replaced = nullptr);

signals:
    // The last translation was replaced.
    void translated();
    void fileNameChanged(const QString &fileName);

private:
    // editorText: the editor's text as it was translated.
    void setLastTranslation(TranslatedDocument translation, QStringView editorText);
    // The text changed: a translation of the text before no longer matches.
    void noteTextChange();
    // Takes the text of a file that was read: as it is, and its format.
    void setFileText(const TextReadResult &read);

    QTextDocument *m_text;
    QString m_fileName;
    TextFileFormat m_fileFormat;
    CodeTable m_codeTable;
    TranslationModel *m_translationModel;
    // The text's revision when it was translated: a new font or layout
    // reports the whole text as changed and leaves it as it was.
    int m_translatedRevision = -1;
    // The text translated, by its length and hash: an undo back to it, or
    // typing it again, makes the translation match once more.
    int m_translatedLength = -1;
    size_t m_translatedHash = 0;
};
