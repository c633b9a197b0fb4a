#pragma once

#include <QImage>

// The seek slider's own grey pictures, drawn in code (they are not skin files).

// 260 x 9, the plain part right of the thumb.
QImage BuiltInChannelImage();
// 260 x 9, the part left of the thumb, with a darker rim at its right end.
QImage BuiltInFilledChannelImage();
// 16 x 9, with rounded corners in the colour of its top-left pixel (the key).
// The pressed thumb is the same picture.
QImage BuiltInThumbImage();
