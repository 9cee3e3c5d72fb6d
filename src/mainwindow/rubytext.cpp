#include "rubytext.h"

#include "kana/rubyreading.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace RubyText {

namespace {

// The base text and its reading, as a string list.
constexpr int kRubyProperty = QTextFormat::UserProperty + 28;

QTextCharFormat rubyFormat(const QString &base, const QString &reading)
{
    QTextCharFormat format;
    format.setProperty(kRubyProperty, QStringList{base, reading});
    // Shown with a dotted underline, so the user sees which words have a
    // reading of the document's own.
    format.setUnderlineStyle(QTextCharFormat::DotLine);
    return format;
}

} // namespace

void insert(QTextCursor &cursor, const ImportedDocument &document)
{
    cursor.beginEditBlock();
    const QTextCharFormat plain = cursor.charFormat();
    qsizetype at = 0;
    for (const RubyReading &ruby : document.readings) {
        if (ruby.start < at || ruby.start + ruby.length > document.text.size())
            continue;
        cursor.insertText(document.text.mid(at, ruby.start - at), plain);
        const QString base = document.text.mid(ruby.start, ruby.length);
        QTextCharFormat format = plain;
        format.merge(rubyFormat(base, ruby.reading));
        cursor.insertText(base, format);
        at = ruby.start + ruby.length;
    }
    cursor.insertText(document.text.mid(at), plain);
    cursor.endEditBlock();
}

QList<FixedWord> readingsIn(const QTextDocument *document, int from, int to)
{
    QList<FixedWord> readings;
    // Runs of characters that carry the same reading, in document positions.
    int runStart = -1;
    QStringList runValue;
    QString runText;
    auto endRun = [&] {
        if (runStart >= 0 && runValue.size() == 2 && !runValue[0].isEmpty()) {
            const QString &base = runValue[0];
            // Two marked words side by side with the same reading (山田山田)
            // make one run: each occurrence of the base gets the reading.
            for (qsizetype i = runText.indexOf(base); i >= 0; i = runText.indexOf(base, i + base.size())) {
                const int start = runStart + int(i);
                if (start >= from && start + base.size() <= to)
                    readings.append(KanaWords::fixedWordOfRuby(start - from, base.size(), runValue[1]));
            }
        }
        runStart = -1;
        runValue.clear();
        runText.clear();
    };
    for (QTextBlock block = document->findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QStringList value = fragment.charFormat().property(kRubyProperty).toStringList();
            if (value != runValue || runStart + runText.size() != fragment.position())
                endRun();
            if (value.isEmpty())
                continue;
            if (runStart < 0) {
                runStart = fragment.position();
                runValue = value;
            }
            runText += fragment.text();
        }
        endRun(); // a reading never spans lines
    }
    return readings;
}

QTextCharFormat withoutReading(QTextCharFormat format)
{
    if (format.hasProperty(kRubyProperty)) {
        format.clearProperty(kRubyProperty);
        format.setUnderlineStyle(QTextCharFormat::NoUnderline);
    }
    return format;
}

} // namespace RubyText
