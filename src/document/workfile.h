#pragma once

#include "engine/translation.h"

#include <QString>
#include <QStringView>

// The work file "wk.txt" in the user's cache directory: the record of the
// text last translated by the braille translation command.
QString workFilePath();

// Why the work file could not be written; the windows and the command line
// make the message.
enum class WorkFileError {
    None,
    NoFolder,        // no cache folder is known
    FolderNotMade,   // the folder could not be made
    NotCreated,      // the file could not be opened for writing
    NotWritten,      // writing or committing failed
};

struct WorkFileWrite
{
    WorkFileError error = WorkFileError::None;
    QString path;   // the file, or the folder that could not be made
    QString detail; // the system's word for it, when there is one
    bool ok() const { return error == WorkFileError::None; }
};

// Writes the text whole to the work file as a document file is written (CR
// LF, one line end more), in cp932 when cp932 holds every character and in
// UTF-8 with a byte-order mark otherwise, readable by the user alone. It goes
// through QSaveFile, so no reader ever sees it half-written and two programs
// writing at once each leave a whole file. A link in its place is replaced,
// not followed.
WorkFileWrite writeWorkFile(QStringView text);

struct EditorTranslation
{
    bool ok = false;
    WorkFileWrite write; // why it failed, when it did
    Translation translation;
    QStringList withoutBraille; // the characters that have no braille, each once
};

// The braille translation command: translates the editor text in memory and
// records it in the work file. The editor's last line is a line even when it
// is empty, so an empty editor gives one empty line and a text that ends in a
// line end one more, empty, line. When the work file cannot be written the
// translation is empty and the result says why.
EditorTranslation TranslateEditorText(const CodeTable &table, QStringView editorText);
