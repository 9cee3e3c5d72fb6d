#include "convertedwords.h"

#include "kana/kanaconverter.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

#include <algorithm>

namespace {

// A place that stays on the word's kana: text typed just before the word
// moves it along, text typed just after it stays outside.
QTextCursor placeOf(QTextDocument *document, int start, int end)
{
    QTextCursor place(document);
    place.setPosition(start);
    place.setPosition(end, QTextCursor::KeepAnchor);
    place.setKeepPositionOnInsert(true);
    return place;
}

bool stillReads(const ConvertedWords::Word &word)
{
    return word.place.anchor() < word.place.position() && word.place.selectedText() == word.kana;
}

} // namespace

ConvertedWords::ConvertedWords(QTextDocument *document, QObject *parent) : QObject(parent), m_document(document)
{
    // A document tells of changes to its contents only once it has a layout.
    document->documentLayout();
    connect(document, &QTextDocument::contentsChange, this, &ConvertedWords::noteChange);
}

void ConvertedWords::addLine(int start, const KanaConversion &conversion)
{
    addLines({{start, conversion}});
}

void ConvertedWords::addLines(const QList<std::pair<int, KanaConversion>> &lines)
{
    const std::size_t before = m_words.size();
    bool added = false;
    for (const auto &[start, conversion] : lines)
        added = appendLine(start, conversion) || added;
    if (!added)
        return;
    // The lines converted lie between the words kept, which are in order.
    const auto middle = m_words.begin() + std::ptrdiff_t(before);
    std::sort(middle, m_words.end(), [](const Word &a, const Word &b) { return a.start() < b.start(); });
    std::inplace_merge(m_words.begin(), middle, m_words.end(),
                       [](const Word &a, const Word &b) { return a.start() < b.start(); });
    recount();
    emit changed();
}

bool ConvertedWords::appendLine(int start, const KanaConversion &conversion)
{
    bool added = false;
    for (const ConvertedWord &converted : conversion.words) {
        if (converted.kanaLength <= 0 || converted.kanaStart < 0 ||
            converted.kanaStart + converted.kanaLength > conversion.text.size())
            continue;
        const int from = start + int(converted.kanaStart);
        Word word{placeOf(m_document, from, from + int(converted.kanaLength)), converted.written,
                  conversion.text.sliced(converted.kanaStart, converted.kanaLength), converted.candidates,
                  converted.doubts};
        if (stillReads(word)) {
            m_words.push_back(std::move(word));
            added = true;
        }
    }
    return added;
}

void ConvertedWords::clear()
{
    if (m_words.empty())
        return;
    m_words.clear();
    recount();
    emit changed();
}

void ConvertedWords::noteChange(int position, int removed, int added)
{
    if (m_replacing || m_words.empty())
        return;
    Q_UNUSED(removed);
    // Only the words that touch the changed stretch can have been edited.
    auto first = std::lower_bound(m_words.begin(), m_words.end(), position,
                                  [](const Word &word, int at) { return word.end() < at; });
    const auto last = std::find_if(first, m_words.end(),
                                   [end = position + added](const Word &word) { return word.start() > end; });
    const auto kept = std::remove_if(first, last, [](const Word &word) { return !stillReads(word); });
    if (kept == last)
        return;
    m_words.erase(kept, last);
    recount();
    emit changed();
}

void ConvertedWords::recount()
{
    m_markCount = int(std::count_if(m_words.begin(), m_words.end(), [](const Word &word) { return word.isMarked(); }));
}

int ConvertedWords::wordAt(int position) const
{
    const auto at = std::lower_bound(m_words.begin(), m_words.end(), position,
                                     [](const Word &word, int p) { return word.end() < p; });
    if (at == m_words.end() || at->start() > position)
        return -1;
    return int(at - m_words.begin());
}

int ConvertedWords::nextMarked(int position) const
{
    if (m_markCount == 0)
        return -1;
    const auto after = std::find_if(m_words.begin(), m_words.end(),
                                    [position](const Word &word) { return word.isMarked() && word.start() > position; });
    if (after != m_words.end())
        return int(after - m_words.begin());
    return int(std::find_if(m_words.begin(), m_words.end(), [](const Word &word) { return word.isMarked(); }) -
               m_words.begin());
}

int ConvertedWords::previousMarked(int position) const
{
    if (m_markCount == 0)
        return -1;
    const auto before = std::find_if(m_words.rbegin(), m_words.rend(),
                                     [position](const Word &word) { return word.isMarked() && word.start() < position; });
    if (before != m_words.rend())
        return int(m_words.rend() - before) - 1;
    return int(m_words.rend() -
               std::find_if(m_words.rbegin(), m_words.rend(), [](const Word &word) { return word.isMarked(); })) -
           1;
}

void ConvertedWords::replaceKana(const QList<int> &indexes, const QString &kana)
{
    QTextCursor cursor(m_document);
    m_replacing = true;
    // From the last word up, so the places of those above stay as they are.
    for (auto i = indexes.crbegin(); i != indexes.crend(); ++i) {
        Word &word = m_words[std::size_t(*i)];
        const int start = word.start();
        cursor.setPosition(start);
        cursor.setPosition(word.end(), QTextCursor::KeepAnchor);
        cursor.insertText(kana);
        word.kana = kana;
        word.doubts = {};
        word.place = placeOf(m_document, start, start + int(kana.size()));
    }
    // The places of the other words moved with the text; their order did not.
    m_replacing = false;
}

void ConvertedWords::setReading(int index, const QString &kana)
{
    if (index < 0 || index >= size() || kana.isEmpty())
        return;
    QTextCursor block(m_document);
    block.beginEditBlock();
    replaceKana({index}, kana);
    block.endEditBlock();
    recount();
    emit changed();
}

int ConvertedWords::setReadingOfAll(const QString &written, const QString &oldKana, const QString &kana)
{
    QList<int> indexes;
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        if (m_words[i].written == written && m_words[i].kana == oldKana)
            indexes.append(int(i));
    }
    if (indexes.isEmpty() || kana.isEmpty())
        return 0;
    QTextCursor block(m_document);
    block.beginEditBlock();
    replaceKana(indexes, kana);
    block.endEditBlock();
    recount();
    emit changed();
    return int(indexes.size());
}

void ConvertedWords::clearMark(int index)
{
    if (index < 0 || index >= size() || !m_words[std::size_t(index)].isMarked())
        return;
    m_words[std::size_t(index)].doubts = {};
    recount();
    emit changed();
}
