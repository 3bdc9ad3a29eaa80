// Saves a picture of the Windows dialog as it starts in the current folder,
// frame and all, as a 24-bit BMP (for the screenshots under docs/).
// Usage: vornami-dialog-screenshot OUT.bmp
#include <windows.h>

#include <cstdio>
#include <vector>

#include "win/win_dialog.h"

namespace {

bool SaveWindow(HWND window, const wchar_t* path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  std::vector<BYTE> pixels(stride * static_cast<DWORD>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
            reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  FILE* out = _wfopen(path, L"wb");
  if (!out) return false;
  bool ok = fwrite(&file, sizeof file, 1, out) == 1 &&
            fwrite(&header, sizeof header, 1, out) == 1 &&
            fwrite(pixels.data(), pixels.size(), 1, out) == 1;
  return fclose(out) == 0 && ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: vornami-dialog-screenshot OUT.bmp\n");
    return 64;
  }
  WinDialog dialog(GetModuleHandleW(nullptr));
  if (!dialog.Initialise()) return 1;
  SetWindowPos(dialog.window(), HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE);
  ShowWindow(dialog.window(), SW_SHOWNORMAL);
  UpdateWindow(dialog.window());
  // Let every control paint itself before the picture is taken.
  for (int round = 0; round < 50; ++round) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(20);
  }
  return SaveWindow(dialog.window(), argv[1]) ? 0 : 1;
}
