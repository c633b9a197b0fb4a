#pragma once

#include <Qt>

// Alignment of a column's heading and cells, with the header's own values.
enum class ColumnAlign : int { Left = 0, Right = 1, Center = 2 };

// The Qt alignment a heading or cell of the column is drawn with: vertically
// centred, and left aligned for any value without a name.
inline Qt::Alignment AlignmentOf(ColumnAlign align) {
    switch (align) {
        case ColumnAlign::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case ColumnAlign::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case ColumnAlign::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}
