#pragma once

#include "importeddocument.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

// QXmlStreamReader with the checks every document part gets: a DTD that
// declares entities is refused (no entity is ever expanded or fetched),
// nesting is bounded, and a part that is not well-formed is damaged.
class XmlReader
{
public:
    static constexpr int kMaxDepth = 256;

    explicit XmlReader(const QByteArray &data);

    // The next token; false at the end of the part or when it was refused,
    // error() telling which.
    bool next();
    QXmlStreamReader &xml() { return m_xml; }
    QStringView name() const { return m_xml.name(); }
    bool isStart() const { return m_xml.isStartElement(); }
    bool isEnd() const { return m_xml.isEndElement(); }
    // The value of the attribute with that qualified name (w:val, epub:type).
    QString attribute(QStringView qualifiedName) const;
    ImportError error() const { return m_error; }

private:
    QXmlStreamReader m_xml;
    int m_depth = 0;
    ImportError m_error = ImportError::None;
};
