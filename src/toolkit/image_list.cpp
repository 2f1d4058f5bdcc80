#include "toolkit/image_list.h"

#include <algorithm>
#include <utility>

namespace kb {

ImageList::ImageList(std::u16string name, int width, int height)
    : Component(u"TImageList", std::move(name)),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)) {}

std::size_t ImageList::AddMasked(const TBitmap32& picture, TColor32 transparent) {
  TBitmap32 masked(width_, height_, 0x00000000u);
  const int rows = std::min(height_, picture.height());
  const int columns = std::min(width_, picture.width());
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < columns; ++x) {
      const TColor32 rgb = picture.pixel(x, y) & 0x00FFFFFFu;
      if (rgb != (transparent & 0x00FFFFFFu)) {
        masked.set_pixel(x, y, rgb | 0xFF000000u);
      }
    }
  }
  pictures_.push_back(std::move(masked));
  return pictures_.size() - 1;
}

}  // namespace kb
