#pragma once

#include "kana/convertedword.h"
#include "kana/kanaconverter.h"

#include <QList>
#include <QObject>
#include <QTextCursor>

#include <utility>
#include <vector>

class QTextDocument;

// The words 点訳かな変換 wrote into a text document, each with the kanji it
// was written in and why its reading is doubted. Each keeps its place while
// the text around it is edited; a word whose own kana is edited, or undone,
// is forgotten, and with it its mark. Kept in memory only, with the
// document.
class ConvertedWords : public QObject
{
    Q_OBJECT

public:
    struct Word
    {
        QTextCursor place; // selects the word's kana in the document
        QString written;
        QString kana;
        QStringList candidates;
        ReadingDoubts doubts;

        bool isMarked() const { return doubts != ReadingDoubts(); }
        int start() const { return place.selectionStart(); }
        int end() const { return place.selectionEnd(); }
    };

    explicit ConvertedWords(QTextDocument *document, QObject *parent = nullptr);

    // The words of a converted line whose kana now starts at start.
    void addLine(int start, const KanaConversion &conversion);
    // The same for many lines at once, telling of the change once.
    void addLines(const QList<std::pair<int, KanaConversion>> &lines);
    void clear();

    // In the order of the text.
    const std::vector<Word> &words() const { return m_words; }
    qsizetype size() const { return qsizetype(m_words.size()); }
    int markCount() const { return m_markCount; }

    // The word whose kana holds position, or touches it from the left (a
    // caret just after a word is on it); -1 for none.
    int wordAt(int position) const;
    // The next marked word after position, or the previous one before it,
    // going round the text's end; -1 when none is marked.
    int nextMarked(int position) const;
    int previousMarked(int position) const;

    // Replaces the kana of word index in the text, one step to undo, and
    // clears its mark; the word stays known with its new kana.
    void setReading(int index, const QString &kana);
    // Replaces the kana of every word written so and read so, one step to
    // undo, and clears their marks. The number of words changed.
    int setReadingOfAll(const QString &written, const QString &oldKana, const QString &kana);
    void clearMark(int index);

signals:
    // Words were added, forgotten, or their readings or marks changed.
    void changed();

private:
    void noteChange(int position, int removed, int added);
    // Adds the line's words at the end, out of order; false when none.
    bool appendLine(int start, const KanaConversion &conversion);
    void recount();
    // Writes kana over the words at indexes (ascending) inside the caller's
    // edit block.
    void replaceKana(const QList<int> &indexes, const QString &kana);

    QTextDocument *m_document;
    std::vector<Word> m_words;
    int m_markCount = 0;
    bool m_replacing = false;
};
