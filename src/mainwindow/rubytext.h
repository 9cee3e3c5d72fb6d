#pragma once

#include "documentimport/importeddocument.h"
#include "kana/morphemeanalyzer.h"

#include <QList>
#include <QTextCharFormat>

class QTextCursor;
class QTextDocument;

// Ruby readings of imported text travel with the text in the editor, as a
// property of its characters, so that edits elsewhere leave them in place
// and 点訳かな変換 finds each with the very occurrence it belongs to.
namespace RubyText {

// Inserts the document's text at the cursor, its ruby marked.
void insert(QTextCursor &cursor, const ImportedDocument &document);

// The readings within [from, to) of the document as fixed words of the
// conversion, placed from `from`. A marked stretch whose text was edited
// since has lost its reading.
QList<FixedWord> readingsIn(const QTextDocument *document, int from, int to);

// The format for text written over marked text (the converted kana): no
// reading, no mark.
QTextCharFormat withoutReading(QTextCharFormat format);

} // namespace RubyText
