#include "translationlines.h"

#include "engine/translation.h"
#include "platform/textcodec.h"

QStringList translateToBrailleLines(const CodeTable &table, QStringView text)
{
    LineTranslator translator(table);
    TranslatedLine line;
    QStringList lines;
    forEachLine(text, [&](QStringView source) {
        translator.translate(source, line);
        translator.appendWholeBraille(lines.emplace_back());
    });
    return lines;
}
