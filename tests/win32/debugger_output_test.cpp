#include "platform/win32/debugger_output.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "win32/debug_listener.h"
#include "win32/message_pump.h"

namespace kb::win32 {
namespace {

TEST(DebuggerOutput, LineReachesADebugOutputViewer) {
  test::DebugListener listener;
  ASSERT_TRUE(listener.listening());
  DebuggerOutput output;
  output.write_line(u"TranslationCount=42");

  auto received = [&] {
    for (const auto& line : listener.lines()) {
      if (line.process_id == GetCurrentProcessId() && line.text == "TranslationCount=42") {
        return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(test::pump_messages_until(received));
}

}  // namespace
}  // namespace kb::win32
