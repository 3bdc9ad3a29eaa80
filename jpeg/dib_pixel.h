#pragma once
// Reading one pixel of a bitmap's bottom-up rows, for painters that draw pixel by pixel.
#include "jpeg/dib_painter.h"

// The colour of pixel (x, y), y counted from the picture's top row. Black for
// a position outside the picture or the pixel block.
RgbQuad DibPixel(const DibView& dib, int x, int y);
