// The engine's own cost per tick: CustomizeTB against a shell whose operations do nothing.

#include <benchmark/benchmark.h>

#include "app/accent_engine.h"

namespace kb {
namespace {

class NullShell final : public TaskbarShell {
 public:
  void find_windows(std::u16string_view class_name, std::vector<WindowHandle>& found) override {
    found.clear();
    if (class_name == u"Shell_TrayWnd") {
      found.push_back(WindowHandle{0x10010});
    }
  }
  void apply_accent(WindowHandle window, const AccentPolicy& accent) override {
    benchmark::DoNotOptimize(window);
    benchmark::DoNotOptimize(&accent);
  }
  void send_theme_changed(WindowHandle window) override { benchmark::DoNotOptimize(window); }
};

class FormInputs final : public AccentInputs {
 public:
  explicit FormInputs(int look) : look_(look) {}
  bool standard_checked() const override { return look_ == 1; }
  bool transparent_checked() const override { return look_ == 2; }
  bool user_checked() const override { return look_ == 3; }
  bool dialog_visible() const override { return false; }
  bool preview_ticked() const override { return true; }
  std::int32_t red() const override { return 255; }
  std::int32_t green() const override { return 128; }
  std::int32_t blue() const override { return 0; }
  std::int32_t alpha() const override { return 64; }

 private:
  int look_;
};

// Argument: the look's code as the options store it (1 standard, 2 transparent, 3 user).
void BM_AccentCustomizeTB(benchmark::State& state) {
  NullShell shell;
  FormInputs inputs(static_cast<int>(state.range(0)));
  AccentEngine engine(shell, inputs);
  for (auto _ : state) {
    engine.CustomizeTB();
  }
}
BENCHMARK(BM_AccentCustomizeTB)->Arg(1)->Arg(2)->Arg(3);

}  // namespace
}  // namespace kb
