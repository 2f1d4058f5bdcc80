#pragma once

#include <cstdint>
#include <initializer_list>

namespace kb {

// A set of the members of an enumeration whose values are the bit positions (at most 32).
template <typename E>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> members) {
    for (E member : members) {
      include(member);
    }
  }

  constexpr bool contains(E member) const { return (bits_ & bit(member)) != 0; }
  constexpr bool empty() const { return bits_ == 0; }
  constexpr void include(E member) { bits_ |= bit(member); }
  constexpr void exclude(E member) { bits_ &= ~bit(member); }
  constexpr void clear() { bits_ = 0; }

  friend constexpr bool operator==(EnumSet, EnumSet) = default;

 private:
  static constexpr std::uint32_t bit(E member) {
    return std::uint32_t{1} << static_cast<unsigned>(member);
  }
  std::uint32_t bits_ = 0;
};

}  // namespace kb
