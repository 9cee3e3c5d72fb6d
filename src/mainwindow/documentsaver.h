#pragma once

#include "platform/textfile.h"

#include <QString>

class QWidget;

// Saves the document as a text file in the format given: a new document in
// cp932 with CR LF line ends, followed by one CR LF; a document read from a
// file as that file was written. Every question and failure goes to the user
// through the window given; nothing is written when the user cancels.
class DocumentSaver
{
public:
    static inline const QString kTitle = QStringLiteral("名前を付けて保存");
    static inline const QString kFilter = QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt)");

    explicit DocumentSaver(QWidget *window) : m_window(window) {}

    // Asks for a file name in the Save As dialog (opened with the name of the
    // last one chosen) and writes the text there. Returns the path written,
    // or an empty string when the user cancelled or the writing failed.
    QString saveAs(const QString &text, const TextFileFormat &format = {});

    // Writes the text to path. When the text holds characters that cp932
    // cannot, the user is told which ones and may cancel first. A failure is
    // reported and leaves the file on disk as it was. True when written.
    bool writeTextFile(const QString &path, const QString &text, const TextFileFormat &format = {});

    QString lastFileName() const { return m_lastFileName; }
    // Where the next Save As dialog opens: a file or a folder.
    void setLastFileName(const QString &path) { m_lastFileName = path; }

private:
    bool acceptLostCharacters(const QString &text);

    QWidget *m_window;
    QString m_lastFileName;
};
