#pragma once

#include "tables/keytables.h"
#include "tables/module1.h"

#include <QString>
#include <QStringList>

// A code table laid out like the shipped one, but whose cell string of row k
// is "<k>", so that every braille cell names the row it came from. Syllable
// rows have the hiragana spelling of their katakana key (ヴ stays ヴ); the
// sign rows have keys that no text holds.
inline CodeTable syntheticCodeTable()
{
    CodeTable code;
    KeyTables keys;
    BuildTables(code, keys); // only for the katakana spelling of each row
    for (int row = 1; row <= CodeTable::kRows; ++row) {
        code.CodePatterns[row] = QStringLiteral("<%1>").arg(row);
        code.CodeKeys[row] = QStringLiteral("[%1]").arg(row);
    }
    for (int row = CodeRow::FirstSyllable; row <= CodeRow::LastSyllable; ++row) {
        QString key = keys.KatakanaKeys[row];
        if (key.isEmpty())
            continue;
        for (QChar &c : key) {
            if (c != u'ヴ')
                c = QChar(c.unicode() - 0x60);
        }
        code.CodeKeys[row] = key;
    }
    code.CodeKeys[CodeRow::Comma] = QStringLiteral(",");
    code.CodeKeys[2] = QStringLiteral("　");
    code.CodeKeys[3] = QStringLiteral(" ");
    code.CodeKeys[CodeRow::NumberContinuation] = QStringLiteral("．");
    code.CodeKeys[15] = QStringLiteral("ぁ");
    code.CodeKeys[16] = QStringLiteral("ぃ");
    code.CodeKeys[17] = QStringLiteral("ぅ");
    code.CodeKeys[18] = QStringLiteral("ぇ");
    code.CodeKeys[40] = QStringLiteral("ぉ");
    return code;
}

// The cell strings of the rows, joined: cells({33, 68}) is "<33><68>".
inline QString cells(std::initializer_list<int> rows)
{
    QString joined;
    for (int row : rows)
        joined += QStringLiteral("<%1>").arg(row);
    return joined;
}

// A shown row without the full-width spaces that fill its unused columns.
inline QString trimmedRow(QString row)
{
    while (row.endsWith(u'　'))
        row.chop(1);
    return row;
}

// Full-width spaces, n of them.
inline QString spaces(int n)
{
    return QString(n, QChar(u'　'));
}
