#include "standardrules.h"

namespace {

bool isKanaCharacter(char16_t c)
{
    return (c >= u'ぁ' && c <= u'ゖ') || (c >= u'ァ' && c <= u'ヺ');
}

SignKinds kindOfCharacter(char16_t c)
{
    using namespace SignKind;
    switch (c) {
    case u'　':
        return Space;
    case u'。':
        return Punctuation | TwoBlanksAfter;
    case u'、':
    case u'？':
    case u'！':
    case u'・':
        return Punctuation | OneBlankAfter;
    case u'，':
    case u'．':
        return Punctuation;
    case u'※':
        return OneBlankAfter;
    case u'「':
    case u'『':
    case u'（':
    case u'［':
    case u'〔':
    case u'【':
    case u'《':
    case u'〈':
    case u'｛':
    case u'“':
    case u'‘':
    case u'〝':
        return OpeningBracket;
    case u'」':
    case u'』':
    case u'）':
    case u'］':
    case u'〕':
    case u'】':
    case u'》':
    case u'〉':
    case u'｝':
    case u'”':
    case u'’':
    case u'〟':
        return ClosingBracket;
    case u'→':
    case u'←':
    case u'⇔':
    case u'―':
    case u'…':
        return LineSign;
    case u'－':
        return Hyphen;
    default:
        break;
    }
    if ((c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ'))
        return Letter;
    if (c >= u'０' && c <= u'９')
        return Digit;
    if (isKanaCharacter(c))
        return Kana;
    return 0;
}

} // namespace

SignKinds signKinds(QStringView text)
{
    if (text.isEmpty())
        return 0;
    // A joined syllable is a kana by its first character.
    return text.size() == 1 || isKanaCharacter(text[0].unicode()) ? kindOfCharacter(text[0].unicode()) : 0;
}

void planStandardRules(const std::vector<SignKinds> &kinds, std::vector<ColumnEdit> &edits)
{
    using namespace SignKind;
    const std::size_t n = kinds.size();
    edits.clear();
    const auto kindAt = [&](std::size_t i, std::ptrdiff_t step) -> SignKinds {
        const std::ptrdiff_t j = std::ptrdiff_t(i) + step;
        return j >= 0 && std::size_t(j) < n ? kinds[std::size_t(j)] : 0;
    };
    // The spaces typed after column i, and whether only spaces follow them.
    const auto spacesAfter = [&](std::size_t i, bool &lineEnds) {
        std::size_t j = i + 1;
        while (j < n && (kinds[j] & Space))
            ++j;
        lineEnds = j == n;
        return int(j - i - 1);
    };

    for (std::size_t i = 0; i < n; ++i) {
        const SignKinds kind = kinds[i];
        if (!(kind & Edited))
            continue;
        // A letter alone, the common case, only asks for the connector.
        if (kind == Letter) {
            if (i + 1 < n && (kinds[i + 1] & Kana))
                edits.push_back(ColumnEdit{int(i), 0, 0, true, false});
            continue;
        }
        ColumnEdit edit;
        edit.index = int(i);
        const SignKinds next = kindAt(i, 1);
        const bool nextRefusesBlank = next & (ClosingBracket | Punctuation);

        if (kind & (OneBlankAfter | TwoBlanksAfter | LineSign)) {
            bool lineEnds = false;
            const int typed = spacesAfter(i, lineEnds);
            const int wanted = kind & TwoBlanksAfter ? 2 : 1;
            if (!lineEnds && !nextRefusesBlank && typed < wanted)
                edit.blanksAfter = std::uint8_t(wanted - typed);
        }
        if (kind & LineSign) {
            const SignKinds previous = kindAt(i, -1);
            const bool blanksAfterPrevious =
                !edits.empty() && edits.back().index == int(i) - 1 && edits.back().blanksAfter;
            const bool blankBefore = i == 0 || (previous & (Space | OpeningBracket)) || blanksAfterPrevious;
            if (!blankBefore)
                edit.blanksBefore = 1;
        }
        if (kind & Hyphen) {
            const SignKinds previous = kindAt(i, -1);
            edit.hyphen = (previous & (Digit | Letter)) && (next & (Digit | Letter));
        }
        if ((kind & Letter) && (next & Kana))
            edit.connectorAfter = true;
        // Two quotations side by side: ⠤⠤ would read as a range.
        if ((kind & ClosingBracket) && (next & OpeningBracket))
            edit.blanksAfter = 1;
        if (!edit.isEmpty())
            edits.push_back(edit);
    }
}
