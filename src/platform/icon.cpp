#include "platform/icon.h"

#include <algorithm>
#include <utility>

namespace kb {

TIcon::TIcon(TBitmap32 picture) {
  if (!picture.empty()) {
    pictures_.push_back(std::move(picture));
  }
}

TIcon::TIcon(std::vector<TBitmap32> pictures) : pictures_(std::move(pictures)) {
  std::erase_if(pictures_, [](const TBitmap32& p) { return p.empty(); });
  std::stable_sort(pictures_.begin(), pictures_.end(),
                   [](const TBitmap32& a, const TBitmap32& b) { return a.width() < b.width(); });
}

const TBitmap32* TIcon::picture_for(int size) const {
  for (const TBitmap32& picture : pictures_) {
    if (picture.width() >= size) {
      return &picture;
    }
  }
  return pictures_.empty() ? nullptr : &pictures_.back();
}

}  // namespace kb
