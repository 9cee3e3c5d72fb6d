#pragma once

#include <QString>

class Document;
class QWidget;

// Saves the document as a text file in the document's file format: a new
// document in cp932 with CR LF line ends, followed by one CR LF; a document
// read from a file as that file was written. Every question and failure goes
// to the user through the window given; nothing is written when the user
// cancels.
class DocumentSaver
{
public:
    static inline const QString kTitle = QStringLiteral("名前を付けて保存");
    static inline const QString kFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)");

    DocumentSaver(QWidget *window, Document &document) : m_window(window), m_document(document) {}

    // Asks for a file name in the Save As dialog (opened with the name of the
    // last one chosen) and writes the text there; the document then takes
    // that file name and has no unsaved changes. True when written; false
    // when the user cancelled or the writing failed.
    bool saveAs();

    // 上書き保存: writes the text to the document's file, or runs Save As
    // when it has none. True when written.
    bool save();

    // Writes the text to path; the document then has no unsaved changes.
    // When it is written in cp932 and holds characters that cp932 cannot,
    // the user is told which ones and chooses: UTF-8 (which the document
    // then keeps), "?" in their place, or no save. A failure is reported and leaves the
    // file on disk as it was. True when written.
    bool writeTo(const QString &path);

    // Before the document is closed or replaced: with unsaved changes, asks
    // "保存しますか？" (Yes saves, with Save As when there is no file yet). True when the caller may go on: no
    // changes, No, or a completed save.
    bool offerToSaveChanges(const QString &title);

    // The name the Save As dialog opens with.
    QString lastFileName() const { return m_lastFileName; }
    void setLastFileName(const QString &path) { m_lastFileName = path; }

private:
    enum class LostCharacters { Replace, SaveAsUtf8, Cancel };
    LostCharacters askAboutLostCharacters(const QString &text);

    QWidget *m_window;
    Document &m_document;
    QString m_lastFileName;
};
