#pragma once

#include <cstdint>
#include <vector>

#include "platform/taskbar_shell.h"

namespace kb {

// What the engine reads of the main form at every call; the form supplies it.
class AccentInputs {
 public:
  virtual ~AccentInputs() = default;

  // The three radio items of the look menu; at most one is checked, possibly none.
  virtual bool standard_checked() const = 0;
  virtual bool transparent_checked() const = 0;
  virtual bool user_checked() const = 0;

  // The colour dialog is open and its live preview is ticked.
  virtual bool dialog_visible() const = 0;
  virtual bool preview_ticked() const = 0;

  // The values of the red, green, blue and opacity edits; only their low 8 bits are used.
  virtual std::int32_t red() const = 0;
  virtual std::int32_t green() const = 0;
  virtual std::int32_t blue() const = 0;
  virtual std::int32_t alpha() const = 0;
};

// The engine's memory between calls: the cached taskbar windows and whether the standard look
// has been restored since the last accent record.
struct AccentEngineState {
  bool TB_IS_NORMAL = false;
  WindowHandle Taskbar = WindowHandle::none;
  // Every secondary taskbar, one per further monitor; empty with a single monitor.
  std::vector<WindowHandle> Taskbar_Monitor2;
  // Calls left before the windows are looked up again.
  std::int32_t Taskbar_CountDown = 1;
};

// Gives the taskbar windows the look chosen in the form: the user's colour, transparent, or
// the system's own. Called on every tick of the re-apply timer, because the shell paints its
// own look back, and whenever the user changes something that affects the look.
class AccentEngine {
 public:
  static constexpr std::int32_t kLookupEvery = 25;

  AccentEngine(TaskbarShell& shell, const AccentInputs& inputs);

  void CustomizeTB();
  // Back to the state of a new form: no taskbar known, the first call looks it up.
  void Reset() { state_ = AccentEngineState(); }

  const AccentEngineState& state() const { return state_; }

  // The records handed to the window manager.
  static AccentPolicy user_accent(std::int32_t r, std::int32_t g, std::int32_t b, std::int32_t a);
  static constexpr AccentPolicy kTransparentAccent{2, 2, 0, 0};

 private:
  void look_up_windows();
  void apply_to_all(const AccentPolicy& accent);

  TaskbarShell& shell_;
  const AccentInputs& inputs_;
  AccentEngineState state_;
  std::vector<WindowHandle> primary_;  // reused, so that a lookup allocates nothing
};

}  // namespace kb
