#pragma once

#include "platform/sim/headless_ui.h"
#include "toolkit/application.h"

namespace kb::test {

// An application on the headless window system, for tests that put controls on forms.
struct HeadlessApp {
  sim::HeadlessUi ui;
  Application app{ui};
};

}  // namespace kb::test
