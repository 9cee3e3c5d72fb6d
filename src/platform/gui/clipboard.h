#pragma once

#include <QString>

// Plain text on the system clipboard. Another program may hold the clipboard
// or offer no text at all; neither is an error for the caller: reading then
// gives an empty string and writing is dropped.
namespace Clipboard {

QString text();
// False when the text could not be put on the clipboard.
bool setText(const QString &text);

// Tests put a clipboard that refuses text in the system's place (nullptr:
// the system's again); no real clipboard can be made to refuse on demand.
using TextWriter = bool (*)(const QString &text);
void setTextWriterForTesting(TextWriter writer);

} // namespace Clipboard
