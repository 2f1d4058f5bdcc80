#include "lang/text_line_list.h"

#include <utility>

#include "platform/text.h"

namespace kb {
namespace {

// FNV-1a over the code units, folded to 32 bits.
std::uint32_t hash_of(std::u16string_view text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char16_t c : text) {
    hash = (hash ^ c) * 1099511628211ull;
  }
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

constexpr std::size_t kSmallestTable = 16;

}  // namespace
}  // namespace kb

namespace kb {

std::u16string_view TextLineList::name_of(std::u16string_view line) {
  const auto separator = line.find(u'=');
  return separator == line.npos ? std::u16string_view() : line.substr(0, separator);
}

std::u16string_view TextLineList::value_of(std::u16string_view line) {
  const auto separator = line.find(u'=');
  return separator == line.npos ? std::u16string_view() : line.substr(separator + 1);
}

void TextLineList::Add(std::u16string line) {
  lines_.push_back(std::move(line));
  // An appended line can only be the first of a name that was not there before.
  if (hashed_ && has_name(lines_.back())) {
    codec_.upper_case(name_of(lines_.back()), upper_);
    enter_name(static_cast<std::int32_t>(lines_.size() - 1));
  }
}

void TextLineList::Put(std::size_t index, std::u16string line) {
  std::u16string& old = lines_.at(index);
  if (hashed_) {
    // Replacing a line by one of the same name moves no name; anything else may.
    const bool both_named = has_name(old) && has_name(line);
    const bool same_name =
        (!has_name(old) && !has_name(line)) ||
        (both_named && codec_.to_upper(name_of(old)) == codec_.to_upper(name_of(line)));
    hashed_ = same_name;
  }
  old = std::move(line);
}

void TextLineList::assign(std::vector<std::u16string> lines) {
  lines_ = std::move(lines);
  hashed_ = false;
}

void TextLineList::clear() {
  lines_.clear();
  hashed_ = false;
}

bool TextLineList::has_upper_name(std::int32_t line) const {
  const std::u16string_view name = name_of(lines_[static_cast<std::size_t>(line)]);
  // Every locale upper-cases plain ASCII alike, so only other names need the system's rules.
  for (const char16_t c : name) {
    if (c >= 0x80) {
      codec_.upper_case(name, other_upper_);
      return other_upper_ == upper_;
    }
  }
  if (name.size() != upper_.size()) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char16_t c = name[i];
    if (ascii_upper(c) != upper_[i]) {
      return false;
    }
  }
  return true;
}

std::size_t TextLineList::probe(std::uint32_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = hash & mask;
  while (slots_[at].line >= 0 && (slots_[at].hash != hash || !has_upper_name(slots_[at].line))) {
    at = (at + 1) & mask;
  }
  return at;
}

void TextLineList::grow() const {
  std::vector<Slot> old = std::move(slots_);
  slots_.assign(old.size() * 2, Slot{});
  const std::size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.line >= 0) {
      std::size_t at = slot.hash & mask;
      while (slots_[at].line >= 0) {
        at = (at + 1) & mask;
      }
      slots_[at] = slot;
    }
  }
}

void TextLineList::enter_name(std::int32_t line) const {
  if (4 * (used_ + 1) > 3 * slots_.size()) {
    grow();
  }
  const std::uint32_t hash = hash_of(upper_);
  Slot& slot = slots_[probe(hash)];
  if (slot.line < 0) {  // else the name's first line is in already
    slot = {hash, line};
    ++used_;
  }
}

void TextLineList::build_hash() const {
  std::size_t size = kSmallestTable;
  while (3 * size < 4 * lines_.size()) {
    size *= 2;
  }
  slots_.assign(size, Slot{});
  used_ = 0;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (has_name(lines_[i])) {
      codec_.upper_case(name_of(lines_[i]), upper_);
      enter_name(static_cast<std::int32_t>(i));
    }
  }
  hashed_ = true;
}

std::int32_t TextLineList::IndexOfName(std::u16string_view name) const {
  if (!hashed_) {
    build_hash();
  }
  codec_.upper_case(name, upper_);
  return slots_[probe(hash_of(upper_))].line;
}

}  // namespace kb
