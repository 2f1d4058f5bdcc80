// The colour dialog: the picker and the four channel edits kept in step both ways, with the
// user's colour previewed on the taskbar while the dialog is open.

#include "app/form_zevo.h"
#include "toolkit/standard_controls.h"
#include "widgets/color32.h"
#include "widgets/color_picker_hsv.h"
#include "widgets/spin_edit.h"

namespace kb {

void TForm_ZEVO::FormShow() {
  CustomizeTB();
}

void TForm_ZEVO::ColorPickerHSV1Changed() {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  SplitColor32(ColorPickerHSV1->SelectedColor(), r, g, b);
  DONT_CHANGE = true;
  SpinEdit_R->SetValue(r);
  SpinEdit_G->SetValue(g);
  SpinEdit_B->SetValue(b);
  DONT_CHANGE = false;
}

void TForm_ZEVO::SpinEdit_RChange() {
  if (!DONT_CHANGE) {
    // The picker's packing, alpha full: the opacity lives in the opacity edit alone.
    ColorPickerHSV1->SetSelectedColor(
        MakeColor32(SpinEdit_R->Value(), SpinEdit_G->Value(), SpinEdit_B->Value(), 255));
  }
  if (Visible() && CheckBox_Preview->Checked()) {
    CustomizeTB();
  }
}

void TForm_ZEVO::CheckBox_PreviewClick() {
  CustomizeTB();
}

void TForm_ZEVO::Button_ResetClick() {
  DONT_CHANGE = false;
  ColorPickerHSV1->SetSelectedColor(0x00FFFFFFu);
  SpinEdit_A->SetValue(64);
  SpinEdit_Update->SetValue(20);
}

void TForm_ZEVO::Button_OKClick() {
  Close();
}

}  // namespace kb
