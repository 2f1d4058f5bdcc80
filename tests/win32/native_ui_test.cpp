#include "platform/win32/native_ui.h"

#include <windows.h>

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/main_thread_waker.h"
#include "platform/text.h"
#include "platform/win32/app_window.h"
#include "platform/win32/native_peer.h"
#include "platform/win32/system_widget_system.h"
#include "platform/win32/wide_text.h"
#include "runtime/main_thread_queue.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/image_list.h"
#include "toolkit/menu.h"
#include "toolkit/standard_controls.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/spin_edit.h"
#include "win32/later.h"
#include "win32/message_pump.h"
#include "win32/resource_counts.h"

namespace kb::win32 {
namespace {

std::u16string window_text(HWND window) {
  wchar_t text[256] = {};
  const auto length = SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return std::u16string(from_wide(text, static_cast<std::size_t>(length)));
}

HWND window_of(const Control& control) {
  auto* peer = dynamic_cast<NativePeer*>(control.Peer());
  return peer != nullptr ? peer->handle() : nullptr;
}

// The window's place in its parent's client area.
RECT placed(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

BOOL CALLBACK find_message(HWND child, LPARAM text) {
  wchar_t buffer[128] = {};
  GetClassNameW(child, buffer, 128);
  if (std::wstring(buffer) == L"Static" && GetWindowTextLengthW(child) > 0) {
    GetWindowTextW(child, buffer, 128);
    *reinterpret_cast<std::u16string*>(text) = from_wide(buffer);
  }
  return TRUE;
}

// The text of a message box.
std::u16string box_message(HWND box) {
  std::u16string text;
  EnumChildWindows(box, &find_message, reinterpret_cast<LPARAM>(&text));
  return text;
}

RECT bounds_of(const Control& c) {
  return {c.Left(), c.Top(), c.Left() + c.Width(), c.Top() + c.Height()};
}

bool same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A dialog with a control of every kind, placed as the program's colour dialog places them.
struct Dialog {
  explicit Dialog(Application& app) : form(app, u"TForm_Test", u"Form_Test") {
    form.SetCaption(u"Every control");
    form.SetClientSize(645, 346);
    label.SetCaption(u"R");
    label.SetBounds(371, 21, 7, 13);
    hint.SetAutoSize(false);
    hint.SetCaption(u"Transparenz (0=komplett transparent)");
    hint.SetBounds(442, 103, 195, 13);
    bevel.SetShape(Bevel::Shape::top_line);
    bevel.SetBounds(371, 184, 266, 2);
    ok.SetCaption(u"Ok");
    ok.SetBounds(536, 312, 101, 26);
    picker.SetBounds(8, 8, 345, 289);
    picker.SetSelectedColor(0xFFFFFFFFu);
    picker.SetVisualAid({TVisualAidItem::vaSelection});
    red.SetBounds(384, 16, 52, 22);
    red.SetMinValue(0);
    red.SetMaxValue(255);
    preview.SetCaption(u"Vorschau live anzeigen");
    preview.SetBounds(371, 136, 266, 17);
    preview.SetChecked(true);
    reset.SetCaption(u"Zur\u00FCcksetzen");
    reset.SetBounds(8, 312, 159, 26);
    TBitmap32 picture(16, 16, 0xFF2060C0u);
    picture.set_pixel(0, 0, 0x00000000u);
    icon.SetPicture(picture);
    icon.SetBounds(570, 281, 16, 16);
  }

  SystemWidgetSystem widgets;
  Form form;
  Label& label = form.create<Label>(u"Label_R");
  Label& hint = form.create<Label>(u"Label_Alpha_Hint");
  Bevel& bevel = form.create<Bevel>(u"Bevel1");
  Button& ok = form.create<Button>(u"Button_OK");
  TColorPickerHSV& picker = form.create<TColorPickerHSV>(widgets, u"ColorPickerHSV1");
  TSpinEdit& red = form.create<TSpinEdit>(widgets, u"SpinEdit_R");
  CheckBox& preview = form.create<CheckBox>(u"CheckBox_Preview");
  Button& reset = form.create<Button>(u"Button_Reset");
  Image& icon = form.create<Image>(u"Image_Icon");
};

class NativeUiTest : public testing::Test {
 protected:
  NativeUiTest() { app.SetTitle(u"Korvalen Barlume"); }

  // Lets the windows handle what is pending for a while.
  static void settle(DWORD ms = 50) {
    test::pump_messages_until([] { return false; }, ms);
  }

  // Shows the dialog and waits until it is the active window: the desktop's own windows,
  // started with the first program that has windows, can take the activation for a moment.
  void show_in_front() {
    dialog->form.Show();
    const HWND window = window_of(dialog->form);
    test::pump_messages_until([window] {
      if (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
        return false;
      }
      return true;
    }, 3000);
    settle();
  }

  NativeUi ui;
  Application app{ui};
  std::unique_ptr<Dialog> dialog = std::make_unique<Dialog>(app);
};

TEST_F(NativeUiTest, TheFormIsASingleBorderedCentredWindowWithTheClientSizeAsked) {
  Form& form = dialog->form;
  EXPECT_FALSE(form.HandleAllocated()) << "no window until shown";
  form.Show();
  const HWND window = window_of(form);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 645);
  EXPECT_EQ(client.bottom, 346);
  EXPECT_EQ(form.ClientWidth(), 645);
  EXPECT_EQ(window_text(window), u"Every control");
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  RECT outer;
  GetWindowRect(window, &outer);
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(std::abs((outer.left + outer.right) - (work.left + work.right)), 1);
  EXPECT_LE(std::abs((outer.top + outer.bottom) - (work.top + work.bottom)), 1);
  EXPECT_EQ(form.Width(), outer.right - outer.left);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window_of(dialog->ok), WM_GETFONT, 0, 0)),
             sizeof(font), &font);
  EXPECT_EQ(std::u16string(from_wide(font.lfFaceName)), u"Tahoma");
  EXPECT_EQ(font.lfHeight, -11);
}

TEST_F(NativeUiTest, EachWindowMirrorsItsControlAndFollowsItsChanges) {
  Dialog& d = *dialog;
  d.form.Show();
  for (Control* c : std::initializer_list<Control*>{&d.label, &d.hint, &d.bevel, &d.ok, &d.picker,
                                                   &d.red, &d.preview, &d.reset, &d.icon}) {
    const HWND window = window_of(*c);
    ASSERT_NE(window, nullptr) << to_utf8(c->Name());
    const RECT shown = placed(window);
    EXPECT_TRUE(same(shown, bounds_of(*c)))
        << to_utf8(c->Name()) << " at " << shown.left << "," << shown.top << " " << shown.right
        << "," << shown.bottom;
    EXPECT_TRUE(IsWindowVisible(window)) << to_utf8(c->Name());
  }
  EXPECT_EQ(window_text(window_of(d.ok)), u"Ok");
  EXPECT_EQ(window_text(window_of(d.red)), u"0");
  EXPECT_EQ(SendMessageW(window_of(d.preview), BM_GETCHECK, 0, 0), BST_CHECKED);
  SIZE extent{};
  {
    const HWND label = window_of(d.label);
    const HDC dc = GetDC(label);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, L"R", 1, &extent);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
  }
  EXPECT_EQ(d.label.Width(), extent.cx) << "an auto-sized label takes its text's size";
  EXPECT_EQ(d.label.Height(), extent.cy);

  d.ok.SetCaption(u"Fertig");
  d.ok.SetBounds(500, 300, 120, 30);
  d.reset.SetEnabled(false);
  d.hint.SetVisible(false);
  d.preview.SetChecked(false);
  d.red.SetValue(77);
  EXPECT_EQ(window_text(window_of(d.ok)), u"Fertig");
  EXPECT_TRUE(same(placed(window_of(d.ok)), RECT{500, 300, 620, 330}));
  EXPECT_FALSE(IsWindowEnabled(window_of(d.reset)));
  EXPECT_FALSE(IsWindowVisible(window_of(d.hint)));
  EXPECT_EQ(SendMessageW(window_of(d.preview), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(window_text(window_of(d.red)), u"77");
}

TEST_F(NativeUiTest, ClicksReachButtonsAndCheckBoxes) {
  Dialog& d = *dialog;
  int oks = 0;
  int previews = 0;
  d.ok.SetOnClick([&](Control&) { ++oks; });
  d.preview.SetOnClick([&](Control&) { ++previews; });
  d.form.Show();
  SendMessageW(window_of(d.ok), BM_CLICK, 0, 0);
  EXPECT_EQ(oks, 1);
  SendMessageW(window_of(d.preview), BM_CLICK, 0, 0);
  EXPECT_EQ(previews, 1);
  EXPECT_FALSE(d.preview.Checked());
  EXPECT_EQ(SendMessageW(window_of(d.preview), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(NativeUiTest, TypingAndTextFromOutsideReachTheSpinEdit) {
  Dialog& d = *dialog;
  std::vector<std::u16string> changes;
  d.red.SetOnChange([&](TSpinEdit& sender) { changes.push_back(sender.Text()); });
  show_in_front();
  const HWND edit = window_of(d.red);
  SetFocus(edit);
  EXPECT_TRUE(d.red.Focused());
  EXPECT_EQ(d.red.SelLength(), 1) << "the whole text selected on entry";
  for (wchar_t ch : std::wstring(L"300")) {
    SendMessageW(edit, WM_CHAR, ch, 0);
  }
  SendMessageW(edit, WM_CHAR, L'x', 0);  // rejected with a beep
  EXPECT_EQ(changes, (std::vector<std::u16string>{u"3", u"30", u"300"}));
  EXPECT_EQ(d.red.Value(), 300);
  EXPECT_EQ(window_text(edit), u"300");
  SetFocus(window_of(d.ok));
  EXPECT_EQ(d.red.Text(), u"255") << "clamped when the focus left";
  EXPECT_EQ(window_text(edit), u"255");

  changes.clear();
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"44"));
  EXPECT_EQ(d.red.Value(), 44);
  EXPECT_EQ(changes, std::vector<std::u16string>{u"44"}) << "one change for one new text";

  SendMessageW(edit, WM_KEYDOWN, VK_UP, 0);
  EXPECT_EQ(d.red.Value(), 45);
  EXPECT_EQ(window_text(edit), u"45");
  d.widgets.set_clipboard_text(u"12");
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, WM_PASTE, 0, 0);
  EXPECT_EQ(d.red.Value(), 12);
}

TEST_F(NativeUiTest, AHeldArrowButtonRepeats) {
  Dialog& d = *dialog;
  d.red.SetValue(100);
  show_in_front();
  const HWND pair = FindWindowExW(window_of(d.red), nullptr, L"KorvalenBarlumeSpinButton", nullptr);
  ASSERT_NE(pair, nullptr);
  EXPECT_TRUE(same(placed(pair), RECT{32, 0, 47, 17}));
  // The pointer where the press is, as the user's is: the moves the system reports meanwhile
  // keep the button pressed.
  POINT on_up{7, 3};
  ClientToScreen(pair, &on_up);
  SetCursorPos(on_up.x, on_up.y);
  // The moves from where the pointer was (the warp reaches X later) are served before the
  // press, or one of them would lift the button.
  test::pump_messages_until(
      [on_up] {
        POINT at{};
        GetCursorPos(&at);
        return at.x == on_up.x && at.y == on_up.y;
      },
      1000);
  settle(100);
  SendMessageW(pair, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 3));
  EXPECT_EQ(GetCapture(), pair);
  EXPECT_TRUE(d.red.Button().UpButton().MouseCapture());
  EXPECT_TRUE(d.red.Button().UpButton().RepeatTimer() != nullptr &&
              d.red.Button().UpButton().RepeatTimer()->running());
  test::pump_messages_until([] { return false; }, 1000);
  SendMessageW(pair, WM_LBUTTONUP, 0, MAKELPARAM(7, 3));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_GE(d.red.Value(), 105) << "400 ms, then every 100 ms, and the release";
  EXPECT_LE(d.red.Value(), 110);
  EXPECT_TRUE(d.red.Focused()) << "a press on an arrow focuses the edit";
  const std::int32_t after = d.red.Value();
  SendMessageW(pair, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 12));
  SendMessageW(pair, WM_LBUTTONUP, 0, MAKELPARAM(7, 12));
  EXPECT_EQ(d.red.Value(), after - 1) << "a short click on the lower arrow steps once";
}

TEST_F(NativeUiTest, TheArrowsStayOnScreenWhileTheEditTakesAndLosesTheFocus) {
  Dialog& d = *dialog;
  show_in_front();
  const HWND pair = FindWindowExW(window_of(d.red), nullptr, L"KorvalenBarlumeSpinButton", nullptr);
  // A pixel of the upper arrow's glyph, as the screen shows it.
  const auto glyph_pixel = [pair] {
    const HDC screen = GetDC(nullptr);
    POINT p{7, 3};
    ClientToScreen(pair, &p);
    const COLORREF colour = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return colour;
  };
  settle(200);
  EXPECT_EQ(glyph_pixel(), GetSysColor(COLOR_BTNTEXT));
  SetFocus(window_of(d.red));
  settle(200);
  EXPECT_EQ(glyph_pixel(), GetSysColor(COLOR_BTNTEXT)) << "the edit selected its text";
  SetFocus(window_of(d.ok));
  settle(200);
  EXPECT_EQ(glyph_pixel(), GetSysColor(COLOR_BTNTEXT)) << "the edit hid its selection";
}

TEST_F(NativeUiTest, ADragInThePickerChangesTheColourAndHoldsThePointer) {
  Dialog& d = *dialog;
  std::vector<TColor32> colours;
  d.picker.SetOnChanged([&](TCustomColorPicker& sender) { colours.push_back(sender.SelectedColor()); });
  d.form.Show();
  const HWND picker = window_of(d.picker);
  // From the centre (white) to the rim on the left: red.
  SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(156, 144));
  EXPECT_EQ(GetCapture(), picker);
  SendMessageW(picker, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 144));
  SendMessageW(picker, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, 144));
  SendMessageW(picker, WM_LBUTTONUP, 0, MAKELPARAM(10, 144));
  EXPECT_EQ(GetCapture(), nullptr);
  ASSERT_FALSE(colours.empty());
  EXPECT_EQ(d.picker.SelectedColor(), 0xFFFF0000u);
  settle();
  // What the window shows is the picker's picture: the disc's rim on the left is red.
  const HDC dc = GetDC(picker);
  const COLORREF shown = GetPixel(dc, 20, 144);
  ReleaseDC(picker, dc);
  EXPECT_GT(GetRValue(shown), 200);
  EXPECT_LT(GetGValue(shown), 60);
}

TEST_F(NativeUiTest, ShowModalEndsByTheCloseBoxOrCloseServesQueuedCallsAndDisablesTheRest) {
  Form& form = dialog->form;
  AppWindow app_window(u"Korvalen Barlume");
  MainThreadQueue queue(app_window.waker());
  app_window.set_wake_handler([&] { queue.run_pending(); });
  const HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr);
  const test::Watchdog watchdog(std::chrono::seconds(20), [&] {
    PostMessageW(window_of(form), WM_CLOSE, 0, 0);
  });

  // A worker's calls run while the form is modal; then the close box ends it.
  int served = 0;
  bool other_disabled = false;
  std::thread worker([&] {
    for (int i = 0; i < 5; ++i) {
      queue.call_sync([&] { ++served; });
    }
    queue.call_sync([&] {
      other_disabled = !IsWindowEnabled(other);
      PostMessageW(window_of(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  worker.join();
  EXPECT_EQ(served, 5);
  EXPECT_TRUE(other_disabled);
  EXPECT_TRUE(IsWindowEnabled(other)) << "enabled again";
  EXPECT_FALSE(IsWindowVisible(window_of(form)));

  // Return and Escape leave it open; Close ends it.
  bool open_after_keys = false;
  test::later(50, [&] {
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
    test::later(100, [&] {
      open_after_keys = form.Visible() && IsWindowVisible(window_of(form));
      form.Close();
    });
  });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  EXPECT_TRUE(open_after_keys);
  DestroyWindow(other);
}

TEST_F(NativeUiTest, AModalLoopServesACallWhoseWakeUpWasLost) {
  // As when the wake-up message finds the message queue full.
  struct LostWakeUps final : MainThreadWaker {
    void wake() override {}
  };
  MainThreadQueue queue(std::make_shared<LostWakeUps>());
  ui.set_idle_handler([&] { queue.run_pending(); });
  // A form with nothing in it, so that nothing (a caret's blinking) wakes the loop anyway.
  Form form(app, u"TForm_Empty", u"Form_Empty");
  form.SetClientSize(200, 100);
  const test::Watchdog watchdog(std::chrono::seconds(10), [&] {
    PostMessageW(window_of(form), WM_CLOSE, 0, 0);
  });
  bool served = false;
  std::thread worker([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the loop waits by then
    queue.call_sync([&] {
      served = true;
      form.Close();
    });
  });
  form.ShowModal();
  queue.close();  // lets the worker go if its call was never served
  worker.join();
  ui.set_idle_handler(nullptr);
  EXPECT_TRUE(served);
}

TEST_F(NativeUiTest, TabMovesTheFocusThroughTheTabOrder) {
  Dialog& d = *dialog;
  d.picker.SetTabStop(false);
  std::vector<std::u16string> visited;
  test::later(50, [&] {
    for (int i = 0; i < 4; ++i) {
      visited.push_back(d.form.ActiveControl() != nullptr ? d.form.ActiveControl()->Name() : u"");
      // What the loop does with a Tab typed by the user.
      MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
      IsDialogMessageW(window_of(d.form), &tab);
    }
    d.form.Close();
  });
  d.form.ShowModal();
  EXPECT_EQ(visited, (std::vector<std::u16string>{u"Button_OK", u"SpinEdit_R", u"CheckBox_Preview",
                                                   u"Button_Reset"}));
}

TEST_F(NativeUiTest, AnExceptionInAHandlerShowsTheErrorBoxAndTheLoopGoesOn) {
  Dialog& d = *dialog;
  d.ok.SetOnClick([](Control&) { throw std::runtime_error("Something broke."); });
  std::u16string box_text;
  bool open_after = false;
  test::later(50, [&] {
    PostMessageW(window_of(d.ok), BM_CLICK, 0, 0);
    test::later(200, [&] {
      if (HWND box = FindWindowW(L"#32770", L"Korvalen Barlume")) {
        box_text = box_message(box);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
      }
      test::later(100, [&] {
        open_after = d.form.Visible();
        d.form.Close();
      });
    });
  });
  d.form.ShowModal();
  EXPECT_EQ(box_text, u"Something broke.");
  EXPECT_TRUE(open_after);

  std::vector<std::u16string> handled;
  app.SetOnException([&](const std::exception_ptr& e) { handled.push_back(exception_text(e)); });
  d.form.Show();
  SendMessageW(window_of(d.ok), BM_CLICK, 0, 0);
  EXPECT_EQ(handled, std::vector<std::u16string>{u"Something broke."});
}

TEST_F(NativeUiTest, ShowingAndDestroyingFormsLeavesNoWindowsOrGdiObjects) {
  test::expect_no_leaks(300, [this](int cycle) {
    dialog = std::make_unique<Dialog>(app);
    dialog->form.Show();
    dialog->picker.SetSelectedColor(0xFF000000u | static_cast<TColor32>(cycle * 997));
    dialog->red.SetValue(cycle % 256);
    settle(0);
    dialog.reset();
    settle(0);
  });
}

// The tray menu's shape: three radio looks, a separator, and a submenu with pictures.
struct TrayMenu {
  explicit TrayMenu(Form& owner) : form(owner) {
    for (MenuItem* look : {&standard, &transparent, &user}) {
      look->SetAutoCheck(true);
      look->SetRadioItem(true);
      look->SetOnClick([this](MenuItem& sender) {
        clicks.push_back(sender.Name() + (sender.Checked() ? u" checked" : u" clear"));
        menu_open_during_click = FindWindowW(L"#32768", nullptr) != nullptr &&
                                 IsWindowVisible(FindWindowW(L"#32768", nullptr));
      });
      menu.Items().Add(*look);
    }
    standard.SetCaption(u"Windows-Standard");
    transparent.SetCaption(u"Transparent");
    transparent.SetChecked(true);
    user.SetCaption(u"Benutzerdefiniert");
    separator.SetCaption(u"-");
    menu.Items().Add(separator);
    lang.SetCaption(u"Sprache");
    menu.Items().Add(lang);
    lang.SetSubMenuImages(&flags);
    TBitmap32 flag(16, 16, 0xFFFFFFFFu);
    for (int y = 5; y < 11; ++y) {
      for (int x = 0; x < 16; ++x) {
        flag.set_pixel(x, y, 0xFFCC0000u);
      }
    }
    english.SetCaption(u"English");
    english.SetImageIndex(static_cast<std::int32_t>(flags.AddMasked(flag, 0xFFFFFFu)));
    lang.Add(english);
    hidden.SetVisible(false);
    menu.Items().Add(hidden);
    disabled.SetEnabled(false);
    disabled.SetCaption(u"Disabled");
    menu.Items().Add(disabled);
  }

  Form& form;
  PopupMenu& menu = form.create<PopupMenu>(u"AdvPopupMenu_Tray");
  MenuItem& standard = form.create<MenuItem>(u"Tray_Accent_Standard");
  MenuItem& transparent = form.create<MenuItem>(u"Tray_Accent_Transparent");
  MenuItem& user = form.create<MenuItem>(u"Tray_Accent_User");
  MenuItem& separator = form.create<MenuItem>(u"N1");
  MenuItem& lang = form.create<MenuItem>(u"Tray_Lang");
  MenuItem& english = lang.create<MenuItem>(u"");
  MenuItem& hidden = form.create<MenuItem>(u"Hidden");
  MenuItem& disabled = form.create<MenuItem>(u"Disabled");
  ImageList& flags = form.create<ImageList>(u"ImageList_Flags");
  std::vector<std::u16string> clicks;
  bool menu_open_during_click = true;
};

class PopupMenuTest : public NativeUiTest {
 protected:
  // Presses keys in the open menu once it shows.
  static void press_in_menu(std::vector<WPARAM> keys) {
    test::later(100, [keys] {
      const HWND shown = FindWindowW(L"#32768", nullptr);
      for (WPARAM key : keys) {
        PostMessageW(shown, WM_KEYDOWN, key, 0);
        PostMessageW(shown, WM_KEYUP, key, 0);
      }
    });
  }

  TrayMenu tray{dialog->form};
};

TEST_F(PopupMenuTest, AnItemChosenByKeyboardRunsAfterTheMenuClosedWithTheRadioRules) {
  const test::Watchdog watchdog(std::chrono::seconds(20), [] {
    PostMessageW(FindWindowW(L"#32768", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  // Down from nothing selects the first item; twice more reaches the third.
  press_in_menu({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  tray.menu.Popup(100, 100);
  EXPECT_EQ(tray.clicks, std::vector<std::u16string>{u"Tray_Accent_User checked"});
  EXPECT_FALSE(tray.menu_open_during_click);
  EXPECT_FALSE(tray.transparent.Checked());

  // Choosing the checked look again clears it; Escape chooses nothing.
  press_in_menu({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
  tray.menu.Popup(100, 100);
  EXPECT_FALSE(tray.user.Checked());
  press_in_menu({VK_DOWN, VK_ESCAPE});
  tray.menu.Popup(100, 100);
  EXPECT_EQ(tray.clicks.size(), 2u);
}

TEST_F(PopupMenuTest, PresentingTheMenuManyTimesLeavesNoGdiObjects) {
  test::expect_no_leaks(300, [this](int) {
    test::later(1, [] { EndMenu(); });
    tray.menu.Popup(100, 100);
  });
}

}  // namespace
}  // namespace kb::win32
