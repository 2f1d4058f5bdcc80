#include "app/form_zevo.h"

#include <windows.h>

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "lang/form_translation.h"
#include "platform/sim/recording_shell.h"
#include "platform/text.h"
#include "platform/win32/app_window.h"
#include "platform/win32/debugger_output.h"
#include "platform/win32/native_peer.h"
#include "platform/win32/native_ui.h"
#include "platform/win32/system_file_system.h"
#include "platform/win32/system_locale.h"
#include "platform/win32/system_notification_area.h"
#include "platform/win32/system_text_codec.h"
#include "platform/win32/system_tick_clock.h"
#include "platform/win32/system_timer_platform.h"
#include "platform/win32/system_widget_system.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_system_info.h"
#include "runtime/main_thread_queue.h"
#include "toolkit/application.h"
#include "toolkit/standard_controls.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/spin_edit.h"
#include "win32/later.h"
#include "win32/message_pump.h"
#include "win32/resource_counts.h"
#include "win32/source_tree.h"

namespace kb::win32 {
namespace {

HWND window_of(const Control& control) {
  auto* peer = dynamic_cast<NativePeer*>(control.Peer());
  return peer != nullptr ? peer->handle() : nullptr;
}

// The program's main form on the real system: its windows, timers and icon, with a recording
// taskbar in place of the shell's.
class RealMainFormTest : public testing::Test {
 protected:
  RealMainFormTest() {
    app_window.set_wake_handler([this] { queue->run_pending(); });
    ui.set_owner_window(app_window.handle());
    application.SetTitle(kProductTitle);
    form = std::make_unique<TForm_ZEVO>(MainFormParts{
        .application = application,
        .widgets = widgets,
        .timers = timers,
        .queue = queue,
        .shell = shell,
        .notification_area = area,
        .system = system,
        .locale = locale,
        .lang = {codec, files, debug, clock},
    });
    form->DoCreate();
  }
  ~RealMainFormTest() override {
    form.reset();
    queue->close();
  }

  AppWindow app_window{u"Korvalen Barlume"};
  std::shared_ptr<MainThreadQueue> queue = std::make_shared<MainThreadQueue>(app_window.waker());
  NativeUi ui;
  Application application{ui};
  SystemWidgetSystem widgets;
  std::shared_ptr<SystemTimerPlatform> timers = std::make_shared<SystemTimerPlatform>();
  sim::RecordingShell shell;
  SystemNotificationArea area{app_window.handle()};
  WindowsSystemInfo system;
  SystemLocale locale;
  SystemTextCodec codec;
  SystemFileSystem files;
  DebuggerOutput debug;
  SystemTickClock clock;
  std::unique_ptr<TForm_ZEVO> form;
};

struct Placed {
  const char16_t* name;
  RECT bounds;
  const wchar_t* text;
  bool visible;
};

TEST_F(RealMainFormTest, TheDialogsControlsSitWhereItsDesignPutsThemInTabOrder) {
  std::vector<std::u16string> tab_stops;
  bool placed_right = true;
  test::later(100, [&] {
    const HWND dialog = window_of(*form);
    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 645);
    EXPECT_EQ(client.bottom, 346);
    wchar_t caption[64] = {};
    GetWindowTextW(dialog, caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Benutzerdefiniert");
    const Placed controls[] = {
        {u"Label_Alpha_Hint", {442, 103, 637, 116}, L"Transparenz (0=komplett transparent)", true},
        {u"Label_Update_Hint", {429, 199, 637, 212}, L"ms Update-Frequenz", false},
        {u"Bevel1", {371, 184, 637, 186}, L"", false},
        {u"Button_OK", {536, 312, 637, 338}, L"Ok", true},
        {u"ColorPickerHSV1", {8, 8, 353, 297}, L"", true},
        {u"SpinEdit_R", {384, 16, 436, 38}, L"255", true},
        {u"SpinEdit_A", {384, 100, 436, 122}, L"128", true},
        {u"CheckBox_Preview", {371, 136, 637, 153}, L"Vorschau live anzeigen", true},
        {u"Button_Reset", {8, 312, 167, 338}, L"Zur\u00FCcksetzen", true},
        {u"SpinEdit_Update", {371, 196, 423, 218}, L"20", false},
    };
    for (const Placed& c : controls) {
      auto* control = dynamic_cast<Control*>(form->FindComponent(c.name));
      ASSERT_NE(control, nullptr);
      const HWND window = window_of(*control);
      ASSERT_NE(window, nullptr) << to_utf8(c.name);
      RECT r;
      GetWindowRect(window, &r);
      MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
      const bool same = r.left == c.bounds.left && r.top == c.bounds.top &&
                        r.right == c.bounds.right && r.bottom == c.bounds.bottom;
      placed_right = placed_right && same;
      EXPECT_TRUE(same) << to_utf8(c.name) << " at " << r.left << "," << r.top << " " << r.right
                        << "," << r.bottom;
      wchar_t text[64] = {};
      GetWindowTextW(window, text, 64);
      EXPECT_EQ(std::wstring(text), c.text) << to_utf8(c.name);
      EXPECT_EQ(IsWindowVisible(window) != FALSE, c.visible) << to_utf8(c.name);
    }
    // Tab from the OK button round the dialog.
    HWND at = window_of(*form->Button_OK);
    for (int i = 0; i < 7; ++i) {
      for (Control* c : std::initializer_list<Control*>{
               form->Button_OK, form->SpinEdit_R, form->SpinEdit_G, form->SpinEdit_B,
               form->SpinEdit_A, form->CheckBox_Preview, form->Button_Reset}) {
        if (window_of(*c) == at) {
          tab_stops.push_back(c->Name());
        }
      }
      at = GetNextDlgTabItem(dialog, at, FALSE);
    }
    form->Close();
  });
  form->Tray_Accent_UserSetNowClick();
  EXPECT_EQ(tab_stops, (std::vector<std::u16string>{u"Button_OK", u"SpinEdit_R", u"SpinEdit_G",
                                                    u"SpinEdit_B", u"SpinEdit_A",
                                                    u"CheckBox_Preview", u"Button_Reset"}));
  EXPECT_TRUE(placed_right);
}

TEST_F(RealMainFormTest, OpeningAndClosingTheDialogLeavesNoWindowsOrGdiObjects) {
  test::expect_no_leaks(200, [this](int) {
    test::later(1, [this] { form->Close(); });
    form->Tray_Accent_UserSetNowClick();
  });
}

// How wide `text` is in the font of `window`, at the font's design widths: the same font a
// hundred times larger, its width divided by a hundred. Hinting at the small size moves each
// letter by a fraction of a pixel, and Wine's differs from Windows'. A character the font lacks
// is measured in the font the system links in for it, as when it is drawn.
double text_width(HWND window, const std::wstring& text) {
  constexpr int kScale = 100;
  LOGFONTW design{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof(design),
             &design);
  design.lfHeight *= kScale;
  const HFONT large = CreateFontIndirectW(&design);
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, large);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(large);
  return static_cast<double>(size.cx) / kScale;
}

// Every shipped translation in the dialog: each text fits the room its control gives it.
TEST_F(RealMainFormTest, EveryShippedTranslationFitsTheDialog) {
  std::vector<std::u16string> keys;
  for (const FoundEntry& entry : files.find(test::source_tree() + u"\\translation\\*.nlang3")) {
    keys.push_back(entry.name.substr(0, entry.name.find(u'.')));
  }
  ASSERT_EQ(keys.size(), 11u);
  const int check_box = GetSystemMetrics(SM_CXMENUCHECK) + 4;
  for (const std::u16string& key : keys) {
    GlobalLang.reset();
    LOAD_TRANSLATION_TO_FORM({codec, files, debug, clock}, test::source_tree() + u"\\translation",
                             key, *form);
    test::later(100, [&] {
      // The room of each: a label's whole width; a button's inside its edges; a check box's
      // beside its box.
      const struct {
        Control* control;
        int margin;
      } texts[] = {
          {form->Label_Alpha_Hint, 0}, {form->Label_Update_Hint, 0}, {form->Button_OK, 8},
          {form->Button_Reset, 8},     {form->CheckBox_Preview, check_box},
      };
      for (const auto& t : texts) {
        const HWND window = window_of(*t.control);
        RECT client;
        GetClientRect(window, &client);
        wchar_t text[128] = {};
        GetWindowTextW(window, text, 128);
        EXPECT_LE(text_width(window, text), static_cast<double>(client.right - t.margin))
            << to_utf8(key) << " " << to_utf8(t.control->Name()) << ": " << to_utf8(from_wide(text));
      }
      form->Close();
    });
    form->Tray_Accent_UserSetNowClick();
  }
  GlobalLang.reset();
}

}  // namespace
}  // namespace kb::win32
