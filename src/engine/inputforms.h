#pragma once

#include <QString>
#include <QStringView>

// The forms in which a line reaches the passes: half-width ASCII (letters,
// digits, space, symbols) and half-width katakana become their full-width
// forms, a kana followed by a combining voiced or semi-voiced mark becomes
// the one voiced kana, and the dashes and waves that the Japanese code pages
// decode differently become the one form the code table knows. Every other
// character is kept as it is.
QString normalizeInputForms(QStringView line);
// The same into a buffer that the caller reuses: false, with `out` left as
// it is, when the line is already in those forms.
bool normalizeInputForms(QStringView line, QString &out);
