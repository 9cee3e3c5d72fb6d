#include "extrarows.h"

QString katakanaSpelling(QStringView text)
{
    QString spelled = text.toString();
    for (QChar &c : spelled) {
        if (c >= u'ぁ' && c <= u'ゖ')
            c = QChar(c.unicode() + 0x60);
    }
    return spelled;
}

ExtraRows::ExtraRows(const CodeTable &code)
{
    for (int row = CodeTable::kLookupRows + 1; row <= code.lastRow(); ++row) {
        const QString &key = code.CodeKeys[std::size_t(row)];
        if (key.isEmpty())
            continue;
        rows_.insert(key, rows_.value(key, row));
        const QString katakana = katakanaSpelling(key);
        if (katakana != key && !katakanaRows_.contains(katakana)) {
            katakanaRows_.insert(katakana, row);
            rows_.insert(katakana, rows_.value(katakana, row));
        }
    }
}
