#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/text_codec.h"

namespace kb {

// An ordered list of text lines, each "name=value" or a line without a name. The name is the
// text before the first "=", the value everything after it; a line without "=" never matches
// a name but keeps its place. Lines are never sorted or merged. Names are matched without
// regard to letter case (both sides upper-cased by the system's rules), and the first line of
// a name is the one found. A hash of the names serves the lookups; a change that can move a
// name drops it, and the next lookup builds it anew.
class TextLineList {
 public:
  explicit TextLineList(const TextCodec& codec) : codec_(codec) {}

  std::size_t Count() const { return lines_.size(); }
  const std::u16string& line(std::size_t index) const { return lines_.at(index); }
  const std::vector<std::u16string>& lines() const { return lines_; }

  void Add(std::u16string line);
  // Replaces the line at `index`, which keeps its position.
  void Put(std::size_t index, std::u16string line);
  void assign(std::vector<std::u16string> lines);
  void clear();

  // The position of the first line named `name`, or -1.
  std::int32_t IndexOfName(std::u16string_view name) const;

  // The name and value of a line; a line without "=" has neither.
  static bool has_name(std::u16string_view line) { return line.find(u'=') != line.npos; }
  static std::u16string_view name_of(std::u16string_view line);
  static std::u16string_view value_of(std::u16string_view line);

 private:
  void build_hash() const;

  const TextCodec& codec_;
  std::vector<std::u16string> lines_;
  // Upper-cased name to the position of its first line; valid while `hashed_`.
  mutable std::unordered_map<std::u16string, std::int32_t> first_of_name_;
  mutable bool hashed_ = false;
  mutable std::u16string upper_;  // reused by every lookup
};

}  // namespace kb
