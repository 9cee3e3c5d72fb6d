#pragma once

#include "braillefiles/braillefiles.h"
#include "kana/kanaerror.h"
#include "platform/fileerror.h"
#include "platform/textfile.h"
#include "tables/codetableloader.h"

#include <QString>
#include <QStringList>

// The messages, in Japanese, for what the libraries report as codes. Each
// is empty when there is nothing to tell.
namespace UserMessages {

QString fileMessage(const FileProblem &problem);
// What was read as U+FFFD, and on which lines; name is the file or what
// stands for the input.
QString replacementNotice(const QString &name, const ReplacedBytes &replaced);
// Names the characters that have no braille; shows at most the first
// `listed` of them.
QString withoutBrailleMessage(const QStringList &characters, int listed = 20);
QString brailleFileMessage(const BrailleFiles::ReadProblem &problem);
QString brailleFileMessage(const BrailleFiles::SaveProblem &problem);
QString kanaMessage(const KanaProblem &problem);
// Why the code table was not loaded, whole.
QString codeTableError(const CodeTableLoad &load);
// What is wrong with the table read, one message a line.
QStringList codeTableProblems(const CodeTableLoad &load);
// The error and every problem, for one message to the user.
QString codeTableReport(const CodeTableLoad &load);

} // namespace UserMessages
