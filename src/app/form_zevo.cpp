#include "app/form_zevo.h"

#include <exception>
#include <span>

#include "lang/form_translation.h"
#include "lang/language_choice.h"
#include "platform/debug_output.h"
#include "platform/error.h"
#include "platform/integer_text.h"
#include "product_icon_file.h"
#include "runtime/environment.h"
#include "runtime/tray_icon.h"
#include "toolkit/application.h"
#include "toolkit/ico_file.h"
#include "toolkit/image_list.h"
#include "toolkit/menu.h"
#include "toolkit/standard_controls.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/spin_edit.h"

namespace kb {
namespace {

constexpr std::int32_t kReapplyInterval = 20;
constexpr std::int32_t kIconRetryInterval = 100;
constexpr std::uint32_t kIconAnimateInterval = 333;
// Between enabling the icon timer and the re-apply timer, the main thread rests this long.
constexpr std::uint32_t kTimerStagger = 100;

// The program's icon, as its resource holds it; nothing when it cannot be read.
TIcon product_icon() {
  try {
    return decode_ico(std::span<const std::uint8_t>(kProductIconIco));
  } catch (const Error&) {
    return TIcon();
  }
}

std::u16string translation_folder() {
  return PROGRAM_FOLDER() + u"\\translation";
}

}  // namespace

TForm_ZEVO::TForm_ZEVO(const MainFormParts& parts)
    : Form(parts.application, u"TForm_ZEVO", u"Form_ZEVO"),
      VoskThreadTimer1(std::make_unique<TVoskThreadTimer>(parts.timers, parts.queue)),
      VoskThreadTimer_TrayIcon(std::make_unique<TVoskThreadTimer>(parts.timers, parts.queue)),
      parts_(parts),
      engine_(parts.shell, *this) {
  SetTag(1);
  SetCaption(u"Benutzerdefiniert");
  SetClientSize(645, 346);
  SetFont(u"Tahoma", -11);

  VoskThreadTimer1->SetEnabled(false);
  VoskThreadTimer1->SetInterval(kReapplyInterval);
  VoskThreadTimer1->SetOnTimer([this](TVoskThreadTimer&) { VoskThreadTimer1Timer(); });
  VoskThreadTimer_TrayIcon->SetEnabled(false);
  VoskThreadTimer_TrayIcon->SetInterval(kIconRetryInterval);
  VoskThreadTimer_TrayIcon->SetOnTimer(
      [this](TVoskThreadTimer&) { VoskThreadTimer_TrayIconTimer(); });

  // The order of creation is the order of the form's texts in a translation file.
  create_dialog_controls();
  create_menu();

  SetOnCreate([this](Form&) { FormCreate(); });
  SetOnShow([this](Form&) { FormShow(); });
}

TForm_ZEVO::~TForm_ZEVO() = default;

void TForm_ZEVO::create_dialog_controls() {
  Image_Icon_Fendrix = &create<Image>(u"Image_Icon_Fendrix");
  Image_Icon_Fendrix->SetBounds(570, 281, 16, 16);
  Image_Icon_Fendrix->SetAutoSize(true);
  Image_Icon_Fendrix->SetIcon(product_icon());
  Image_Icon_Fendrix->SetVisible(false);

  const auto label = [this](const char16_t* name, const char16_t* caption, int top, int width) {
    Label& made = create<Label>(name);
    made.SetCaption(caption);
    made.SetBounds(371, top, width, 13);
    return &made;
  };
  Label_R = label(u"Label_R", u"R", 21, 7);
  Label1 = label(u"Label1", u"G", 49, 7);
  Label2 = label(u"Label2", u"B", 77, 6);
  Label3 = label(u"Label3", u"A", 105, 7);

  Label_Alpha_Hint = &create<Label>(u"Label_Alpha_Hint");
  Label_Alpha_Hint->SetAutoSize(false);
  Label_Alpha_Hint->SetCaption(u"Transparenz (0=komplett transparent)");
  Label_Alpha_Hint->SetBounds(442, 103, 195, 13);
  Label_Alpha_Hint->SetTag(1);
  Label_Update_Hint = &create<Label>(u"Label_Update_Hint");
  Label_Update_Hint->SetAutoSize(false);
  Label_Update_Hint->SetCaption(u"ms Update-Frequenz");
  Label_Update_Hint->SetBounds(429, 199, 208, 13);
  Label_Update_Hint->SetTag(1);
  Label_Update_Hint->SetVisible(false);

  Bevel1 = &create<Bevel>(u"Bevel1");
  Bevel1->SetShape(Bevel::Shape::top_line);
  Bevel1->SetBounds(371, 184, 266, 2);
  Bevel1->SetVisible(false);

  Button_OK = &create<Button>(u"Button_OK");
  Button_OK->SetCaption(u"Ok");
  Button_OK->SetBounds(536, 312, 101, 26);
  Button_OK->SetTag(1);

  // The picker as loaded: its colour first, so that it shows white with hue 0 and saturation
  // 0 before its handler is attached.
  ColorPickerHSV1 = &create<TColorPickerHSV>(parts_.widgets, u"ColorPickerHSV1");
  ColorPickerHSV1->SetBounds(8, 8, 345, 289);
  ColorPickerHSV1->SetSelectedColor(0xFFFFFFFFu);
  ColorPickerHSV1->SetValue(1.0f);
  ColorPickerHSV1->SetVisualAid(TVisualAid{TVisualAidItem::vaSelection});

  const auto spin_edit = [this](const char16_t* name, int left, int top, std::int32_t min,
                                std::int32_t max, std::int32_t value) {
    TSpinEdit& made = create<TSpinEdit>(parts_.widgets, name);
    made.SetBounds(left, top, 52, 22);
    made.SetMinValue(min);
    made.SetMaxValue(max);
    made.SetValue(value);
    return &made;
  };
  SpinEdit_R = spin_edit(u"SpinEdit_R", 384, 16, 0, 255, 0);
  SpinEdit_G = spin_edit(u"SpinEdit_G", 384, 44, 0, 255, 0);
  SpinEdit_B = spin_edit(u"SpinEdit_B", 384, 72, 0, 255, 0);
  SpinEdit_A = spin_edit(u"SpinEdit_A", 384, 100, 0, 255, 128);

  CheckBox_Preview = &create<CheckBox>(u"CheckBox_Preview");
  CheckBox_Preview->SetCaption(u"Vorschau live anzeigen");
  CheckBox_Preview->SetBounds(371, 136, 266, 17);
  CheckBox_Preview->SetChecked(true);
  CheckBox_Preview->SetTag(1);

  Button_Reset = &create<Button>(u"Button_Reset");
  Button_Reset->SetCaption(u"Zur\u00FCcksetzen");
  Button_Reset->SetBounds(8, 312, 159, 26);
  Button_Reset->SetTag(1);

  SpinEdit_Update = spin_edit(u"SpinEdit_Update", 371, 196, 5, 5000, kReapplyInterval);
  SpinEdit_Update->SetVisible(false);

  std::int32_t tab = 0;
  for (Control* control : std::initializer_list<Control*>{
           Button_OK, ColorPickerHSV1, SpinEdit_R, SpinEdit_G, SpinEdit_B, SpinEdit_A,
           CheckBox_Preview, Button_Reset, SpinEdit_Update}) {
    control->SetTabOrder(tab++);
  }

  // The events, once every value is in place.
  Button_OK->SetOnClick([this](Control&) { Button_OKClick(); });
  ColorPickerHSV1->SetOnChanged([this](TCustomColorPicker&) { ColorPickerHSV1Changed(); });
  for (TSpinEdit* channel : {SpinEdit_R, SpinEdit_G, SpinEdit_B, SpinEdit_A}) {
    channel->SetOnChange([this](TSpinEdit&) { SpinEdit_RChange(); });
  }
  CheckBox_Preview->SetOnClick([this](Control&) { CheckBox_PreviewClick(); });
  Button_Reset->SetOnClick([this](Control&) { Button_ResetClick(); });
}

MenuItem& TForm_ZEVO::add_menu_item(const char16_t* name, std::u16string_view caption,
                                    std::int32_t tag) {
  MenuItem& item = create<MenuItem>(name);
  item.SetCaption(caption);
  item.SetTag(tag);
  AdvPopupMenu_Tray->Items().Add(item);
  return item;
}

void TForm_ZEVO::create_menu() {
  AdvPopupMenu_Tray = &create<PopupMenu>(u"AdvPopupMenu_Tray");
  AdvPopupMenu_Tray->SetTag(1);

  const auto look = [this](const char16_t* name, std::u16string_view caption) {
    MenuItem& item = add_menu_item(name, caption, 1);
    item.SetAutoCheck(true);
    item.SetRadioItem(true);
    item.SetOnClick([this](MenuItem&) { Tray_Accent_StandardClick(); });
    return &item;
  };
  Tray_Accent_Standard = look(u"Tray_Accent_Standard", u"Windows-Standard");
  Tray_Accent_Transparent = look(u"Tray_Accent_Transparent", u"Transparent");
  Tray_Accent_User = look(u"Tray_Accent_User", u"Benutzerdefiniert");
  Tray_Accent_Transparent->SetChecked(true);

  Tray_Accent_UserSetNow =
      &add_menu_item(u"Tray_Accent_UserSetNow", u"Einstellungen (Benutzerdefiniert)", 1);
  Tray_Accent_UserSetNow->SetOnClick([this](MenuItem&) { Tray_Accent_UserSetNowClick(); });
  N1 = &add_menu_item(u"N1", u"-", 0);
  Tray_Flag_StartWithWindows =
      &add_menu_item(u"Tray_Flag_StartWithWindows", u"Beim Windows-Start ausf\u00FChren", 1);
  Tray_Flag_StartWithWindows->SetAutoCheck(true);
  Tray_Flag_StartWithWindows->SetOnClick(
      [this](MenuItem&) { Tray_Flag_StartWithWindowsClick(); });
  Tray_Lang = &add_menu_item(u"Tray_Lang", u"Sprache", 1);
  Tray_Lang->SetOnClick([this](MenuItem& sender) { Tray_LangClick(sender); });
  N2 = &add_menu_item(u"N2", u"-", 0);
  Tray_Quit = &add_menu_item(u"Tray_Quit", u"Beenden", 1);
  Tray_Quit->SetOnClick([this](MenuItem&) { Tray_QuitClick(); });

  ImageList_Flags = &create<ImageList>(u"ImageList_Flags");
  Tray_Lang->SetSubMenuImages(ImageList_Flags);
}

void TForm_ZEVO::FormCreate() {
  THE_TrayIcon = nullptr;
  TRAYICON_DONE = false;
  DONT_CHANGE = false;
  engine_.Reset();
  LOAD_OPTIONS();
  // A translation that cannot be read is reported, and the program runs in German.
  try {
    LOAD_TRANSLATION_TO_FORM(parts_.lang, translation_folder(), CurrentLangCode, *this);
  } catch (const Error&) {
    application().HandleException(std::current_exception());
  }
  BuildLanguageMenu(*Tray_Lang, *ImageList_Flags, parts_.lang.files, parts_.locale,
                    PROGRAM_FOLDER());
  VoskThreadTimer_TrayIcon->SetEnabled(true);
  parts_.timers->sleep_ms(kTimerStagger);
  VoskThreadTimer1->SetEnabled(true);
  DONT_CHANGE = true;
  ColorPickerHSV1Changed();
  DONT_CHANGE = false;
  CustomizeTB();
}

void TForm_ZEVO::VoskThreadTimer1Timer() {
  CustomizeTB();
}

void TForm_ZEVO::VoskThreadTimer_TrayIconTimer() {
  if (TRAYICON_DONE) {
    return;
  }
  try {
    if (THE_TrayIcon != nullptr) {
      TTrayIcon* half_made = THE_TrayIcon;
      THE_TrayIcon = nullptr;
      destroy(*half_made);
    }
    THE_TrayIcon = &create<TTrayIcon>(parts_.notification_area, application().Title());
    THE_TrayIcon->SetPopupMenu(AdvPopupMenu_Tray);
    THE_TrayIcon->SetAnimateInterval(kIconAnimateInterval);
    THE_TrayIcon->SetVisible(true);
    THE_TrayIcon->SetIconIndex(0);
    THE_TrayIcon->SetAnimate(false);
    THE_TrayIcon->SetIcon(Image_Icon_Fendrix->Icon());
    TRAYICON_DONE = true;
    TrimWorkingSet();
    VoskThreadTimer_TrayIcon->SetEnabled(false);
  } catch (const std::exception&) {
    TRAYICON_DONE = false;  // the next tick tries again
  }
}

void TForm_ZEVO::Tray_Accent_StandardClick() {
  CustomizeTB();
  SAVE_OPTIONS();
  TrimWorkingSet();
}

void TForm_ZEVO::Tray_Accent_UserSetNowClick() {
  // Chosen again while the dialog is open: the dialog comes to the front, nothing more.
  if (Modal()) {
    BringToFront();
    return;
  }
  ColorPickerHSV1Changed();
  ShowModal();
  if (quitting_) {
    return;  // the quit item has stored the options and restored the system's look
  }
  CustomizeTB();
  SAVE_OPTIONS();
  TrimWorkingSet();
}

void TForm_ZEVO::Tray_Flag_StartWithWindowsClick() {
  SAVE_OPTIONS();
  TrimWorkingSet();
}

void TForm_ZEVO::Tray_QuitClick() {
  VoskThreadTimer1->SetEnabled(false);
  VoskThreadTimer_TrayIcon->SetEnabled(false);
  SAVE_OPTIONS();
  // An open dialog closes first, so that its preview does not outlive the quit.
  if (Modal()) {
    Hide();
  }
  Tray_Accent_Standard->SetChecked(true);
  CustomizeTB();
  quitting_ = true;
  Close();
  application().Terminate();
}

void TForm_ZEVO::Tray_LangClick(MenuItem& sender) {
  const std::int32_t n = sender.HelpContext();
  if (n <= 0 || static_cast<std::size_t>(n) > LangKeys.size()) {
    return;
  }
  const auto at = static_cast<std::size_t>(n - 1);
  const std::u16string key = LangKeys[at];
  SetForcedLanguage(key);
  const std::int32_t id = parse_int32_or(LangIDs[at], 0);
  SetCurrentLanguage(key, id);
  parts_.lang.debug.write_line(u"New language=" + key + u" ; LangID=" +
                               decimal_text(std::int64_t{id}));
  GlobalLang.reset();
  LOAD_TRANSLATION_TO_FORM(parts_.lang, translation_folder(), CurrentLangCode, *this);
}

bool TForm_ZEVO::standard_checked() const {
  return Tray_Accent_Standard->Checked();
}

bool TForm_ZEVO::transparent_checked() const {
  return Tray_Accent_Transparent->Checked();
}

bool TForm_ZEVO::user_checked() const {
  return Tray_Accent_User->Checked();
}

bool TForm_ZEVO::dialog_visible() const {
  return Visible();
}

bool TForm_ZEVO::preview_ticked() const {
  return CheckBox_Preview->Checked();
}

std::int32_t TForm_ZEVO::red() const {
  return SpinEdit_R->Value();
}

std::int32_t TForm_ZEVO::green() const {
  return SpinEdit_G->Value();
}

std::int32_t TForm_ZEVO::blue() const {
  return SpinEdit_B->Value();
}

std::int32_t TForm_ZEVO::alpha() const {
  return SpinEdit_A->Value();
}

}  // namespace kb
