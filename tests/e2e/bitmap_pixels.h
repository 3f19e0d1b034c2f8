#pragma once
// The pixels of a bitmap, read as 32 bits each, top row first.
#include <windows.h>

#include <vector>

namespace e2e {

struct Pixels {
  int width = 0, height = 0;
  std::vector<DWORD> bits;  // 0x00RRGGBB
  COLORREF At(int x, int y) const {
    const DWORD v = bits[static_cast<size_t>(y) * width + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
};

// Reads the bitmap and deletes it; empty when it cannot be read.
inline Pixels ReadAndDelete(HANDLE image) {
  Pixels out;
  HBITMAP bitmap = static_cast<HBITMAP>(image);
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return out;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::vector<DWORD> bits(static_cast<size_t>(info.bmWidth) * info.bmHeight);
  HDC dc = CreateCompatibleDC(nullptr);
  if (GetDIBits(dc, bitmap, 0, info.bmHeight, bits.data(), &bi, DIB_RGB_COLORS) == info.bmHeight)
    out = {info.bmWidth, info.bmHeight, std::move(bits)};
  DeleteDC(dc);
  DeleteObject(bitmap);
  return out;
}

// A bitmap resource of a module loaded as data.
inline Pixels ResourcePixels(HMODULE module, int id) {
  return ReadAndDelete(LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace e2e
