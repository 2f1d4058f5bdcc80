#pragma once

#include "platform/debug_output.h"
#include "platform/file_system.h"
#include "platform/text_codec.h"
#include "platform/tick_clock.h"

namespace kb {

// What the translation needs of the system. The parts live as long as the process.
struct LangPlatform {
  const TextCodec& codec;
  FileSystem& files;
  DebugOutput& debug;
  TickClock& clock;
};

}  // namespace kb
