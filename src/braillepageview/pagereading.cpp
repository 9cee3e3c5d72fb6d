#include "pagereading.h"

#include "backtranslation/backtranslation.h"
#include "braillepages/pagelayout.h"
#include "platform/settings.h"

QStringList kanaOfPage(const BraillePages &document, int page)
{
    if (page < 0 || page >= document.pages.size())
        return {};
    BraillePages one = document;
    one.pages = {document.pages.at(page)};
    const KanaScript script = Settings::katakanaInput() ? KanaScript::Katakana : KanaScript::Hiragana;
    return backTranslateLines(PageLayout::textLines(one), script);
}
