#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "app/accent_engine.h"
#include "lang/lang_platform.h"
#include "runtime/thread_timer.h"
#include "toolkit/form.h"

namespace kb {

class Application;
class Bevel;
class Button;
class CheckBox;
class Image;
class ImageList;
class Label;
class Locale;
class MenuItem;
class NotificationArea;
class PopupMenu;
class SystemInfo;
class TColorPickerHSV;
class TSpinEdit;
class TTrayIcon;
class TaskbarShell;
class WidgetSystem;

// The program's title: the caption of its message boxes, the icon's tooltip, and the name of
// its start-with-Windows value.
inline constexpr std::u16string_view kProductTitle = u"Korvalen Barlume";

// Where the options are kept, under the current user.
inline constexpr std::u16string_view kProductKey = u"SOFTWARE\\Korvalen\\Korvalen Barlume";
inline constexpr std::u16string_view kRunKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// What the main form needs of the program around it. Everything here outlives the form.
struct MainFormParts {
  Application& application;
  WidgetSystem& widgets;
  std::shared_ptr<TimerPlatform> timers;
  std::shared_ptr<MainThreadQueue> queue;
  TaskbarShell& shell;
  NotificationArea& notification_area;
  SystemInfo& system;
  Locale& locale;
  LangPlatform lang;
};

// The program's controller, "Form_ZEVO". Hidden, it keeps the icon in the notification area
// with its menu, and re-applies the chosen look every tick of its timer; shown modally, it is
// the colour dialog. Its controls are the live state of the user's choices: the look items and
// the start-with-Windows item of the menu, and the five spin edits.
class TForm_ZEVO final : public Form, private AccentInputs {
 public:
  explicit TForm_ZEVO(const MainFormParts& parts);
  ~TForm_ZEVO() override;

  // --- Members, in the order of the form's design ---
  std::unique_ptr<TVoskThreadTimer> VoskThreadTimer1;
  Image* Image_Icon_Fendrix = nullptr;
  PopupMenu* AdvPopupMenu_Tray = nullptr;
  MenuItem* Tray_Accent_Standard = nullptr;
  MenuItem* Tray_Accent_Transparent = nullptr;
  MenuItem* N1 = nullptr;
  MenuItem* Tray_Accent_User = nullptr;
  MenuItem* Tray_Accent_UserSetNow = nullptr;
  MenuItem* Tray_Quit = nullptr;
  MenuItem* N2 = nullptr;
  std::unique_ptr<TVoskThreadTimer> VoskThreadTimer_TrayIcon;
  MenuItem* Tray_Flag_StartWithWindows = nullptr;
  Button* Button_OK = nullptr;
  TColorPickerHSV* ColorPickerHSV1 = nullptr;
  TSpinEdit* SpinEdit_R = nullptr;
  Label* Label_R = nullptr;
  TSpinEdit* SpinEdit_G = nullptr;
  Label* Label1 = nullptr;
  TSpinEdit* SpinEdit_B = nullptr;
  Label* Label2 = nullptr;
  TSpinEdit* SpinEdit_A = nullptr;
  Label* Label3 = nullptr;
  CheckBox* CheckBox_Preview = nullptr;
  Button* Button_Reset = nullptr;
  Label* Label_Alpha_Hint = nullptr;
  TSpinEdit* SpinEdit_Update = nullptr;
  Label* Label_Update_Hint = nullptr;
  Bevel* Bevel1 = nullptr;
  MenuItem* Tray_Lang = nullptr;
  ImageList* ImageList_Flags = nullptr;

  // The icon in the notification area, once the icon timer has made it.
  TTrayIcon* THE_TrayIcon = nullptr;
  bool TRAYICON_DONE = false;

  // --- The controller ---
  void FormCreate();
  void VoskThreadTimer1Timer();
  void VoskThreadTimer_TrayIconTimer();
  void Tray_Accent_StandardClick();
  void Tray_Accent_UserSetNowClick();
  void Tray_Flag_StartWithWindowsClick();
  void Tray_QuitClick();
  void Tray_LangClick(MenuItem& sender);

  // --- The accent engine ---
  void CustomizeTB() { engine_.CustomizeTB(); }
  const AccentEngineState& AccentState() const { return engine_.state(); }

  // --- The options store ---
  void LOAD_OPTIONS();
  void SAVE_OPTIONS();

  // --- The colour dialog ---
  void FormShow();
  void ColorPickerHSV1Changed();
  void SpinEdit_RChange();
  void CheckBox_PreviewClick();
  void Button_ResetClick();
  void Button_OKClick();

 private:
  // AccentInputs: what the engine reads of the form at every call.
  bool standard_checked() const override;
  bool transparent_checked() const override;
  bool user_checked() const override;
  bool dialog_visible() const override;
  bool preview_ticked() const override;
  std::int32_t red() const override;
  std::int32_t green() const override;
  std::int32_t blue() const override;
  std::int32_t alpha() const override;

  void create_dialog_controls();
  void create_menu();
  MenuItem& add_menu_item(const char16_t* name, std::u16string_view caption, std::int32_t tag);

  MainFormParts parts_;
  AccentEngine engine_;
  bool DONT_CHANGE = false;
  // The quit item has run: the program ends, and a dialog it closed stores nothing more.
  bool quitting_ = false;
};

}  // namespace kb
