// control-gallery: shows a form with a control of every kind the toolkit has, laid out as the
// colour dialog lays them out, so that their native windows can be looked at (and
// screenshotted under Wine). With --menu it also opens a popup menu like the tray's; with
// --tray it puts the program's icon into the notification area, where a right click opens
// that menu.
//
//   control-gallery.exe [--menu] [--tray] [--close-after MS]

#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "platform/win32/native_ui.h"
#include "platform/win32/system_notification_area.h"
#include "platform/win32/system_widget_system.h"
#include "runtime/tray_icon.h"
#include "toolkit/application.h"
#include "toolkit/form.h"
#include "toolkit/image_list.h"
#include "toolkit/menu.h"
#include "toolkit/standard_controls.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/spin_edit.h"

namespace {

using namespace kb;

void add_look(PopupMenu& menu, MenuItem& item, const char16_t* caption) {
  item.SetCaption(caption);
  item.SetAutoCheck(true);
  item.SetRadioItem(true);
  menu.Items().Add(item);
}

TBitmap32 striped_flag(TColor32 top, TColor32 middle, TColor32 bottom) {
  TBitmap32 flag(16, 16, 0xFFFFFFFFu);
  for (int y = 2; y < 13; ++y) {
    const TColor32 colour = y < 6 ? top : y < 9 ? middle : bottom;
    for (int x = 0; x < 16; ++x) {
      flag.set_pixel(x, y, colour);
    }
  }
  return flag;
}

Form* shown_form = nullptr;
PopupMenu* tray_menu = nullptr;

void CALLBACK close_gallery(HWND, UINT, UINT_PTR, DWORD) {
  EndMenu();
  shown_form->Close();
}

void CALLBACK open_menu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  tray_menu->Popup(400, 420);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  bool with_menu = false;
  bool with_tray = false;
  UINT close_after = 0;
  for (int i = 1; i < __argc; ++i) {
    if (std::wcscmp(__wargv[i], L"--menu") == 0) {
      with_menu = true;
    } else if (std::wcscmp(__wargv[i], L"--tray") == 0) {
      with_tray = true;
    } else if (std::wcscmp(__wargv[i], L"--close-after") == 0 && i + 1 < __argc) {
      close_after = static_cast<UINT>(std::wcstoul(__wargv[++i], nullptr, 10));
    }
  }

  win32::NativeUi ui;
  Application app(ui);
  app.SetTitle(u"Control gallery");
  win32::SystemWidgetSystem widgets;
  win32::SystemNotificationArea area;  // outlives the form, which owns the icon
  Form form(app, u"TForm_Gallery", u"Form_Gallery");
  form.SetCaption(u"Benutzerdefiniert");
  form.SetClientSize(645, 346);

  auto& picker = form.create<TColorPickerHSV>(widgets, u"ColorPickerHSV1");
  picker.SetBounds(8, 8, 345, 289);
  picker.SetSelectedColor(0xFF3A8FD0u);
  picker.SetVisualAid({TVisualAidItem::vaSelection});
  const char16_t* channels[] = {u"R", u"G", u"B", u"A"};
  const std::int32_t values[] = {58, 143, 208, 128};
  for (int i = 0; i < 4; ++i) {
    auto& label = form.create<Label>(std::u16string(u"Label_") + channels[i]);
    label.SetCaption(channels[i]);
    label.SetBounds(371, 21 + 28 * i, 7, 13);
    auto& edit = form.create<TSpinEdit>(widgets, std::u16string(u"SpinEdit_") + channels[i]);
    edit.SetBounds(384, 16 + 28 * i, 52, 22);
    edit.SetMinValue(0);
    edit.SetMaxValue(255);
    edit.SetValue(values[i]);
  }
  auto& hint = form.create<Label>(u"Label_Alpha_Hint");
  hint.SetAutoSize(false);
  hint.SetCaption(u"Transparenz (0=komplett transparent)");
  hint.SetBounds(442, 103, 195, 13);
  auto& preview = form.create<CheckBox>(u"CheckBox_Preview");
  preview.SetCaption(u"Vorschau live anzeigen");
  preview.SetBounds(371, 136, 266, 17);
  preview.SetChecked(true);
  auto& bevel = form.create<Bevel>(u"Bevel1");
  bevel.SetShape(Bevel::Shape::top_line);
  bevel.SetBounds(371, 184, 266, 2);
  auto& image = form.create<Image>(u"Image_Flag");
  image.SetPicture(striped_flag(0xFF000000u, 0xFFDD0000u, 0xFFFFCC00u));
  image.SetBounds(371, 196, 16, 16);
  auto& disabled = form.create<Button>(u"Button_Disabled");
  disabled.SetCaption(u"Deaktiviert");
  disabled.SetBounds(371, 230, 101, 26);
  disabled.SetEnabled(false);
  auto& reset = form.create<Button>(u"Button_Reset");
  reset.SetCaption(u"Zur\u00FCcksetzen");
  reset.SetBounds(8, 312, 159, 26);
  auto& ok = form.create<Button>(u"Button_OK");
  ok.SetCaption(u"Ok");
  ok.SetBounds(536, 312, 101, 26);
  ok.SetOnClick([&form](Control&) { form.Close(); });

  auto& menu = form.create<PopupMenu>(u"AdvPopupMenu_Tray");
  auto& flags = form.create<ImageList>(u"ImageList_Flags");
  add_look(menu, form.create<MenuItem>(u"Tray_Accent_Standard"), u"Windows-Standard");
  auto& transparent = form.create<MenuItem>(u"Tray_Accent_Transparent");
  add_look(menu, transparent, u"Transparent");
  transparent.SetChecked(true);
  add_look(menu, form.create<MenuItem>(u"Tray_Accent_User"), u"Benutzerdefiniert");
  auto& settings = form.create<MenuItem>(u"Tray_Accent_UserSetNow");
  settings.SetCaption(u"Einstellungen (Benutzerdefiniert)");
  menu.Items().Add(settings);
  auto& separator = form.create<MenuItem>(u"N1");
  separator.SetCaption(u"-");
  menu.Items().Add(separator);
  auto& start = form.create<MenuItem>(u"Tray_Flag_StartWithWindows");
  start.SetCaption(u"Beim Windows-Start ausf\u00FChren");
  start.SetAutoCheck(true);
  start.SetChecked(true);
  menu.Items().Add(start);
  auto& lang = form.create<MenuItem>(u"Tray_Lang");
  lang.SetCaption(u"Sprache");
  lang.SetSubMenuImages(&flags);
  menu.Items().Add(lang);
  auto& german = lang.create<MenuItem>(u"");
  german.SetCaption(u"Deutsch (Deutschland)");
  german.SetImageIndex(static_cast<std::int32_t>(
      flags.AddMasked(striped_flag(0xFF000000u, 0xFFDD0000u, 0xFFFFCC00u), 0xFFFFFFu)));
  lang.Add(german);
  auto& french = lang.create<MenuItem>(u"");
  french.SetCaption(u"Fran\u00E7ais (France)");
  french.SetEnabled(false);
  lang.Add(french);
  auto& separator2 = form.create<MenuItem>(u"N2");
  separator2.SetCaption(u"-");
  menu.Items().Add(separator2);
  auto& quit = form.create<MenuItem>(u"Tray_Quit");
  quit.SetCaption(u"Beenden");
  menu.Items().Add(quit);

  if (with_tray) {
    auto& icon = form.create<TTrayIcon>(area, app.Title());
    icon.SetPopupMenu(&menu);
    icon.SetVisible(true);  // the program's own icon, as no other is set
  }

  shown_form = &form;
  tray_menu = &menu;
  if (close_after > 0) {
    SetTimer(nullptr, 0, close_after, &close_gallery);
  }
  if (with_menu) {
    SetTimer(nullptr, 0, 300, &open_menu);
  }
  form.ShowModal();
  return 0;
}
