#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/process_services.h"
#include "platform/sim/event_loop.h"

namespace kb::sim {

// The process of a program under test: named mutexes in a table that the copies a test starts
// share, message boxes recorded (and answered by the test's handler), and an event loop that
// the test's thread serves.
class ScriptedProcess final : public ProcessServices {
 public:
  using Mutexes = std::set<std::u16string>;
  struct Box {
    std::u16string text;
    std::u16string caption;
    MessageIcon icon;
  };

  explicit ScriptedProcess(std::shared_ptr<Mutexes> mutexes = std::make_shared<Mutexes>());
  // Lets go of the mutexes this copy holds.
  ~ScriptedProcess() override;

  bool take_single_instance(std::u16string_view name) override;
  void message_box(std::u16string_view text, std::u16string_view caption,
                   MessageIcon icon) override;
  std::shared_ptr<MainThreadWaker> waker() override { return loop_; }
  void set_queued_calls_handler(std::function<void()> handler) override;
  // Throws kb::Error when `done()` does not hold within ten seconds.
  void run_message_loop(const std::function<bool()>& done) override;

  EventLoop& loop() { return *loop_; }
  const std::vector<Box>& boxes() const { return boxes_; }
  // Runs while a box is open, as the user who reads it.
  void set_box_handler(std::function<void(const Box&)> handler) { box_handler_ = std::move(handler); }
  const std::shared_ptr<Mutexes>& mutexes() const { return mutexes_; }

 private:
  std::shared_ptr<Mutexes> mutexes_;
  std::vector<std::u16string> held_;
  std::shared_ptr<EventLoop> loop_ = std::make_shared<EventLoop>();
  std::vector<Box> boxes_;
  std::function<void(const Box&)> box_handler_;
};

}  // namespace kb::sim
