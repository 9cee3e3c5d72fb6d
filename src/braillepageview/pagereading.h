#pragma once

#include "braillepages/braillepages.h"

#include <QStringList>

// One page of braille read back into kana, line for line (the page number
// left out), in the script chosen in 点字入力: what the page view reads
// aloud and gives screen readers beside the cells.
QStringList kanaOfPage(const BraillePages &document, int page);
