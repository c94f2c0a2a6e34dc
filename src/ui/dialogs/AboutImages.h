#pragma once

#include <QCursor>
#include <QImage>
#include <QRect>

namespace tamrik {

// The about window's pictures, drawn at run time.
constexpr int kAboutWidth = 320;
constexpr int kAboutHeight = 193;
constexpr int kAboutCloseSize = 24;
constexpr int kAboutPointerSize = 32;

// The background; `linkPlate` is where the link line will be drawn, given a light backing so the
// blue link text stays readable on the dark picture.
QImage AboutBackground(const QRect& linkPlate);
// The close image, with a per-pixel alpha channel (premultiplied).
QImage AboutCloseImage();
// The link pointer's picture on a flat key colour: the colour of its top-left pixel.
QImage AboutPointerImage();
// A pointer from a picture: pixels of the top-left pixel's colour are transparent, all others keep
// their colour; the hot spot is the top-left corner.
QCursor PointerFromImage(const QImage& image);

}  // namespace tamrik
