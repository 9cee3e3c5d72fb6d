#pragma once

// The four formats, each a writer and a tolerant reader of its bytes.

#include "braillefiles.h"

namespace BrailleFiles {

// North American Braille ASCII: the character of the cell with mask m is
// the m-th character of this string.
inline constexpr char kBrailleAscii[] = " A1B'K2L@CIF/MSP\"E3H9O6R^DJG>NTQ,*5<-U8V.%[$+X!&;:4\\0Z7(_?W]#Y)=";
static_assert(sizeof kBrailleAscii == 65);

QByteArray encodeUnicodeText(const BraillePages &document);
ReadResult decodeUnicodeText(const QByteArray &bytes, int linesPerPage);

QByteArray encodeBrf(const BraillePages &document);
ReadResult decodeBrf(const QByteArray &bytes, int linesPerPage);

QByteArray encodePef(const BraillePages &document, QDate date);
ReadResult decodePef(const QByteArray &bytes);

QByteArray encodeBes(const BraillePages &document, QDate date);
ReadResult decodeBes(const QByteArray &bytes);

// The problem, placed where reading stopped: the last line of the last
// page read.
ReadProblem stoppedAt(const BraillePages &document, ReadError error, const QString &detail = QString(),
                      qint64 number = 0);

// Pages and lines as read: the page and line counts of a document that
// names none.
void takeSizeFromPages(BraillePages &document);

} // namespace BrailleFiles
