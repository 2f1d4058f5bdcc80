// Bitmap files from outside (the language menu's flags): any bytes either read as a picture
// of a size within the limits, which the image list takes and which writes out and reads back
// alike, or fail with kb::Error; nothing else happens.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/error.h"
#include "toolkit/bmp_file.h"
#include "toolkit/image_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kb::TBitmap32 picture;
  try {
    picture = kb::decode_bmp(std::span<const std::uint8_t>(data, size));
  } catch (const kb::Error&) {
    return 0;
  }
  if (picture.width() < 1 || picture.height() < 1 || picture.width() > kb::kMaxBmpSide ||
      picture.height() > kb::kMaxBmpSide) {
    std::abort();
  }
  kb::ImageList flags(u"ImageList_Flags");
  flags.AddMasked(picture, 0xFFFFFFu);
  // What it writes is read back with the same colours, opaque.
  const kb::TBitmap32 again = kb::decode_bmp(kb::encode_bmp(picture));
  for (std::size_t i = 0; i < picture.pixels().size(); ++i) {
    if (again.pixels()[i] != (picture.pixels()[i] | 0xFF000000u)) {
      std::abort();
    }
  }
  return 0;
}
