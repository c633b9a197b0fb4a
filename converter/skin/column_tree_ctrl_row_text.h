#pragma once

#include <QString>

// A row of the column tree list keeps all its cells in one text:
// cell 0, tab, cell 1, tab, ..., cell N-1, tab.

// Cell `column` of a row text (the column-th tab-separated field); empty when missing.
QString CellOfRowText(const QString& rowText, int column);

// The row text rebuilt with exactly `columnCount` cells, each followed by a tab:
// cell `column` becomes `text`, the others keep their old value (or stay empty),
// and fields beyond `columnCount` are dropped. Tabs inside `text` become blanks.
QString ReplaceCellOfRowText(const QString& rowText, int columnCount, int column,
                             const QString& text);
