#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/component_parts.h"
#include "toolkit/control.h"

namespace kb::test {

// Controls of the classes that have translation rules of their own but no place in the main
// form, with just the parts those rules reach.

// Items with captions: a list view's columns ("TListView"), a tab set's tabs
// ("TAdvOfficeTabSet").
class ItemsControl final : public Control, public TextItems {
 public:
  ItemsControl(std::u16string class_name, std::u16string name, std::vector<std::u16string> items)
      : Control(std::move(class_name), std::move(name)), items_(std::move(items)) {}

  std::size_t item_count() const override { return items_.size(); }
  std::u16string item_text(std::size_t index) const override { return items_.at(index); }
  void set_item_text(std::size_t index, std::u16string_view text) override {
    items_.at(index).assign(text);
  }
  const std::vector<std::u16string>& items() const { return items_; }

 private:
  std::vector<std::u16string> items_;
};

// A tree with header columns in a font of its own ("TVirtualDrawTree").
class TreeControl final : public Control, public TextItems, public HeaderFont {
 public:
  TreeControl(std::u16string name, std::vector<std::u16string> columns)
      : Control(u"TVirtualDrawTree", std::move(name)), columns_(std::move(columns)) {}

  std::size_t item_count() const override { return columns_.size(); }
  std::u16string item_text(std::size_t index) const override { return columns_.at(index); }
  void set_item_text(std::size_t index, std::u16string_view text) override {
    columns_.at(index).assign(text);
  }
  void set_header_font_name(std::u16string_view name) override { font_.assign(name); }

  const std::vector<std::u16string>& columns() const { return columns_; }
  const std::u16string& font() const { return font_; }

 private:
  std::vector<std::u16string> columns_;
  std::u16string font_ = u"MS Sans Serif";
};

// A label of HTML markup kept as lines ("THTMLabel").
class HtmlLabel final : public Control, public TextLines {
 public:
  explicit HtmlLabel(std::u16string name) : Control(u"THTMLabel", std::move(name)) {}

  std::vector<std::u16string> text_lines() const override { return lines_; }
  void set_text_lines(std::vector<std::u16string> lines) override { lines_ = std::move(lines); }

 private:
  std::vector<std::u16string> lines_;
};

// A label whose caption is an object of its own ("TAdvSmoothLabel").
class SmoothLabel final : public Control, public CaptionObject {
 public:
  explicit SmoothLabel(std::u16string name) : Control(u"TAdvSmoothLabel", std::move(name)) {}

  std::u16string caption_object_text() const override { return text_; }
  void set_caption_object_text(std::u16string_view text) override { text_.assign(text); }

 private:
  std::u16string text_;
};

// A control that publishes "Caption" beside what its class name brings: a glow button
// ("TAdvGlowButton"), a button that must be repainted ("TVoskUnicodeStButton"), and the
// like. Optionally an "HTMLText" and a "CaptionMaxWidth" too.
class CaptionControl final : public Control {
 public:
  CaptionControl(std::u16string class_name, std::u16string name, bool html = false,
                 std::int32_t caption_max_width = -1)
      : Control(std::move(class_name), std::move(name)),
        html_(html),
        caption_max_width_(caption_max_width) {}

  const std::u16string& HTMLText() const { return html_text_; }
  void SetHTMLText(std::u16string_view text) { html_text_.assign(text); }

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override {
    static constexpr PropertyInfo kHtml[] = {
        {.name = u"HTMLText",
         .kind = PropertyKind::text,
         .get_text =
             [](const Component& c) { return static_cast<const CaptionControl&>(c).html_text_; },
         .set_text =
             [](Component& c, std::u16string_view t) {
               static_cast<CaptionControl&>(c).SetHTMLText(t);
             }}};
    static constexpr PropertyInfo kMaxWidth[] = {
        {.name = u"CaptionMaxWidth",
         .kind = PropertyKind::integer,
         .get_ordinal = [](const Component& c) {
           return static_cast<const CaptionControl&>(c).caption_max_width_;
         }}};
    static constexpr PropertyInfo kCaption[] = {kCaptionProperty};
    if (html_) {
      if (const PropertyInfo* info = find_in(kHtml, name)) {
        return info;
      }
    }
    if (caption_max_width_ >= 0) {
      if (const PropertyInfo* info = find_in(kMaxWidth, name)) {
        return info;
      }
    }
    if (const PropertyInfo* info = find_in(kCaption, name)) {
      return info;
    }
    return Control::find_property(name);
  }

 private:
  bool html_;
  std::int32_t caption_max_width_;
  std::u16string html_text_;
};

// A label that sizes itself vertically only ("AutoSizeType" of asVertical) or both ways.
class AutoSizeTypeLabel final : public Control {
 public:
  AutoSizeTypeLabel(std::u16string name, bool vertical)
      : Control(u"TAdvLabel", std::move(name)), vertical_(vertical) {}

 protected:
  const PropertyInfo* find_property(std::u16string_view name) const override {
    static constexpr std::u16string_view kNames[] = {u"asNone", u"asVertical", u"asBoth"};
    static constexpr PropertyInfo kTable[] = {
        kCaptionProperty,
        {.name = u"AutoSizeType",
         .kind = PropertyKind::enumeration,
         .get_ordinal =
             [](const Component& c) {
               return static_cast<const AutoSizeTypeLabel&>(c).vertical_ ? 1 : 2;
             },
         .names = kNames}};
    if (const PropertyInfo* info = find_in(kTable, name)) {
      return info;
    }
    return Control::find_property(name);
  }

 private:
  bool vertical_;
};

}  // namespace kb::test
