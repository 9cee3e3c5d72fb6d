#pragma once

#include <QStringList>
#include <QStringView>

#include <functional>
#include <memory>

struct CodeTable;
class LineTranslator;

// The one place where page layout, braille files and braille printing take
// the braille of a translation from the engine: every source line as one
// whole line of Unicode braille cells, blank cells U+2800, no blanks at the
// end. Lines end as in translateText.
QStringList translateToBrailleLines(const CodeTable &table, QStringView text);

// The same for lines handed over one at a time, for a text read as it
// comes: each line's braille is what translateToBrailleLines gives it.
class BrailleLineTranslator
{
public:
    explicit BrailleLineTranslator(const CodeTable &table);
    ~BrailleLineTranslator();
    BrailleLineTranslator(const BrailleLineTranslator &) = delete;
    BrailleLineTranslator &operator=(const BrailleLineTranslator &) = delete;

    // One line, without its line end.
    QString translate(QStringView line);

private:
    std::unique_ptr<LineTranslator> translator_;
};

// The braille of the first line of a kana text, as
// translateToBrailleLines(table, kana).value(0) gives it, by one translator
// kept for every call rather than one made for each: for the headings and
// the front matter of a book, which are many.
std::function<QString(QStringView kana)> firstLineTranslator(const CodeTable &table);
