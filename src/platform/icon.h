#pragma once

#include <vector>

#include "platform/bitmap32.h"

namespace kb {

// One icon as pictures of several sizes, as an icon file holds it; the system shows the one
// that suits the place and the display.
class TIcon {
 public:
  TIcon() = default;
  // One picture: the icon at a single size.
  explicit TIcon(TBitmap32 picture);
  explicit TIcon(std::vector<TBitmap32> pictures);

  bool empty() const { return pictures_.empty(); }
  // Smallest first.
  const std::vector<TBitmap32>& pictures() const { return pictures_; }
  // The picture of exactly `size` pixels, or else the smallest larger one, or else the
  // largest; null for an empty icon.
  const TBitmap32* picture_for(int size) const;

 private:
  std::vector<TBitmap32> pictures_;
};

}  // namespace kb
