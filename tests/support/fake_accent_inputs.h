#pragma once

#include <cstdint>

#include "app/accent_engine.h"

namespace kb::test {

// The form's state as the accent engine reads it, set directly by a test. Starts as a fresh
// form does: transparent look, preview ticked, dialog hidden, white at half opacity.
struct FakeAccentInputs final : AccentInputs {
  enum class Look { none, standard, transparent, user };

  bool standard = false;
  bool transparent = true;
  bool user = false;
  bool visible = false;
  bool preview = true;
  std::int32_t r = 255, g = 255, b = 255, a = 128;

  void check(Look look) {
    standard = look == Look::standard;
    transparent = look == Look::transparent;
    user = look == Look::user;
  }

  bool standard_checked() const override { return standard; }
  bool transparent_checked() const override { return transparent; }
  bool user_checked() const override { return user; }
  bool dialog_visible() const override { return visible; }
  bool preview_ticked() const override { return preview; }
  std::int32_t red() const override { return r; }
  std::int32_t green() const override { return g; }
  std::int32_t blue() const override { return b; }
  std::int32_t alpha() const override { return a; }
};

}  // namespace kb::test
