#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/bitmap32.h"
#include "toolkit/component.h"

namespace kb {

// Pictures of one size, 16 x 16 pixels unless set otherwise, for menus ("TImageList").
class ImageList : public Component {
 public:
  explicit ImageList(std::u16string name, int width = 16, int height = 16);

  int Width() const { return width_; }
  int Height() const { return height_; }
  std::size_t Count() const { return pictures_.size(); }
  const TBitmap32& Picture(std::size_t index) const { return pictures_.at(index); }

  // Adds a picture whose pixels of the colour `transparent` (its red, green and blue; alpha
  // is not looked at) become transparent; every other pixel is opaque. A picture of another
  // size is cut at the right and bottom, or filled out there with transparent pixels. Returns
  // the new picture's index.
  std::size_t AddMasked(const TBitmap32& picture, TColor32 transparent);
  void Clear() { pictures_.clear(); }

 private:
  int width_;
  int height_;
  std::vector<TBitmap32> pictures_;
};

}  // namespace kb
