#pragma once

#include <QColor>
#include <QImage>
#include <array>

// Pictures made in code for the skin tests.

inline constexpr QRgb kMagenta = 0xFFFF00FF;

// Every pixel a different colour: red = x, green = y, blue from both, so a pixel
// tells where it came from.
QImage PositionCodedImage(int width, int height);

// A strip of four frames side by side, frame n filled with colors[n - 1] and its
// four corner squares of `corner` pixels in `key`.
QImage FourFrameStrip(int frameWidth, int height, const std::array<QRgb, 4>& colors,
                      QRgb key = kMagenta, int corner = 4);

// Counts the pixels of `image` within `tolerance` of `color` in each channel.
int CountPixelsNear(const QImage& image, QColor color, int tolerance);
