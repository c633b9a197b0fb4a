#include "converter/skin/column_tree_ctrl.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QTreeWidgetItem>
#include <QUrl>
#include <QVBoxLayout>

#include "converter/skin/column_tree_ctrl_cells.h"
#include "converter/skin/column_tree_ctrl_row_text.h"

namespace {

QStringList LocalPathsOf(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (!path.isEmpty()) paths << path;
    }
    return paths;
}

}  // namespace

CColumnTreeCtrl::CColumnTreeCtrl(QWidget* parent) : QWidget(parent) {
    setAcceptDrops(true);
    CreateChildren();
}

void CColumnTreeCtrl::CreateChildren() {
    if (tree_) return;
    tree_ = new CCustomTreeChildCtrl(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tree_);
    tree_->setColumnCount(0);
    tree_->Cells()->SetSubTextIndent(subTextIndent);

    QHeaderView* header = tree_->header();
    connect(header, &QHeaderView::sectionResized, this, &CColumnTreeCtrl::OnSectionResized);
    // The tree's current cell also moves between columns of one row; only a
    // change of row is a change of selection.
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) {
                if (current != previous) emit selectionChanged(current, previous);
            });
    connect(tree_, &QTreeWidget::itemExpanded, this, &CColumnTreeCtrl::itemExpanded);
    connect(tree_, &QTreeWidget::itemCollapsed, this, &CColumnTreeCtrl::itemCollapsed);
    connect(tree_, &CCustomTreeChildCtrl::rightClicked, this, &CColumnTreeCtrl::rightClicked);
    connect(tree_, &CCustomTreeChildCtrl::keyDown, this, &CColumnTreeCtrl::keyDown);
    connect(tree_, &CCustomTreeChildCtrl::itemDeleted, this, &CColumnTreeCtrl::itemDeleted);
    connect(tree_, &CCustomTreeChildCtrl::itemDoubleClicked, this, &CColumnTreeCtrl::doubleClicked);
    RecalcColumns();
}

QHeaderView* CColumnTreeCtrl::GetHeader() const {
    return tree_->header();
}

int CColumnTreeCtrl::AddColumn(int index, ColumnAlign align, int width, const QString& heading) {
    if (index < 0 || columnWidths.size() >= kMaxColumns) return -1;
    index = std::min<int>(index, columnWidths.size());
    columnWidths.insert(index, std::max(0, width));
    columnFormats.insert(index, align);
    QVector<QString> headings;
    for (int i = 0; i < tree_->columnCount(); ++i) headings << tree_->headerItem()->text(i);
    headings.insert(index, heading);

    // Cells stay where they are in the row texts: a new heading only relabels
    // the columns to its right, as the tab-separated rows have no column ids.
    applyingColumns_ = true;
    tree_->setColumnCount(columnWidths.size());
    for (int i = 0; i < columnWidths.size(); ++i) {
        tree_->headerItem()->setText(i, headings.at(i));
        tree_->headerItem()->setTextAlignment(i, AlignmentOf(columnFormats.at(i)));
        tree_->header()->resizeSection(i, columnWidths.at(i));
    }
    applyingColumns_ = false;
    tree_->Cells()->SetColumnFormats(columnFormats);
    RecalcColumns();
    return index;
}

void CColumnTreeCtrl::RecalcColumns() {
    QHeaderView* header = tree_->header();
    totalWidth = 0;
    for (int i = 0; i < columnWidths.size() && i < header->count(); ++i) {
        columnWidths[i] = header->sectionSize(i);
        totalWidth += columnWidths[i];
    }
    tree_->firstColumnWidth = columnWidths.isEmpty() ? 0 : columnWidths.at(0);
    tree_->viewport()->update();
}

void CColumnTreeCtrl::OnSectionResized(int column, int oldWidth, int newWidth) {
    if (applyingColumns_) return;
    if (column == 0 && newWidth < minFirstColumnWidth) {
        // The first column keeps its last accepted width.
        tree_->header()->resizeSection(0, oldWidth);
        return;
    }
    RecalcColumns();
}

void CColumnTreeCtrl::SetCellText(QTreeWidgetItem* row, int column, const QString& text) {
    if (!row) return;
    row->setText(0, ReplaceCellOfRowText(row->text(0), tree_->header()->count(), column, text));
}

QString CColumnTreeCtrl::CellText(const QTreeWidgetItem* row, int column) {
    return row ? CellOfRowText(row->text(0), column) : QString();
}

int CColumnTreeCtrl::ColumnWidth(int column) const {
    return column >= 0 && column < columnWidths.size() ? columnWidths.at(column) : 0;
}

ColumnAlign CColumnTreeCtrl::ColumnFormat(int column) const {
    return column >= 0 && column < columnFormats.size() ? columnFormats.at(column)
                                                        : ColumnAlign::Left;
}

int CColumnTreeCtrl::ScrollX() const {
    return tree_->horizontalScrollBar()->value();
}

int CColumnTreeCtrl::HeaderHeight() const {
    return tree_->header()->sizeHint().height();
}

bool CColumnTreeCtrl::AcceptsDrop(const QMimeData* data) const {
    return dropTarget && !LocalPathsOf(data).isEmpty();
}

void CColumnTreeCtrl::dragEnterEvent(QDragEnterEvent* event) {
    if (AcceptsDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CColumnTreeCtrl::dragMoveEvent(QDragMoveEvent* event) {
    if (AcceptsDrop(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CColumnTreeCtrl::dropEvent(QDropEvent* event) {
    if (!AcceptsDrop(event->mimeData())) {
        event->ignore();
        return;
    }
    // The paths are taken first: the target may run for a while for each of them.
    const QStringList paths = LocalPathsOf(event->mimeData());
    const FileDropTarget target = dropTarget;
    event->acceptProposedAction();
    for (const QString& path : paths) target(path.toStdString());
}
