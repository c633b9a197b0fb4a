#pragma once

class QWidget;

// Pages of the control gallery, each showing its controls with generated pictures.
QWidget* MakeControlsPage(QWidget* parent);  // pictures, button, statics, slider
QWidget* MakeTreePage(QWidget* parent);      // column tree list, tree combo box
