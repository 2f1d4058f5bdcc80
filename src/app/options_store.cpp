// The options store: the user's choices in the registry, copied to and from the form's
// controls, which are their live state.

#include "app/form_zevo.h"
#include "platform/system_info.h"
#include "runtime/registry.h"
#include "toolkit/menu.h"
#include "widgets/spin_edit.h"

namespace kb {
namespace {

constexpr RegistryRoot kUser = RegistryRoot::current_user;

// The codes of the looks in "Option_Method".
constexpr std::int32_t kMethodStandard = 1;
constexpr std::int32_t kMethodTransparent = 2;
constexpr std::int32_t kMethodUser = 3;

std::int32_t read(std::u16string_view name) {
  return REG_ReadInteger(kUser, kProductKey, name);
}

}  // namespace

void TForm_ZEVO::LOAD_OPTIONS() {
  if (REG_ValueExists(kUser, kProductKey, u"Option_R")) {
    DONT_CHANGE = true;
    SpinEdit_R->SetValue(read(u"Option_R"));
    SpinEdit_G->SetValue(read(u"Option_G"));
    SpinEdit_B->SetValue(read(u"Option_B"));
    SpinEdit_A->SetValue(read(u"Option_A"));
    if (REG_ValueExists(kUser, kProductKey, u"Option_Update")) {
      SpinEdit_Update->SetValue(read(u"Option_Update"));
    }
    DONT_CHANGE = false;
    SpinEdit_RChange();
  }
  if (REG_ValueExists(kUser, kProductKey, u"Option_Method")) {
    switch (read(u"Option_Method")) {
      case kMethodStandard:
        Tray_Accent_Standard->SetChecked(true);
        break;
      case kMethodTransparent:
        Tray_Accent_Transparent->SetChecked(true);
        break;
      case kMethodUser:
        Tray_Accent_User->SetChecked(true);
        break;
      default:
        break;  // an unknown method leaves the look of the form's design
    }
  }
  // Whatever path the value holds: it exists, so the program starts with Windows.
  Tray_Flag_StartWithWindows->SetChecked(REG_ValueExists(kUser, kRunKey, kProductTitle));
  // The only place the interval is set: a change takes effect at the next start.
  VoskThreadTimer1->SetInterval(SpinEdit_Update->Value());
  DONT_CHANGE = false;
}

void TForm_ZEVO::SAVE_OPTIONS() {
  REG_WriteInteger(kUser, kProductKey, u"Option_R", SpinEdit_R->Value());
  REG_WriteInteger(kUser, kProductKey, u"Option_G", SpinEdit_G->Value());
  REG_WriteInteger(kUser, kProductKey, u"Option_B", SpinEdit_B->Value());
  REG_WriteInteger(kUser, kProductKey, u"Option_A", SpinEdit_A->Value());
  REG_WriteInteger(kUser, kProductKey, u"Option_Update", SpinEdit_Update->Value());
  std::int32_t method = kMethodTransparent;
  if (Tray_Accent_Standard->Checked()) {
    method = kMethodStandard;
  }
  if (Tray_Accent_User->Checked()) {
    method = kMethodUser;
  }
  REG_WriteInteger(kUser, kProductKey, u"Option_Method", method);
  if (Tray_Flag_StartWithWindows->Checked()) {
    // Quoted, so that a path with spaces ("C:\Program Files\...") cannot start another
    // program that sits where its first word ends.
    REG_WriteString(kUser, kRunKey, kProductTitle,
                    u"\"" + parts_.system.module_file_name() + u"\"");
  } else {
    REG_DeleteValue(kUser, kRunKey, kProductTitle);
  }
}

}  // namespace kb
