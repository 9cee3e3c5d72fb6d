#pragma once

#include "codetable.h"

#include <QHash>
#include <QString>
#include <QStringView>

// The code rows after the fixed ones (172 on): extra keys that the
// translation looks up when no fixed row has the text. A kana key is found
// by its hiragana spelling, as the file gives it, and by its katakana
// spelling; where two rows have the same key, the first counts.
class ExtraRows
{
public:
    explicit ExtraRows(const CodeTable &code);

    // The row whose key, or the katakana spelling of whose key, is the
    // text; -1 when there is none.
    int row(QStringView text) const { return rows_.value(text.toString(), -1); }
    // The same, found by the katakana spelling alone (the text is not the
    // key as the file writes it); -1 when there is none.
    int katakanaRow(QStringView text) const { return katakanaRows_.value(text.toString(), -1); }

private:
    QHash<QString, int> rows_;
    QHash<QString, int> katakanaRows_;
};

// The text with every hiragana turned into its katakana.
QString katakanaSpelling(QStringView text);
