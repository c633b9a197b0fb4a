#pragma once

#include <QModelIndex>
#include <QPoint>
#include <QTreeView>
#include <QTreeWidgetItem>

// Whether `point` (viewport coordinates) lies on the expand button drawn left
// of `item`, whose first cell is `firstCell`. Items without children and
// without a forced indicator have no button, nor have top-level items when the
// root is not decorated.
bool IsOnExpandButton(const QTreeView& tree, const QTreeWidgetItem& item,
                      const QModelIndex& firstCell, const QPoint& point);
