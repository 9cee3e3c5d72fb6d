#pragma once

#include "braillepages/booklayout.h"
#include "brailletext.h"

// A stand-in for the translation in layout tests: the vowels あいうえお are
// ⠁⠃⠉⠋⠊, a blank (half- or full-width) is a blank cell, a digit is the
// numeral sign and its cell, anything else ⠿. Layout rules need cells, not
// the braille rules.
inline QString fakeBraille(QStringView kana)
{
    static const char16_t kVowels[] = u"あいうえお";
    static const char16_t kVowelCells[] = u"⠁⠃⠉⠋⠊";
    static const char16_t kDigits[] = u"⠚⠁⠃⠉⠙⠑⠋⠛⠓⠊";
    QString cells;
    for (const QChar c : kana) {
        if (c == u' ' || c == u'　') {
            cells += QChar(0x2800);
        } else if (c.digitValue() >= 0) {
            cells += u'⠼';
            cells += QChar(kDigits[c.digitValue()]);
        } else if (const char16_t *at = std::char_traits<char16_t>::find(kVowels, 5, c.unicode())) {
            cells += QChar(kVowelCells[at - kVowels]);
        } else {
            cells += u'⠿';
        }
    }
    while (cells.endsWith(QChar(0x2800)))
        cells.chop(1);
    return cells;
}

inline BookLayout::Book layBook(const QString &text, const PageSettings &settings,
                                const DocumentInfo &info = DocumentInfo())
{
    const BookLayout::Translate translate = [](QStringView kana) { return fakeBraille(kana); };
    return BookLayout::layout(BookLayout::blocks(text, {}, translate), info, settings, translate,
                              QStringLiteral("てすと"));
}

// Small pages without page numbers: every line of the text is a line here.
inline PageSettings smallPages(int cells = 12, int lines = 10)
{
    PageSettings settings;
    settings.cells = cells;
    settings.lines = lines;
    settings.pageNumbers = false;
    return settings;
}
