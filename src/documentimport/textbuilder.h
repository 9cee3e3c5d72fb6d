#pragma once

#include "importeddocument.h"

#include <QList>
#include <QString>
#include <QStringView>

// Collects a document's text as the readers walk its markup: paragraphs
// become lines, ruby keeps its reading, footnotes wait for the end of
// their section.
class TextBuilder
{
public:
    struct Line
    {
        QString text;
        QList<RubyReading> readings; // places counted in this line
        int headingLevel = 0;
    };

    // Markup where runs of blanks and line ends are one blank (HTML): a
    // line end between Japanese characters is no blank at all.
    void setCollapseBlanks(bool collapse) { m_collapse = collapse; }

    void addText(QStringView text);
    // The base text goes into the line; an empty reading leaves plain text.
    void addRuby(QStringView base, QStringView reading);
    // Ends the line being written, if it has any text.
    void endParagraph();
    // The next text is a heading of that level (1 = the highest), a line of
    // its own.
    void beginHeading(int level);
    // An image's description, as a line of its own.
    void addImageDescription(QStringView description);

    // A footnote whose text is noteLines: marked here with its number when
    // numbered (Word, OpenDocument) and written at the end of the section.
    void addNote(QList<Line> noteLines, bool numbered);
    // Writes the notes gathered so far, each line marked 注.
    void endSection();

    // The lines ended so far: the number the next one will have.
    qsizetype lineCount() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty() && m_current.text.isEmpty(); }
    // The lines so far, after ending the paragraph (a note's text).
    QList<Line> takeLines();
    // The whole document, after ending the paragraph and the section.
    ImportedDocument finish();

private:
    void append(QStringView text);
    void writePendingBlank(QChar next);

    QList<Line> m_lines;
    Line m_current;
    bool m_collapse = false;
    bool m_pendingBlank = false;
    bool m_pendingLineEnd = false;
    int m_nextNote = 1;
    QList<Line> m_notes;
};

// The text of a heading line. Headings are lines of their own for now; a
// braille heading marker goes here when the page layout has one.
QString headingLineText(QStringView text, int level);
