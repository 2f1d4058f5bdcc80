#include "platform/sim/scripted_process.h"

#include <chrono>

#include "platform/error.h"

namespace kb::sim {

ScriptedProcess::ScriptedProcess(std::shared_ptr<Mutexes> mutexes) : mutexes_(std::move(mutexes)) {}

ScriptedProcess::~ScriptedProcess() {
  for (const std::u16string& name : held_) {
    mutexes_->erase(name);
  }
}

bool ScriptedProcess::take_single_instance(std::u16string_view name) {
  if (!mutexes_->insert(std::u16string(name)).second) {
    return false;
  }
  held_.emplace_back(name);
  return true;
}

void ScriptedProcess::message_box(std::u16string_view text, std::u16string_view caption,
                                  MessageIcon icon) {
  boxes_.push_back({std::u16string(text), std::u16string(caption), icon});
  if (box_handler_) {
    box_handler_(boxes_.back());
  }
}

void ScriptedProcess::set_queued_calls_handler(std::function<void()> handler) {
  loop_->set_wake_handler(std::move(handler));
}

void ScriptedProcess::run_message_loop(const std::function<bool()>& done) {
  if (!loop_->run_until(done, std::chrono::seconds(10))) {
    throw Error(u"The program's message loop never ended.");
  }
}

}  // namespace kb::sim
