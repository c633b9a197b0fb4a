// Gallery page for the column tree list and the tree combo box, with generated
// rows and pictures. Every notification the controls send is written to a log.
#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTreeWidgetItem>
#include <QVBoxLayout>
#include <QWidget>

#include "converter/skin/column_tree_ctrl.h"
#include "converter/skin/tree_combo_box.h"
#include "pages.h"

namespace {

// A picture of the given size: a coloured field with a darker border, and a
// magenta (transparent) corner so the key colour shows in the thumbnails.
QString WritePicture(const QString& folder, const QString& name, QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setPen(colour.darker(170));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    painter.fillRect(0, 0, size.width() / 4, size.height() / 4, QColor(255, 0, 255));
    painter.end();
    const QString path = QDir(folder).filePath(name);
    image.save(path, "BMP");
    return path;
}

void FillTaskList(CColumnTreeCtrl* list) {
    list->AddColumn(0, ColumnAlign::Left, 220, QStringLiteral("Source"));
    list->AddColumn(1, ColumnAlign::Left, 90, QStringLiteral("Length"));
    list->AddColumn(2, ColumnAlign::Center, 90, QStringLiteral("Start Time"));
    list->AddColumn(3, ColumnAlign::Right, 90, QStringLiteral("End Time"));
    CCustomTreeChildCtrl* tree = list->GetTree();
    tree->SetFullRowSelect(true);
    tree->setRootIsDecorated(false);
    const struct {
        const char* name;
        const char* length;
    } rows[] = {
        {"concert recording.mkv", "01:12:09"},
        {"interview, part 2.mp4", "00:41:30"},
        {"a file name long enough to need an ellipsis in its cell.ogg", "00:03:05"},
        {"voice memo.wav", "00:00:48"},
    };
    for (const auto& row : rows) {
        auto* item = new QTreeWidgetItem(tree);
        list->SetCellText(item, 0, QString::fromUtf8(row.name));
        list->SetCellText(item, 1, QString::fromUtf8(row.length));
        list->SetCellText(item, 2, QStringLiteral("00:00:00"));
        list->SetCellText(item, 3, QString::fromUtf8(row.length));
        item->setCheckState(0, Qt::Checked);
    }
}

void FillPicker(CTreeComboBox* picker, const QString& folder) {
    const QString pictures[] = {
        WritePicture(folder, QStringLiteral("group.bmp"), QSize(32, 32), QColor(70, 110, 200)),
        WritePicture(folder, QStringLiteral("wide.bmp"), QSize(40, 20), QColor(220, 140, 40)),
        WritePicture(folder, QStringLiteral("tall.bmp"), QSize(16, 32), QColor(60, 170, 90)),
        WritePicture(folder, QStringLiteral("square.bmp"), QSize(48, 48), QColor(180, 60, 60)),
    };
    for (int i = 0; i < 4; ++i) picker->AddImage(pictures[i], i);
    const struct {
        const char* group;
        const char* items[3];
    } groups[] = {
        {"Lossy audio", {"MP3 - 192 kbps", "AAC - 128 kbps", "Ogg Vorbis - q5"}},
        {"Lossless audio", {"FLAC", "WAV - PCM 16 bit", nullptr}},
        {"Phones", {"Ringtone (M4R)", nullptr, nullptr}},
    };
    qint64 data = 0;
    for (const auto& group : groups) {
        QTreeWidgetItem* row = picker->AddItem(nullptr, QString::fromUtf8(group.group), 0);
        for (const char* item : group.items) {
            if (!item) continue;
            QTreeWidgetItem* leaf =
                picker->AddItem(row, QString::fromUtf8(item), 1 + int(data % 3));
            CComboTree::SetItemData(leaf, data++);
        }
    }
    picker->ExpandGroups();
    picker->SelectByText(QStringLiteral("AAC - 128 kbps"));
    picker->SetDropHeight(255);
}

}  // namespace

QWidget* MakeTreePage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* folder = new QTemporaryDir();  // kept for the page's life, removed with it
    QObject::connect(page, &QObject::destroyed, [folder] { delete folder; });

    auto* log = new QPlainTextEdit(page);
    log->setReadOnly(true);
    log->setMaximumBlockCount(200);
    auto say = [log](const QString& line) { log->appendPlainText(line); };

    auto* list = new CColumnTreeCtrl(page);
    list->setObjectName(QStringLiteral("columnTree"));
    FillTaskList(list);
    list->SetDropTarget([say](const std::string& path) {
        say(QStringLiteral("dropped: ") + QString::fromStdString(path));
    });
    QObject::connect(
        list, &CColumnTreeCtrl::selectionChanged, page,
        [say](QTreeWidgetItem* current, QTreeWidgetItem*) {
            say(QStringLiteral("selection changed: ") + CColumnTreeCtrl::CellText(current, 0));
        });
    QObject::connect(list, &CColumnTreeCtrl::rightClicked, page, [say](const QPoint& at) {
        say(QStringLiteral("right click at %1, %2").arg(at.x()).arg(at.y()));
    });
    QObject::connect(list, &CColumnTreeCtrl::keyDown, page,
                     [say](int key) { say(QStringLiteral("key down: 0x%1").arg(key, 0, 16)); });
    QObject::connect(list, &CColumnTreeCtrl::doubleClicked, page, [say](QTreeWidgetItem* item) {
        say(QStringLiteral("double click: ") + CColumnTreeCtrl::CellText(item, 0));
    });
    QObject::connect(list, &CColumnTreeCtrl::itemDeleted, page, [say](QTreeWidgetItem* item) {
        say(QStringLiteral("deleted: ") + CColumnTreeCtrl::CellText(item, 0));
    });

    auto* fullRow = new QCheckBox(QStringLiteral("Full-row select"), page);
    fullRow->setChecked(true);
    QObject::connect(fullRow, &QCheckBox::toggled, list,
                     [list](bool on) { list->GetTree()->SetFullRowSelect(on); });
    auto* enabled = new QCheckBox(QStringLiteral("Enabled"), page);
    enabled->setChecked(true);
    QObject::connect(enabled, &QCheckBox::toggled, list, &QWidget::setEnabled);

    auto* picker = new CTreeComboBox(page, QStringLiteral("Profile, none chosen"));
    picker->setObjectName(QStringLiteral("treeCombo"));
    FillPicker(picker, folder->path());
    QObject::connect(picker, &CTreeComboBox::chosen, page, [picker, say] {
        QTreeWidgetItem* item = picker->DropDownTree()->currentItem();
        say(QStringLiteral("chosen: %1 (data %2)")
                .arg(item->text(0))
                .arg(CComboTree::ItemData(item)));
    });

    auto* options = new QHBoxLayout();
    options->addWidget(fullRow);
    options->addWidget(enabled);
    options->addStretch();
    auto* pickerRow = new QHBoxLayout();
    pickerRow->addWidget(new QLabel(QStringLiteral("Profile:"), page));
    pickerRow->addWidget(picker, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(list, 3);
    layout->addLayout(options);
    layout->addWidget(log, 2);
    layout->addLayout(pickerRow);
    return page;
}
