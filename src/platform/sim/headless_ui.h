#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "toolkit/control_peer.h"
#include "toolkit/input.h"
#include "toolkit/ui_platform.h"

namespace kb {
class Control;
}

namespace kb::sim {

class EventLoop;

// The window system for tests, without windows: every control gets a peer that records what
// it was told, one control at a time holds the focus, and the test plays the user inside
// modal loops and popup menus. Input goes to the controls' entry points as a window would
// send it, and an exception from a handler goes to the application, as a window would hand
// it on. It must outlive the controls it gave peers.
class HeadlessUi final : public UiPlatform {
 public:
  HeadlessUi() = default;
  ~HeadlessUi() override;

  // --- UiPlatform ---
  void create_peers(Control& control) override;
  // Runs the next script given to when_modal, then serves the event loop (when there is one)
  // until the form is closed. Throws kb::Error when it never is.
  void run_modal(Form& form) override;
  MenuItem* track_popup_menu(PopupMenu& menu, int x, int y) override;
  void show_error(std::u16string_view caption, std::u16string_view text) override;
  // Windows 10's single border with a caption at 96 DPI.
  int form_frame_width() override { return 6; }
  int form_frame_height() override { return 29; }

  // --- The user ---
  // What the user does in the next modal loop, in the order the loops come.
  void when_modal(std::function<void(Form& form)> script);
  // What the user chooses in the next popup menus, in order: the item, or null to close the
  // menu without choosing. Without a choice a menu closes unchosen.
  void choose_in_menu(std::function<MenuItem*(PopupMenu& menu)> choice);
  // Ticks and other queued calls are served from this loop while a form is modal.
  void set_event_loop(EventLoop* loop) { loop_ = loop; }

  // Moves the focus, as a press inside a control (`by_left_press`) or a Tab would.
  void focus(Control& control, bool by_left_press = false);
  void leave_focus();
  Control* focused() const { return focused_; }
  // A key on the focused control. Tab, Return and Escape go to its form's dialog handling,
  // every other key to the control.
  void press_key(std::uint16_t key, ShiftState shift = 0);
  // A character typed into the focused control.
  void type(std::u16string_view text);
  // A click on a button or check box, through the application's guard.
  void click(Control& control);

  // --- What the peers were told ---
  struct Popup {
    PopupMenu* menu;
    int x;
    int y;
  };
  const std::vector<Popup>& popups() const { return popups_; }
  struct ErrorBox {
    std::u16string caption;
    std::u16string text;
  };
  const std::vector<ErrorBox>& errors() const { return errors_; }
  std::size_t invalidations(const Control& control) const;
  std::size_t changes(const Control& control, ControlChange change) const;
  // Which control holds the pointer, or null.
  Control* capture() const { return capture_; }

 private:
  class Peer;
  friend class Peer;

  void forget(Control& control);
  // Input into a control on a form goes through its application's guard.
  void deliver(Control& target, const std::function<void()>& input);

  std::deque<std::function<void(Form&)>> modal_scripts_;
  std::deque<std::function<MenuItem*(PopupMenu&)>> menu_choices_;
  EventLoop* loop_ = nullptr;
  Control* focused_ = nullptr;
  Control* capture_ = nullptr;
  std::vector<Popup> popups_;
  std::vector<ErrorBox> errors_;
  struct Record {
    std::size_t invalidations = 0;
    std::map<ControlChange, std::size_t> changes;
  };
  std::map<const Control*, Record> records_;
};

}  // namespace kb::sim
