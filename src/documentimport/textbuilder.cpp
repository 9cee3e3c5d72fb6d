#include "textbuilder.h"

namespace {

bool isMarkupBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Scripts written without blanks between words.
bool isWide(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF) ||
           c.isSurrogate();
}

QString noteMark(int number)
{
    return QStringLiteral("（注%1）").arg(number);
}

} // namespace

QString headingLineText(QStringView text, int level)
{
    Q_UNUSED(level)
    return text.toString();
}

void TextBuilder::writePendingBlank(QChar next)
{
    if (!m_pendingBlank)
        return;
    const bool lineEnd = m_pendingLineEnd;
    m_pendingBlank = m_pendingLineEnd = false;
    if (m_current.text.isEmpty() || m_current.text.back() == u' ')
        return;
    // A line end inside Japanese text is only where the source was wrapped.
    if (lineEnd && (isWide(m_current.text.back()) || isWide(next)))
        return;
    m_current.text += u' ';
}

void TextBuilder::append(QStringView text)
{
    for (QChar c : text) {
        if (m_collapse && isMarkupBlank(c)) {
            m_pendingBlank = true;
            m_pendingLineEnd = m_pendingLineEnd || c == u'\n' || c == u'\r';
            continue;
        }
        if (c == u'\n' || c == u'\r') { // a line break inside a paragraph
            endParagraph();
            continue;
        }
        if (c.category() == QChar::Other_Control && c != u'\t')
            continue;
        writePendingBlank(c);
        m_current.text += c;
    }
}

void TextBuilder::addText(QStringView text)
{
    append(text);
}

void TextBuilder::addRuby(QStringView base, QStringView reading)
{
    const QString readingText = reading.toString().simplified();
    const QString baseText = base.toString().simplified();
    if (readingText.isEmpty() || baseText.isEmpty()) {
        append(base);
        return;
    }
    writePendingBlank(baseText.front());
    const qsizetype start = m_current.text.size();
    m_current.text += baseText;
    m_current.readings.append({start, baseText.size(), readingText});
}

void TextBuilder::endParagraph()
{
    m_pendingBlank = m_pendingLineEnd = false;
    Line line = std::exchange(m_current, Line());
    while (!line.text.isEmpty() && (line.text.back() == u' ' || line.text.back() == u'\t'))
        line.text.chop(1);
    if (line.text.trimmed().isEmpty())
        return;
    if (line.headingLevel > 0) {
        const QString text = headingLineText(line.text, line.headingLevel);
        // The marker, when there is one, goes before the text.
        const qsizetype shift = text.size() - line.text.size();
        for (RubyReading &reading : line.readings)
            reading.start += shift;
        line.text = text;
    }
    m_lines.append(line);
}

void TextBuilder::beginHeading(int level)
{
    endParagraph();
    m_current.headingLevel = qBound(1, level, 6);
}

void TextBuilder::addImageDescription(QStringView description)
{
    const QString text = description.toString().simplified();
    if (text.isEmpty())
        return;
    Line interrupted = std::exchange(m_current, Line());
    const bool pending = std::exchange(m_pendingBlank, false);
    m_current.text = text;
    endParagraph();
    m_current = interrupted;
    m_pendingBlank = pending;
}

void TextBuilder::addNote(QList<Line> noteLines, bool numbered)
{
    QString mark = QStringLiteral("注");
    if (numbered) {
        const int number = m_nextNote++;
        append(noteMark(number));
        mark += QString::number(number);
    }
    if (noteLines.isEmpty())
        noteLines.append(Line());
    // The mark leads the note's first line; the rest stand as they are.
    mark += u'　';
    Line &first = noteLines.front();
    first.text.prepend(mark);
    first.headingLevel = 0;
    for (RubyReading &reading : first.readings)
        reading.start += mark.size();
    m_notes.append(noteLines);
}

void TextBuilder::endSection()
{
    endParagraph();
    m_lines.append(m_notes);
    m_notes.clear();
}

QList<TextBuilder::Line> TextBuilder::takeLines()
{
    endParagraph();
    return std::exchange(m_lines, {});
}

ImportedDocument TextBuilder::finish()
{
    endSection();
    ImportedDocument document;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (i > 0)
            document.text += u'\n';
        for (const RubyReading &reading : line.readings)
            document.readings.append({document.text.size() + reading.start, reading.length, reading.reading});
        if (line.headingLevel > 0)
            document.headings.append({i, line.headingLevel});
        document.text += line.text;
    }
    m_lines.clear();
    return document;
}
