#pragma once

#include "toolkit/control.h"

namespace kb::test {

// A plain windowed control that others are shown in, for tests of a control on its own.
class Host final : public Control {
 public:
  Host() : Control(u"THost", u"") {}
};

}  // namespace kb::test
