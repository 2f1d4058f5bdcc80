#include "platform/win32/pictures.h"

namespace kb::win32 {
namespace {

BITMAPINFO top_down_info(const TBitmap32& picture) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width();
  info.bmiHeader.biHeight = -picture.height();  // rows from the top, as the picture keeps them
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::uint32_t premultiplied(TColor32 pixel) {
  const std::uint32_t a = pixel >> 24;
  const auto scale = [a](std::uint32_t c) { return div255(c * a); };
  return (a << 24) | (scale((pixel >> 16) & 0xFF) << 16) | (scale((pixel >> 8) & 0xFF) << 8) |
         scale(pixel & 0xFF);
}

// The picture as a 32-bit top-down DIB section, each pixel as `convert` makes it.
template <typename Convert>
UniqueBitmap dib_section(const TBitmap32& picture, Convert convert) {
  if (picture.empty()) {
    return {};
  }
  const BITMAPINFO info = top_down_info(picture);
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) {
    return {};
  }
  auto* out = static_cast<std::uint32_t*>(bits);
  for (TColor32 pixel : picture.pixels()) {
    *out++ = convert(pixel);
  }
  GdiFlush();
  return bitmap;
}

}  // namespace

UniqueBitmap premultiplied_bitmap(const TBitmap32& picture) {
  return dib_section(picture, premultiplied);
}

UniqueBitmap straight_bitmap(const TBitmap32& picture) {
  return dib_section(picture, [](TColor32 pixel) { return std::uint32_t{pixel}; });
}

void draw_opaque(HDC dc, int x, int y, const TBitmap32& picture) {
  if (picture.empty()) {
    return;
  }
  const BITMAPINFO info = top_down_info(picture);
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(picture.width()),
                    static_cast<DWORD>(picture.height()), 0, 0, 0,
                    static_cast<UINT>(picture.height()), picture.pixels().data(), &info,
                    DIB_RGB_COLORS);
}

void draw_blended(HDC dc, int x, int y, const TBitmap32& picture) {
  const UniqueBitmap bitmap = premultiplied_bitmap(picture);
  const UniqueDc memory(CreateCompatibleDC(dc));
  if (!bitmap || !memory) {
    return;
  }
  const SelectedObject selected(memory.get(), bitmap.get());
  BLENDFUNCTION blend{};
  blend.BlendOp = AC_SRC_OVER;
  blend.SourceConstantAlpha = 255;
  blend.AlphaFormat = AC_SRC_ALPHA;
  AlphaBlend(dc, x, y, picture.width(), picture.height(), memory.get(), 0, 0, picture.width(),
             picture.height(), blend);
}

}  // namespace kb::win32
