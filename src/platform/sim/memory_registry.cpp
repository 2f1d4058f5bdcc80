#include "platform/sim/memory_registry.h"

#include <algorithm>
#include <utility>

namespace kb::sim {
namespace {

// The system compares names by their upper-case forms; this covers the letters of the Basic
// Latin and Latin-1 blocks, which is what names in this program and its tests use.
char16_t folded(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
    return static_cast<char16_t>(c - 0x20);
  }
  return c;
}

bool same_name(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return folded(x) == folded(y); });
}

// The levels of a key path, as the system reads it: a path must not begin with "\", and empty
// levels elsewhere (a doubled or trailing "\") are passed over.
std::optional<std::vector<std::u16string_view>> levels_of(std::u16string_view path) {
  if (!path.empty() && path.front() == u'\\') {
    return std::nullopt;
  }
  std::vector<std::u16string_view> levels;
  std::size_t start = 0;
  while (start < path.size()) {
    const std::size_t end = std::min(path.find(u'\\', start), path.size());
    if (end > start) {
      levels.push_back(path.substr(start, end - start));
    }
    start = end + 1;
  }
  return levels;
}

}  // namespace

MemoryRegistry::Key* MemoryRegistry::Key::subkey(std::u16string_view wanted) const {
  for (const auto& key : subkeys) {
    if (same_name(key->name, wanted)) {
      return key.get();
    }
  }
  return nullptr;
}

MemoryRegistry::NamedValue* MemoryRegistry::Key::find_value(std::u16string_view wanted) {
  for (NamedValue& v : values) {
    if (same_name(v.name, wanted)) {
      return &v;
    }
  }
  return nullptr;
}

void MemoryRegistry::Key::store(std::u16string_view value_name, Value value) {
  if (NamedValue* existing = find_value(value_name)) {
    existing->value = std::move(value);  // the name keeps the letter case it was created with
  } else {
    values.push_back({std::u16string(value_name), std::move(value)});
  }
}

void MemoryRegistry::fail(Op op, std::size_t after) {
  faults_.push_back({op, after});
}

bool MemoryRegistry::failing(Op op) {
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->op != op) {
      continue;
    }
    if (it->after == 0) {
      faults_.erase(it);
      return true;
    }
    --it->after;
  }
  return false;
}

MemoryRegistry::Key* MemoryRegistry::walk(RegistryRoot root, std::u16string_view path,
                                          std::uint32_t access, bool create) {
  auto levels = levels_of(path);
  if (!levels) {
    return nullptr;
  }
  if (redirected_ && root == RegistryRoot::local_machine && (access & kKeyWow64_64Key) == 0 &&
      !levels->empty() && same_name((*levels)[0], u"SOFTWARE") &&
      !(levels->size() > 1 && same_name((*levels)[1], u"Wow6432Node"))) {
    levels->insert(levels->begin() + 1, u"Wow6432Node");
  }
  Key* key = root == RegistryRoot::current_user ? &current_user_ : &local_machine_;
  for (const std::u16string_view level : *levels) {
    Key* next = key->subkey(level);
    if (next == nullptr) {
      if (!create) {
        return nullptr;
      }
      key->subkeys.push_back(std::make_unique<Key>());
      next = key->subkeys.back().get();
      next->name = std::u16string(level);
    }
    key = next;
  }
  return key;
}

const MemoryRegistry::Key* MemoryRegistry::find(RegistryRoot root, std::u16string_view path) const {
  // The test's own view: paths are taken as written.
  const auto levels = levels_of(path);
  if (!levels) {
    return nullptr;
  }
  const Key* key = root == RegistryRoot::current_user ? &current_user_ : &local_machine_;
  for (const std::u16string_view level : *levels) {
    key = key->subkey(level);
    if (key == nullptr) {
      return nullptr;
    }
  }
  return key;
}

void MemoryRegistry::put(RegistryRoot root, std::u16string_view path, std::u16string_view name,
                         RegistryType type, std::span<const std::uint8_t> data) {
  const bool redirected = redirected_;
  redirected_ = false;
  Key* key = walk(root, path, 0, true);
  redirected_ = redirected;
  if (key == nullptr) {
    return;
  }
  key->store(name, {type, {data.begin(), data.end()}});
}

std::optional<MemoryRegistry::Value> MemoryRegistry::value(RegistryRoot root,
                                                           std::u16string_view path,
                                                           std::u16string_view name) const {
  const Key* key = find(root, path);
  if (key == nullptr) {
    return std::nullopt;
  }
  for (const NamedValue& v : key->values) {
    if (same_name(v.name, name)) {
      return v.value;
    }
  }
  return std::nullopt;
}

bool MemoryRegistry::key_exists(RegistryRoot root, std::u16string_view path) const {
  return find(root, path) != nullptr;
}

std::size_t MemoryRegistry::value_count(RegistryRoot root, std::u16string_view path) const {
  const Key* key = find(root, path);
  return key == nullptr ? 0 : key->values.size();
}

RegistryKey MemoryRegistry::new_handle(Key* key, std::uint32_t access) {
  const std::uintptr_t number = next_handle_;
  next_handle_ += 4;
  handles_[number] = {key, access};
  return static_cast<RegistryKey>(number);
}

MemoryRegistry::Handle* MemoryRegistry::handle(RegistryKey key, std::uint32_t needed) {
  const auto it = handles_.find(static_cast<std::uintptr_t>(key));
  if (it == handles_.end() || (it->second.access & needed) != needed) {
    return nullptr;
  }
  return &it->second;
}

RegistryKey MemoryRegistry::open_key(RegistryRoot root, std::u16string_view path,
                                     std::uint32_t access) {
  openings_.push_back({Op::open, root, std::u16string(path), access});
  Key* key = failing(Op::open) ? nullptr : walk(root, path, access, false);
  return key == nullptr ? RegistryKey::none : new_handle(key, access);
}

RegistryKey MemoryRegistry::create_key(RegistryRoot root, std::u16string_view path,
                                       std::uint32_t access) {
  openings_.push_back({Op::create, root, std::u16string(path), access});
  Key* key = failing(Op::create) ? nullptr : walk(root, path, access, true);
  return key == nullptr ? RegistryKey::none : new_handle(key, access);
}

std::optional<RegistryValueInfo> MemoryRegistry::query_value(RegistryKey key,
                                                             std::u16string_view name) {
  Handle* h = handle(key, kKeyQueryValue);
  if (h == nullptr || failing(Op::query)) {
    return std::nullopt;
  }
  const NamedValue* v = h->key->find_value(name);
  if (v == nullptr) {
    return std::nullopt;
  }
  return RegistryValueInfo{v->value.type, static_cast<std::uint32_t>(v->value.data.size())};
}

std::optional<std::uint32_t> MemoryRegistry::read_value(RegistryKey key, std::u16string_view name,
                                                        std::span<std::uint8_t> buffer) {
  Handle* h = handle(key, kKeyQueryValue);
  if (h == nullptr || failing(Op::read)) {
    return std::nullopt;
  }
  const NamedValue* v = h->key->find_value(name);
  if (v == nullptr || v->value.data.size() > buffer.size()) {
    return std::nullopt;
  }
  std::copy(v->value.data.begin(), v->value.data.end(), buffer.begin());
  return static_cast<std::uint32_t>(v->value.data.size());
}

bool MemoryRegistry::set_value(RegistryKey key, std::u16string_view name, RegistryType type,
                               std::span<const std::uint8_t> data) {
  Handle* h = handle(key, kKeySetValue);
  if (h == nullptr || failing(Op::set)) {
    return false;
  }
  h->key->store(name, {type, {data.begin(), data.end()}});
  return true;
}

bool MemoryRegistry::delete_value(RegistryKey key, std::u16string_view name) {
  Handle* h = handle(key, kKeySetValue);
  if (h == nullptr || failing(Op::delete_value)) {
    return false;
  }
  auto& values = h->key->values;
  const auto it = std::find_if(values.begin(), values.end(),
                               [name](const NamedValue& v) { return same_name(v.name, name); });
  if (it == values.end()) {
    return false;
  }
  values.erase(it);
  return true;
}

void MemoryRegistry::close_key(RegistryKey key) {
  if (handles_.erase(static_cast<std::uintptr_t>(key)) == 0) {
    ++bad_closes_;
  }
}

}  // namespace kb::sim
