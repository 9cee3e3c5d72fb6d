#pragma once

#include "textbuilder.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <utility>

// The text of an HTML or XHTML page, element by element, whichever parser
// read it: blocks become lines, <ruby>/<rt> readings, asides marked as
// footnotes wait for the end of the page, images give their alt text.
class HtmlContent
{
public:
    using Attributes = QList<std::pair<QString, QString>>; // qualified name, value

    explicit HtmlContent(TextBuilder &out);

    // name: the local name, lower case.
    void startElement(QStringView name, const Attributes &attributes);
    void endElement(QStringView name);
    void text(QStringView text);
    // The end of the page: its notes are written.
    void endPage();

private:
    TextBuilder &m_document;
    TextBuilder m_noteText;
    TextBuilder *m_out;
    int m_skipDepth = 0; // inside script, style and the like
    QString m_skipped;
    int m_noteDepth = 0; // inside a footnote's element
    QString m_noteElement;
    int m_rubyDepth = 0;
    bool m_inReading = false;
    QString m_rubyBase, m_rubyReading;
    int m_preDepth = 0;
};

// The character an HTML entity name stands for (nbsp, amp, hellip), or
// nothing for a name this reader does not know.
std::optional<QString> htmlEntity(QStringView name);
