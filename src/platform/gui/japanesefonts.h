#pragma once

#include <QFont>

// The windows are designed for "ＭＳ ゴシック" (monospaced) and "ＭＳ Ｐゴシック"
// (proportional). Where those are not installed, the Noto CJK fonts that the
// set-up installs stand in for them.
namespace JapaneseFonts {

QFont gothic(double pointSize);             // monospaced
QFont proportionalGothic(double pointSize); // proportional

} // namespace JapaneseFonts
