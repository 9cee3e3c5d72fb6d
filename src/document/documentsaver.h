#pragma once

#include <QString>

class Document;
class QWidget;

// Saves the document as a text file in cp932 with CR LF line ends, followed
// by one CR LF. Every question and failure goes to the user through the
// window given; nothing is written when the user cancels.
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

    // Writes the text to path; the document then has no unsaved changes.
    // When the text holds characters that cp932 cannot, the user is told
    // which ones and may cancel first. A failure is reported and leaves the
    // file on disk as it was. True when written.
    bool writeTo(const QString &path);

    // Before the document is closed or replaced: with unsaved changes, asks
    // "保存しますか？" (Yes runs Save As). True when the caller may go on: no
    // changes, No, or a completed save.
    bool offerToSaveChanges(const QString &title);

    // The name the Save As dialog opens with.
    QString lastFileName() const { return m_lastFileName; }

private:
    bool acceptLostCharacters(const QString &text);

    QWidget *m_window;
    Document &m_document;
    QString m_lastFileName;
};
