#pragma once

#include <windows.h>

#include "platform/bitmap32.h"
#include "platform/win32/unique_handle.h"

namespace kb::win32 {

// The picture as a 32-bit DIB section with its colours premultiplied by alpha, as menus and
// AlphaBlend take pictures with transparency. Null for an empty picture.
UniqueBitmap premultiplied_bitmap(const TBitmap32& picture);

// The picture as a 32-bit DIB section with its colours as they are (straight alpha), as an
// icon's colour bitmap takes them. Null for an empty picture.
UniqueBitmap straight_bitmap(const TBitmap32& picture);

// Copies the picture to (x, y) of `dc`, alpha ignored: the way to show an opaque buffer
// without flicker.
void draw_opaque(HDC dc, int x, int y, const TBitmap32& picture);

// Blends the picture with its alpha onto (x, y) of `dc`.
void draw_blended(HDC dc, int x, int y, const TBitmap32& picture);

}  // namespace kb::win32
