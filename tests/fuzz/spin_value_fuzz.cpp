// The spin edit's text as a number: any UTF-16 text parses or reads as MinValue without harm;
// whatever parses is a signed 32-bit number whose decimal form parses back to it; and a write
// of the value read always yields a text within the range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/sim/scripted_widget_system.h"
#include "widgets/spin_edit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) {
    return 0;
  }
  std::int32_t min_value;
  std::int32_t max_value;
  std::memcpy(&min_value, data, 4);
  std::memcpy(&max_value, data + 4, 4);
  std::u16string text((size - 8) / 2, u'\0');
  std::memcpy(text.data(), data + 8, text.size() * 2);

  const std::optional<std::int32_t> parsed = kb::parse_spin_value(text);
  if (parsed) {
    const std::string digits = std::to_string(*parsed);
    if (kb::parse_spin_value(std::u16string(digits.begin(), digits.end())) != parsed) {
      std::abort();
    }
  }

  kb::sim::ScriptedWidgetSystem system;
  kb::TSpinEdit edit(system);
  edit.SetMinValue(min_value);
  edit.SetMaxValue(max_value);
  edit.SetText(text);
  const std::int32_t value = edit.Value();
  if (value != parsed.value_or(min_value)) {
    std::abort();
  }
  edit.FocusEnter(false);
  edit.FocusLeave();
  edit.SetValue(value);
  const std::int32_t written = *kb::parse_spin_value(edit.Text());
  if (min_value < max_value && (written < min_value || written > max_value)) {
    std::abort();
  }
  edit.KeyDown(kb::kVkUp, 0);
  edit.KeyDown(kb::kVkDown, 0);
  return 0;
}
