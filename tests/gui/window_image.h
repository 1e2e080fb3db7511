// Capture of a window's client area and its storage as PNG or BMP (GUI tests and screenshots).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace qm::gui {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first

  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// BitBlt of the window's client DC into a 32-bit DIB.
Image CaptureClient(HWND window);
// The same of the whole window, frame, caption and menu bar included.
Image CaptureWindow(HWND window);

// Written as PNG when the name ends in ".png", else as BMP. False when the file cannot be written.
bool SaveImage(const Image& image, const std::wstring& path);
bool LoadBmp(const std::wstring& path, Image& image);

}  // namespace qm::gui
