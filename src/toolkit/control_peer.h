#pragma once

namespace kb {

// What changed in a control, for its native window to show.
enum class ControlChange {
  text,       // the caption or the edit's text, with the selection
  selection,  // only the edit's selection
  bounds,
  visible,
  enabled,
  state,      // a check mark, a default button, a picture: what the control shows besides text
  tab_order,
};

// The native window of a control. The control tells it what changed; the peer mirrors that
// and feeds the user's input back into the control's entry points. A control without a peer
// keeps its state all the same, which is how headless tests drive it.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;

  virtual void changed(ControlChange change) = 0;
  // Draws the control anew, soon.
  virtual void invalidate() = 0;
  // Takes the keyboard focus; the focus then arrives through the control's FocusEnter.
  virtual void set_focus() = 0;
  // Holds the pointer, so that moves and the release arrive wherever the pointer goes, or lets
  // it go.
  virtual void set_capture(bool capture) = 0;
};

}  // namespace kb
