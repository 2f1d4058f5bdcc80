#pragma once

#include <cstdint>
#include <string>

#include "platform/message_timer.h"

namespace kb {

// What the colour picker and the spin edit need of the system: its colours, the user's
// decimal separator, the default beep, a few metrics, the clipboard's text and message timers.
// User-interface thread only.
class WidgetSystem : public MessageTimerFactory {
 public:
  // The current colour of system colour `index` (a COLOR_* index) as 0x00BBGGRR.
  virtual std::uint32_t system_color(int index) = 0;

  // The first character of the user's locale decimal separator.
  virtual char16_t decimal_separator() = 0;

  // The platform's default beep, as for rejected typing.
  virtual void beep() = 0;

  // Text height in pixels of the system font (the default font of a screen drawing context).
  virtual int system_font_text_height() = 0;
  // Height of a window border (1 on standard settings).
  virtual int border_height() = 0;
  // Thickness of a three-dimensional window edge, as edit boxes have (2 on standard settings).
  virtual int edge_size() = 0;

  // The clipboard's text; empty when it holds none or cannot be opened.
  virtual std::u16string clipboard_text() = 0;
  // Replaces the clipboard's content with `text`; failures are ignored.
  virtual void set_clipboard_text(const std::u16string& text) = 0;
};

}  // namespace kb
