// Arbitrary stored values through the two registry readers: no crash, no read past the data,
// and no character in the text that the data does not hold.
//
// Input: one byte choosing the type, one byte of faults (bit 0: the data read fails, bit 1: the
// open fails), then the value's data. A first byte below 0xF0 picks one of the types the
// readers tell apart; from 0xF0 on, the four bytes after the faults give any type number.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "platform/sim/memory_registry.h"
#include "platform/text.h"
#include "platform/integer_text.h"
#include "runtime/registry.h"

namespace {

using kb::RegistryType;
using Op = kb::sim::MemoryRegistry::Op;

constexpr std::array<RegistryType, 8> kTypes{RegistryType::none,      RegistryType::sz,
                                             RegistryType::expand_sz, RegistryType::binary,
                                             RegistryType::dword,     RegistryType::multi_sz,
                                             RegistryType::qword,     static_cast<RegistryType>(5)};

void check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// What the readers must make of text: the whole characters up to the first zero one.
std::u16string expected_text(std::span<const std::uint8_t> data) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto c = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (c == 0) {
      break;
    }
    text.push_back(c);
  }
  return text;
}

std::uint64_t little_endian(std::span<const std::uint8_t> data) {
  std::uint64_t number = 0;
  for (std::size_t i = data.size(); i > 0; --i) {
    number = (number << 8) | data[i - 1];
  }
  return number;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  std::span<const std::uint8_t> input(bytes, size);
  if (input.size() < 2) {
    return 0;
  }
  const bool read_fails = (input[1] & 1) != 0;
  const bool open_fails = (input[1] & 2) != 0;
  RegistryType type = kTypes[input[0] % kTypes.size()];
  std::span<const std::uint8_t> data = input.subspan(2);
  if (input[0] >= 0xF0) {
    if (data.size() < 4) {
      return 0;
    }
    type = static_cast<RegistryType>(little_endian(data.first(4)));
    data = data.subspan(4);
  }

  auto backend = std::make_shared<kb::sim::MemoryRegistry>();
  const kb::Registry registry(backend, false);
  constexpr auto kRoot = kb::RegistryRoot::current_user;
  constexpr std::u16string_view kKey = u"SOFTWARE\\Korvalen\\Fuzz";
  backend->put(kRoot, kKey, u"Value", type, data);

  auto arm = [&] {
    backend->clear_faults();
    if (read_fails) {
      backend->fail(Op::read);
    }
    if (open_fails) {
      backend->fail(Op::open);
    }
  };
  arm();
  const std::u16string text = registry.REG_ReadString(kRoot, kKey, u"Value");
  arm();
  const std::int32_t number = registry.REG_ReadInteger(kRoot, kKey, u"Value");
  check(backend->open_handles() == 0 && backend->bad_closes() == 0);

  if (read_fails || open_fails || data.empty()) {
    check(text.empty() && number == 0);
    return 0;
  }
  switch (type) {
    case RegistryType::sz:
    case RegistryType::expand_sz:
    case RegistryType::multi_sz:
      check(text == expected_text(data));
      check(number == kb::parse_int32_or(text, 0));
      break;
    case RegistryType::binary:
    case RegistryType::none:
      check(text == expected_text(data));
      check(number == (data.size() <= 4 ? static_cast<std::int32_t>(little_endian(data)) : 0));
      break;
    case RegistryType::dword:
      check(text == (data.size() <= 4 ? kb::from_utf8(std::to_string(little_endian(data)))
                                      : std::u16string()));
      check(number == (data.size() <= 4 ? static_cast<std::int32_t>(little_endian(data)) : 0));
      break;
    case RegistryType::qword:
      check(text ==
            (data.size() <= 8
                 ? kb::from_utf8(std::to_string(static_cast<std::int64_t>(little_endian(data))))
                 : std::u16string()));
      check(number == (data.size() <= 8 ? static_cast<std::int32_t>(
                                              static_cast<std::uint32_t>(little_endian(data)))
                                        : 0));
      break;
    default:
      check(text.empty() && number == 0);
      break;
  }
  return 0;
}
