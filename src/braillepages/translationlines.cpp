#include "translationlines.h"

#include "engine/translation.h"
#include "platform/textcodec.h"

QStringList translateToBrailleLines(const CodeTable &table, QStringView text)
{
    BrailleLineTranslator translator(table);
    QStringList lines;
    forEachLine(text, [&](QStringView source) { lines.append(translator.translate(source)); });
    return lines;
}

BrailleLineTranslator::BrailleLineTranslator(const CodeTable &table)
    : translator_(std::make_unique<LineTranslator>(table))
{
}

BrailleLineTranslator::~BrailleLineTranslator() = default;

QString BrailleLineTranslator::translate(QStringView line)
{
    // The cells alone: pages need no rows.
    translator_->translateCells(line);
    QString braille;
    translator_->appendWholeBraille(braille);
    return braille;
}

std::function<QString(QStringView kana)> firstLineTranslator(const CodeTable &table)
{
    auto translator = std::make_shared<BrailleLineTranslator>(table);
    return [translator](QStringView kana) {
        QString braille;
        bool first = true;
        forEachLine(kana, [&](QStringView line) {
            if (first)
                braille = translator->translate(line);
            first = false;
        });
        return braille;
    };
}
