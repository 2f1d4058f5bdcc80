#include "lang/text_line_list.h"

#include <utility>

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
    first_of_name_.try_emplace(upper_, static_cast<std::int32_t>(lines_.size() - 1));
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

void TextLineList::build_hash() const {
  first_of_name_.clear();
  first_of_name_.reserve(lines_.size());
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (has_name(lines_[i])) {
      codec_.upper_case(name_of(lines_[i]), upper_);
      first_of_name_.try_emplace(upper_, static_cast<std::int32_t>(i));
    }
  }
  hashed_ = true;
}

std::int32_t TextLineList::IndexOfName(std::u16string_view name) const {
  if (!hashed_) {
    build_hash();
  }
  codec_.upper_case(name, upper_);
  const auto found = first_of_name_.find(upper_);
  return found == first_of_name_.end() ? -1 : found->second;
}

}  // namespace kb
