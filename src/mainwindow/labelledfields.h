#pragma once

#include <QList>

#include <utility>

class QLabel;
class QWidget;

// Labels beside their fields, measured in the font in use: each label is made
// as wide as its text and centred on its field's line, and when a label would
// reach its field, the fields and the controls right of them move right and
// the window grows by as much.
namespace LabelledFields {

using Row = std::pair<QLabel *, QWidget *>;

// Returns how far the fields had to move (0 when every label fitted).
int arrange(QWidget *window, const QList<Row> &rows, const QList<QWidget *> &alsoMoved);

} // namespace LabelledFields
