#pragma once

#include "braillefiles/braillefiles.h"
#include "documentimport/documentimport.h"
#include "embossing/embossing.h"
#include "kana/kanaerror.h"
#include "platform/fileerror.h"
#include "platform/textfile.h"
#include "speech/speechproblem.h"
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
// "N 行目: message" for a line of a user dictionary that is not used.
QString userDictionaryProblem(const UserDictionaryProblem &problem);
QStringList userDictionaryProblems(const QList<UserDictionaryProblem> &problems);
// Why the embossing job failed; the windows and the CLI add how to get the
// BRF file instead.
QString embossingMessage(const Embossing::Error &error);
// Why a document was not imported, after the file's name when it names one.
QString importMessage(const ImportProblem &problem);
// Why nothing can be read aloud.
QString speechMessage(const SpeechProblem &problem);
// Why the code table was not loaded, whole.
QString codeTableError(const CodeTableLoad &load);
// The name of a sign row (a CodeRow), or empty for another row.
QString codeTableSignName(int row);
// What is wrong, without its line.
QString codeTableProblemMessage(const CodeTableProblem &problem);
// "N行目: message", or the message alone for the file as a whole.
QString codeTableProblemText(const CodeTableProblem &problem);
// What is wrong with the table read, one message a line.
QStringList codeTableProblems(const CodeTableLoad &load);
// The error and every problem, for one message to the user.
QString codeTableReport(const CodeTableLoad &load);

} // namespace UserMessages
