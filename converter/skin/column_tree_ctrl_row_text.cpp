#include "converter/skin/column_tree_ctrl_row_text.h"

#include <QStringList>

QString CellOfRowText(const QString& rowText, int column) {
    if (column < 0) return QString();
    // The trailing tab ends the last cell; it does not open another one.
    const QStringList fields = rowText.split(QLatin1Char('\t'));
    return column < fields.size() ? fields.at(column) : QString();
}

QString ReplaceCellOfRowText(const QString& rowText, int columnCount, int column,
                             const QString& text) {
    // A tab inside a cell (a file name may hold one) would split it in two.
    QString cell = text;
    cell.replace(QLatin1Char('\t'), QLatin1Char(' '));
    QString rebuilt;
    for (int i = 0; i < columnCount; ++i) {
        rebuilt += (i == column) ? cell : CellOfRowText(rowText, i);
        rebuilt += QLatin1Char('\t');
    }
    return rebuilt;
}
