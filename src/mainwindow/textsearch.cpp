#include "textsearch.h"

namespace TextSearch {

qsizetype indexOf(const QString &text, const QString &what, qsizetype from, Comparison comparison)
{
    if (what.isEmpty() || from < 0 || from > text.size())
        return -1;
    // Qt's case folding is the same under every locale and folds full-width
    // letters as well. Hiragana and katakana, and full-width and half-width
    // forms, stay different: they stand for different braille.
    return text.indexOf(what, from,
                        comparison == Comparison::Exact ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

} // namespace TextSearch
