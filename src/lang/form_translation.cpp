#include "lang/form_translation.h"

#include <cstddef>
#include <vector>

#include "platform/integer_text.h"
#include "toolkit/component.h"
#include "toolkit/component_parts.h"
#include "toolkit/control.h"

namespace kb {

std::unique_ptr<TLang> GlobalLang;
std::u16string TranslatorName(kMakerName);
std::u16string TranslatorEMail(kMakerEMail);
bool TranslatorInfoLoaded = false;

namespace {

constexpr std::u16string_view kTestText = u"TEST TRANSLATION";
constexpr std::u16string_view kBreak = u"\r\n";

enum class Kind { text, html };

struct Collected {
  std::u16string text;
  Kind kind = Kind::text;
};

// The items of a multi-item class, or null when it has none to take a text.
TextItems* items_of(Component& obj) {
  auto* items = dynamic_cast<TextItems*>(&obj);
  return items != nullptr && items->item_count() > 0 ? items : nullptr;
}

// One line per item; when the text runs out of lines, the last one fills the rest.
void split_into(TextItems& items, std::u16string_view text) {
  std::u16string_view rest = text;
  for (std::size_t i = 0; i < items.item_count(); ++i) {
    const auto end = rest.find(kBreak);
    if (end == rest.npos) {
      items.set_item_text(i, rest);
    } else {
      items.set_item_text(i, rest.substr(0, end));
      rest.remove_prefix(end + kBreak.size());
    }
  }
}

std::u16string join(const TextItems& items) {
  std::u16string text;
  for (std::size_t i = 0; i < items.item_count(); ++i) {
    if (i > 0) {
      text += kBreak;
    }
    text += items.item_text(i);
  }
  return text;
}

// A property that cannot be read as text reads as empty.
std::u16string text_property(const Component& obj, std::u16string_view name) {
  return obj.property_kind(name) == PropertyKind::text ? obj.property_text(name) : std::u16string();
}

bool enumeration_is(const Component& obj, std::u16string_view name, std::u16string_view upper,
                    const TextCodec& codec) {
  return obj.has_property(name) &&
         codec.to_upper(obj.property_enumeration(name)) == std::u16string(upper);
}

// The class rules for putting a text in; false when none of them could.
bool put_text(Component& obj, const std::u16string& cls, std::u16string_view text) {
  if (cls == u"THTMLABEL") {
    if (auto* lines = dynamic_cast<TextLines*>(&obj)) {
      lines->set_text_lines(split_lines(text));
      return true;
    }
  }
  if (cls == u"TADVSMOOTHLABEL") {
    if (auto* caption = dynamic_cast<CaptionObject*>(&obj)) {
      caption->set_caption_object_text(text);
      return true;
    }
  }
  if (cls == u"TADVOFFICETABSET") {
    if (TextItems* tabs = items_of(obj)) {
      split_into(*tabs, text);
      return true;
    }
  }
  if (cls == u"TVIRTUALDRAWTREE") {
    if (auto* font = dynamic_cast<HeaderFont*>(&obj)) {
      font->set_header_font_name(u"Tahoma");
    }
    if (TextItems* columns = items_of(obj)) {
      split_into(*columns, text);
      return true;
    }
  }
  if (cls == u"TLISTVIEW") {
    if (TextItems* columns = items_of(obj)) {
      split_into(*columns, text);
      return true;
    }
  }
  for (const std::u16string_view property : {u"HTMLText", u"Caption"}) {
    if (obj.has_property(property)) {
      obj.set_property_text(property, text);
      return true;
    }
  }
  return false;
}

// The class rules for collecting a text; an empty text when none of them yields one.
Collected collect_text(Component& obj, const std::u16string& cls) {
  if (cls == u"THTMLABEL") {
    if (const auto* lines = dynamic_cast<const TextLines*>(&obj)) {
      Collected html{{}, Kind::html};
      for (const std::u16string& line : lines->text_lines()) {
        html.text += line;
        html.text += kBreak;
      }
      return html;
    }
  }
  if (cls == u"TADVSMOOTHLABEL") {
    if (const auto* caption = dynamic_cast<const CaptionObject*>(&obj)) {
      return {caption->caption_object_text(), Kind::text};
    }
  }
  if (std::u16string html = text_property(obj, u"HTMLText"); !html.empty()) {
    return {std::move(html), Kind::html};
  }
  if (std::u16string caption = text_property(obj, u"Caption"); !caption.empty()) {
    return {std::move(caption), Kind::text};
  }
  for (const std::u16string_view multi : {u"TVIRTUALDRAWTREE", u"TLISTVIEW", u"TADVOFFICETABSET"}) {
    if (cls == multi) {
      if (TextItems* items = items_of(obj)) {
        return {join(*items), Kind::text};
      }
    }
  }
  return {};
}

// The width the text has to fit into; each later rule that applies wins.
std::int32_t width_hint(const Component& obj, const std::u16string& cls, const TextCodec& codec) {
  std::int32_t width = 0;
  if (enumeration_is(obj, u"AutoSize", u"FALSE", codec)) {
    width = obj.property_integer(u"Width");
  }
  if (enumeration_is(obj, u"AutoSizeType", u"ASVERTICAL", codec)) {
    width = obj.property_integer(u"Width");
  }
  if (obj.has_property(u"CaptionMaxWidth")) {
    width = obj.property_integer(u"CaptionMaxWidth");
  }
  if (cls == u"TADVSMOOTHLABEL") {
    width = obj.property_integer(u"Width");
  }
  for (const std::u16string_view fixed : {u"TCHECKBOX", u"TTNTCHECKBOX", u"TRADIOBUTTON",
                                          u"TTNTRADIOBUTTON", u"TBUTTON", u"TTNTBUTTON"}) {
    if (cls == fixed) {
      width = obj.property_integer(u"Width");
    }
  }
  // A glow button's picture takes 26 pixels of a button wider than 48.
  if (cls == u"TADVGLOWBUTTON") {
    width = obj.property_integer(u"Width");
    if (width > 48) {
      width -= 26;
    }
  }
  return width;
}

}  // namespace

void TLang::Set_Components(std::u16string_view section_id, Component& obj, bool testing) {
  if (obj.Tag() != 0) {
    std::u16string text = Get_StringW(section_id, obj.Name());
    if (testing) {
      text = kTestText;
    }
    if (!text.empty()) {
      const std::u16string cls = platform_.codec.to_upper(obj.ClassName());
      if (!put_text(obj, cls, text)) {
        count(missing_objects_);
      } else if (cls == u"TVOSKUNICODESTBUTTON") {
        if (auto* control = dynamic_cast<Control*>(&obj)) {
          control->Invalidate();
        }
      }
    }
  }
  for (std::size_t i = 0; i < obj.ComponentCount(); ++i) {
    Set_Components(section_id, obj.Components(i), testing);
  }
}

void TLang::Get_Components(std::u16string_view section_id, Component& obj,
                           std::u16string_view version) {
  if (obj.Tag() != 0) {
    const std::u16string cls = platform_.codec.to_upper(obj.ClassName());
    const Collected collected = collect_text(obj, cls);
    std::int32_t width = width_hint(obj, cls, platform_.codec);
    if (Get_StringW(section_id, obj.Name()) != collected.text) {
      Add_StringW(section_id, obj.Name(), collected.text);
      bool html = false;
      std::int32_t recorded_width = 0;
      std::u16string recorded_version;
      Read_FromIndex(section_id, obj.Name(), html, recorded_width, recorded_version);
      // A width once recorded in the index is the translator's to keep.
      if (recorded_width > 0) {
        width = recorded_width;
      }
      Save_ToIndex(section_id, obj.Name(), collected.kind == Kind::html, width, version);
    }
  }
  for (std::size_t i = 0; i < obj.ComponentCount(); ++i) {
    Get_Components(section_id, obj.Components(i), version);
  }
}

void LOAD_TRANSLATION_TO_FORM(const LangPlatform& platform, const std::u16string& folder,
                              const std::u16string& key, Component& form) {
  const std::uint32_t t0 = platform.clock.tick_count();
  const std::u16string file = folder + u"\\" + key + u".nlang3";
  const std::u16string index = folder + u"\\index.txt";
  if (!GlobalLang) {
    if (!platform.files.file_exists(file) || !platform.files.file_exists(index)) {
      return;
    }
    // GlobalLang only ever holds a catalogue that loaded in full.
    auto lang = std::make_unique<TLang>(platform);
    lang->Load_Translation(file, index);
    GlobalLang = std::move(lang);
  }
  GlobalLang->Set_Components(form.Name(), form, false);
  LOAD_TRANSLATOR_INFO();
  const std::uint32_t elapsed = platform.clock.tick_count() - t0;
  platform.debug.write_line(u"LOAD_TRANSLATION_TO_FORM \"" + form.ClassName() + u"\" took " +
                            decimal_text(std::uint64_t{elapsed}) + u" ms");
}

void LOAD_TRANSLATOR_INFO() {
  if (TranslatorInfoLoaded || !GlobalLang) {
    return;
  }
  TranslatorInfoLoaded = true;
  TranslatorName = GlobalLang->Get_StringW(u"MESSAGES", u"MESSAGE_TRANSLATOR_NAME");
  TranslatorEMail = GlobalLang->Get_StringW(u"MESSAGES", u"MESSAGE_TRANSLATOR_EMAIL");
}

}  // namespace kb
