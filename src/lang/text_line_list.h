#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_codec.h"

namespace kb {

// An ordered list of text lines, each "name=value" or a line without a name. The name is the
// text before the first "=", the value everything after it; a line without "=" never matches
// a name but keeps its place. Lines are never sorted or merged. Names are matched without
// regard to letter case (both sides upper-cased by the system's rules), and the first line of
// a name is the one found. A hash table of the names serves the lookups; a change that can move
// a name drops it, and the next lookup builds it anew.
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
  // One name of the table: its hash and its first line.
  struct Slot {
    std::uint32_t hash = 0;
    std::int32_t line = -1;  // -1: the slot is free
  };

  void build_hash() const;
  // Enters the name in `upper_` (upper-cased) for `line`, unless the name is there already.
  void enter_name(std::int32_t line) const;
  void grow() const;
  // The slot of the name in `upper_`, or the free slot where it would go.
  std::size_t probe(std::uint32_t hash) const;
  // Whether the name of `line` upper-cases to `upper_`.
  bool has_upper_name(std::int32_t line) const;

  const TextCodec& codec_;
  std::vector<std::u16string> lines_;
  // Open addressing, at most three quarters full; valid while `hashed_`. It holds no copies of
  // the names, so that the table of a large file stays small.
  mutable std::vector<Slot> slots_;
  mutable std::size_t used_ = 0;
  mutable bool hashed_ = false;
  mutable std::u16string upper_;  // the name looked for, reused by every lookup
  mutable std::u16string other_upper_;
};

}  // namespace kb
