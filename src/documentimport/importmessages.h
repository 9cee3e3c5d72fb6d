#pragma once

#include <QString>

// What the user is told when a document cannot be imported.
namespace ImportMessages {

QString damaged();
QString encrypted();
QString tooLarge();
QString entityDeclarations();
QString tooDeep();
QString notThisFormat(const QString &format);
QString missingPart(const QString &part);
QString noText();

} // namespace ImportMessages
