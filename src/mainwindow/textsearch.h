#pragma once

#include <QString>

// Finding a string in the document's text. Positions are indexes into the
// text as QPlainTextEdit::toPlainText() gives it: UTF-16 units, a line break
// one unit. They are the editor's cursor positions too, so a hit can be
// selected where it was found.
namespace TextSearch {

// How letters are compared.
enum class Comparison {
    Exact,      // every character identical
    IgnoreCase, // upper and lower case equal, full-width letters included (Ａ and ａ)
};

// The index of the first occurrence of what in text at or after from, or -1.
// An empty string is found nowhere: it would match at every position, and
// replacing it would never come to an end.
qsizetype indexOf(const QString &text, const QString &what, qsizetype from, Comparison comparison);

} // namespace TextSearch
