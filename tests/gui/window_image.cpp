// Window capture by BitBlt (PrintWindow gives blank images under Wine) and a small PNG writer
// with stored (uncompressed) deflate blocks.
#include "tests/gui/window_image.h"

#include <cstdio>
#include <cstring>

namespace qm::gui {

namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t n, std::uint32_t crc = 0) {
  crc = ~crc;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k)
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8)
    out.push_back(static_cast<std::uint8_t>(v >> s));
}

void Chunk(std::vector<std::uint8_t>& out,
           const char* type,
           const std::vector<std::uint8_t>& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  std::vector<std::uint8_t> body(type, type + 4);
  body.insert(body.end(), data.begin(), data.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBe32(out, Crc32(body.data(), body.size()));
}

std::vector<std::uint8_t> Png(const Image& image) {
  std::vector<std::uint8_t> raw;
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);  // filter: none
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.At(x, y);
      raw.push_back(static_cast<std::uint8_t>(p >> 16));
      raw.push_back(static_cast<std::uint8_t>(p >> 8));
      raw.push_back(static_cast<std::uint8_t>(p));
    }
  }
  std::vector<std::uint8_t> z = {0x78, 0x01};
  std::size_t pos = 0;
  do {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - pos);
    z.push_back(pos + n == raw.size() ? 1 : 0);
    z.push_back(static_cast<std::uint8_t>(n));
    z.push_back(static_cast<std::uint8_t>(n >> 8));
    z.push_back(static_cast<std::uint8_t>(~n));
    z.push_back(static_cast<std::uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(pos),
             raw.begin() + static_cast<std::ptrdiff_t>(pos + n));
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBe32(z, (b << 16) | a);

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBe32(header, static_cast<std::uint32_t>(image.width));
  PutBe32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", z);
  Chunk(out, "IEND", {});
  return out;
}

std::vector<std::uint8_t> Bmp(const Image& image) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof(info);
  info.biWidth = image.width;
  info.biHeight = -image.height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  const std::size_t bytes = image.pixels.size() * 4;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(info);
  file.bfSize = static_cast<DWORD>(file.bfOffBits + bytes);
  std::vector<std::uint8_t> out(file.bfSize);
  std::memcpy(out.data(), &file, sizeof(file));
  std::memcpy(out.data() + sizeof(file), &info, sizeof(info));
  std::memcpy(out.data() + file.bfOffBits, image.pixels.data(), bytes);
  return out;
}

bool EndsWith(const std::wstring& s, const std::wstring& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

namespace {
Image Capture(HWND window, bool whole) {
  Image image;
  RECT r{};
  if (whole) {
    GetWindowRect(window, &r);
    OffsetRect(&r, -r.left, -r.top);
  } else {
    GetClientRect(window, &r);
  }
  if (r.right <= 0 || r.bottom <= 0) return image;
  image.width = r.right;
  image.height = r.bottom;
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height, 0);
  HDC windowDc = whole ? GetWindowDC(window) : GetDC(window);
  HDC memory = CreateCompatibleDC(windowDc);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, image.width, image.height, windowDc, 0, 0, SRCCOPY);
  GdiFlush();
  std::memcpy(image.pixels.data(), bits, image.pixels.size() * 4);
  for (std::uint32_t& p : image.pixels)
    p &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(window, windowDc);
  return image;
}
}  // namespace

Image CaptureClient(HWND window) {
  return Capture(window, false);
}
Image CaptureWindow(HWND window) {
  return Capture(window, true);
}

bool SaveImage(const Image& image, const std::wstring& path) {
  const std::vector<std::uint8_t> data = EndsWith(path, L".png") ? Png(image) : Bmp(image);
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  return std::fclose(f) == 0 && ok;
}

bool LoadBmp(const std::wstring& path, Image& image) {
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return false;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  bool ok = std::fread(&file, sizeof(file), 1, f) == 1 &&
            std::fread(&info, sizeof(info), 1, f) == 1 && file.bfType == 0x4D42 &&
            info.biBitCount == 32 && info.biHeight < 0;
  if (ok) {
    image.width = info.biWidth;
    image.height = -info.biHeight;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    std::fseek(f, static_cast<long>(file.bfOffBits), SEEK_SET);
    ok = std::fread(image.pixels.data(), 4, image.pixels.size(), f) == image.pixels.size();
    for (std::uint32_t& p : image.pixels)
      p &= 0xFFFFFF;
  }
  std::fclose(f);
  return ok;
}

}  // namespace qm::gui
