#pragma once
// Paints a device-independent bitmap into a Windows device context, at a fixed
// origin (the preview control's top-left corner).
#include <windows.h>

#include "jpeg/dib_painter.h"

class WinDibPainter : public DibPainter {
 public:
  WinDibPainter(HDC dc, POINT origin) : dc_(dc), origin_(origin) {}
  void DrawDib(int destX, int destY, int width, int height, int srcX, int srcY,
               const DibView& dib) override;

 private:
  HDC dc_;
  POINT origin_;
};
