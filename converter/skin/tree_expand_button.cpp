#include "converter/skin/tree_expand_button.h"

bool IsOnExpandButton(const QTreeView& tree, const QTreeWidgetItem& item,
                      const QModelIndex& firstCell, const QPoint& point) {
    const bool hasButton =
        item.childCount() > 0 || item.childIndicatorPolicy() == QTreeWidgetItem::ShowIndicator;
    if (!hasButton || !tree.itemsExpandable()) return false;
    if (!item.parent() && !tree.rootIsDecorated()) return false;
    const QRect cell = tree.visualRect(firstCell);
    const QRect button(cell.left() - tree.indentation(), cell.top(), tree.indentation(),
                       cell.height());
    return button.contains(point);
}
