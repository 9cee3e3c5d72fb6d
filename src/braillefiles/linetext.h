#pragma once

#include "braillepages/braillepages.h"

#include <QString>
#include <QStringView>

// Text files of braille lines (Unicode braille text and BRF) share their
// shape: lines ended by a line end, pages divided by form feeds.
namespace BrailleFiles {

// The pages of text made of cells, '\n' and '\f'. Without any form feed the
// lines are cut into pages of linesPerPage lines. A form feed at the very
// end closes the last page rather than opening an empty one.
QList<QStringList> splitPages(QStringView text, int linesPerPage);

} // namespace BrailleFiles
