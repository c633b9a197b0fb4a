// The skin control gallery: every skinned control on one window, with pictures
// made in code, for looking at and trying with a real pointer.
//   skin-gallery            opens on the picture controls
//   skin-gallery --trees    opens on the tree controls

#include <QApplication>
#include <QTabWidget>

#include "pages.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QTabWidget window;
    window.setWindowTitle(QStringLiteral("Quillon skin gallery"));
    window.addTab(MakeControlsPage(&window), QStringLiteral("Picture controls"));
    window.addTab(MakeTreePage(&window), QStringLiteral("Tree controls"));
    if (app.arguments().contains(QStringLiteral("--trees"))) window.setCurrentIndex(1);
    window.resize(680, 470);
    window.show();
    return app.exec();
}
