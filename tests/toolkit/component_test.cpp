#include "toolkit/component.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "support/headless_app.h"
#include "toolkit/control.h"
#include "support/headless_app.h"
#include "toolkit/form.h"
#include "toolkit/standard_controls.h"

namespace kb {
namespace {

// Tells when it is destroyed.
class Tracked final : public Component {
 public:
  Tracked(std::u16string name, std::vector<std::u16string>& log)
      : Component(u"TTracked", std::move(name)), log_(log) {}
  ~Tracked() override { log_.push_back(Name()); }

 private:
  std::vector<std::u16string>& log_;
};

TEST(Component, OwnsWhatItCreatesInCreationOrderAndDestroysItLastFirst) {
  std::vector<std::u16string> destroyed;
  {
    test::HeadlessApp headless;
    Form form(headless.app, u"TForm_ZEVO", u"Form_ZEVO");
    Tracked& first = form.create<Tracked>(u"First", destroyed);
    first.create<Tracked>(u"Inner", destroyed);
    form.create<Tracked>(u"Second", destroyed);
    form.create<Tracked>(u"Third", destroyed);

    ASSERT_EQ(form.ComponentCount(), 3u);
    EXPECT_EQ(form.Components(0).Name(), u"First");
    EXPECT_EQ(form.Components(2).Name(), u"Third");
    EXPECT_EQ(first.Owner(), &form);
    EXPECT_EQ(form.FindComponent(u"second"), &form.Components(1));
    EXPECT_EQ(form.FindComponent(u"Inner"), nullptr) << "only what it owns itself";

    form.destroy(form.Components(1));
    EXPECT_EQ(destroyed, std::vector<std::u16string>{u"Second"});
    EXPECT_EQ(form.ComponentCount(), 2u);
  }
  EXPECT_EQ(destroyed, (std::vector<std::u16string>{u"Second", u"Third", u"First", u"Inner"}));
}

TEST(Component, RefusesASecondComponentOfTheSameName) {
  test::HeadlessApp headless;
  Form form(headless.app, u"TForm_ZEVO", u"Form_ZEVO");
  form.create<Button>(u"Button_OK");
  EXPECT_THROW(form.create<Label>(u"BUTTON_ok"), Error);
  EXPECT_EQ(form.ComponentCount(), 1u);
  form.create<Label>(u"");
  form.create<Label>(u"");
  EXPECT_EQ(form.ComponentCount(), 3u) << "unnamed components never clash";
}

TEST(Component, PropertiesByNameOfEachKind) {
  test::HeadlessApp headless;
  Form form(headless.app, u"TForm_ZEVO", u"Form_ZEVO");
  Label& label = form.create<Label>(u"Label_Alpha_Hint");
  label.SetCaption(u"Transparenz");
  label.SetAutoSize(false);
  label.SetBounds(442, 103, 195, 13);
  label.SetTag(1);

  EXPECT_TRUE(label.has_property(u"caption")) << "names ignore letter case";
  EXPECT_FALSE(label.has_property(u"HTMLText"));
  EXPECT_EQ(label.property_kind(u"AutoSize"), PropertyKind::enumeration);
  EXPECT_EQ(label.property_text(u"Caption"), u"Transparenz");
  EXPECT_EQ(label.property_text(u"Name"), u"Label_Alpha_Hint");
  EXPECT_EQ(label.property_enumeration(u"AutoSize"), u"False");
  EXPECT_EQ(label.property_integer(u"AutoSize"), 0);
  EXPECT_EQ(label.property_integer(u"Width"), 195);
  EXPECT_EQ(label.property_integer(u"Tag"), 1);

  label.set_property_text(u"CAPTION", u"Opacity");
  EXPECT_EQ(label.Caption(), u"Opacity");

  EXPECT_EQ(form.property_enumeration(u"AutoSize"), u"False") << "a form never sizes itself";
  EXPECT_FALSE(form.create<Button>(u"Button_OK").has_property(u"AutoSize"));
}

TEST(Component, PropertyMisuseIsAnErrorThatNamesTheComponent) {
  CheckBox box(u"CheckBox_Preview");
  const auto message = [&](auto&& call) {
    try {
      call();
    } catch (const Error& e) {
      return e.message();
    }
    return std::u16string(u"no error");
  };
  EXPECT_EQ(message([&] { box.property_text(u"Width"); }),
            u"The property \"Width\" of \"CheckBox_Preview\" is not text.");
  EXPECT_EQ(message([&] { box.property_integer(u"Caption"); }),
            u"The property \"Caption\" of \"CheckBox_Preview\" is not an integer.");
  EXPECT_EQ(message([&] { box.property_enumeration(u"Nope"); }),
            u"\"CheckBox_Preview\" (TCheckBox) has no property \"Nope\".");
  EXPECT_EQ(message([&] { box.set_property_text(u"Name", u"Other"); }),
            u"The property \"Name\" of \"CheckBox_Preview\" is read-only.");
  EXPECT_EQ(box.Name(), u"CheckBox_Preview");
}

// Logs what the control tells its window.
struct RecordingPeer final : ControlPeer {
  explicit RecordingPeer(std::vector<std::string>& log) : log_(log) {}
  void changed(ControlChange change) override {
    log_.push_back("changed " + std::to_string(static_cast<int>(change)));
  }
  void invalidate() override { log_.push_back("invalidate"); }
  void set_focus() override { log_.push_back("focus"); }
  void set_capture(bool capture) override { log_.push_back(capture ? "capture" : "release"); }

 private:
  std::vector<std::string>& log_;
};

std::string change(ControlChange c) {
  return "changed " + std::to_string(static_cast<int>(c));
}

TEST(Control, TellsItsPeerOfRealChangesOnly) {
  Button button(u"Button_OK");
  std::vector<std::string> log;
  button.AttachPeer(std::make_unique<RecordingPeer>(log));

  button.SetCaption(u"Ok");
  button.SetCaption(u"Ok");
  button.SetBounds(536, 312, 101, 26);
  button.SetWidth(101);
  button.SetVisible(true);
  button.SetVisible(false);
  button.SetEnabled(false);
  button.Invalidate();
  button.SetMouseCapture(true);
  button.SetMouseCapture(true);
  EXPECT_EQ(log, (std::vector<std::string>{change(ControlChange::text),
                                           change(ControlChange::bounds),
                                           change(ControlChange::visible),
                                           change(ControlChange::enabled), "invalidate",
                                           "capture"}));
}

}  // namespace
}  // namespace kb
