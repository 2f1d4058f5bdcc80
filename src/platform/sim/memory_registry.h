#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_backend.h"

namespace kb::sim {

// A registry in memory: a tree of keys under each root, typed values in each key, key and
// value names compared without regard to letter case as the system does. It checks what the
// system checks (a handle must be open and opened with the rights the call needs), keeps count
// of open handles, records how keys were opened, and fails calls on demand.
class MemoryRegistry final : public RegistryBackend {
 public:
  enum class Op { open, create, query, read, set, delete_value };

  struct Opening {
    Op op;  // open or create
    RegistryRoot root;
    std::u16string path;
    std::uint32_t access;
  };

  struct Value {
    RegistryType type = RegistryType::none;
    std::vector<std::uint8_t> data;
  };

  // The call of `op` after `after` more successful ones fails, once.
  void fail(Op op, std::size_t after = 0);
  void clear_faults() { faults_.clear(); }

  // Acts as for a 32-bit process on 64-bit Windows: keys below local_machine "SOFTWARE" are
  // taken from "SOFTWARE\Wow6432Node" unless opened with kKeyWow64_64Key.
  void set_32bit_view_redirected(bool redirected) { redirected_ = redirected; }

  // For the test's own setup and checks: no faults, no rights, nothing recorded.
  void put(RegistryRoot root, std::u16string_view path, std::u16string_view name, RegistryType type,
           std::span<const std::uint8_t> data);
  std::optional<Value> value(RegistryRoot root, std::u16string_view path,
                             std::u16string_view name) const;
  bool key_exists(RegistryRoot root, std::u16string_view path) const;
  std::size_t value_count(RegistryRoot root, std::u16string_view path) const;

  const std::vector<Opening>& openings() const { return openings_; }
  std::size_t open_handles() const { return handles_.size(); }
  // Closes of a handle that was not open (closed twice, or never opened).
  std::size_t bad_closes() const { return bad_closes_; }

  RegistryKey open_key(RegistryRoot root, std::u16string_view path, std::uint32_t access) override;
  RegistryKey create_key(RegistryRoot root, std::u16string_view path,
                         std::uint32_t access) override;
  std::optional<RegistryValueInfo> query_value(RegistryKey key, std::u16string_view name) override;
  std::optional<std::uint32_t> read_value(RegistryKey key, std::u16string_view name,
                                          std::span<std::uint8_t> buffer) override;
  bool set_value(RegistryKey key, std::u16string_view name, RegistryType type,
                 std::span<const std::uint8_t> data) override;
  bool delete_value(RegistryKey key, std::u16string_view name) override;
  void close_key(RegistryKey key) override;

 private:
  struct NamedValue {
    std::u16string name;
    Value value;
  };
  struct Key {
    std::u16string name;
    std::vector<std::unique_ptr<Key>> subkeys;
    std::vector<NamedValue> values;

    Key* subkey(std::u16string_view wanted) const;
    NamedValue* find_value(std::u16string_view wanted);
    void store(std::u16string_view value_name, Value value);
  };
  struct Handle {
    Key* key;
    std::uint32_t access;
  };
  struct Fault {
    Op op;
    std::size_t after;
  };

  bool failing(Op op);
  // The key at the path (with the view's redirection applied), created with its missing
  // levels when `create`; null when it is missing or the path is malformed.
  Key* walk(RegistryRoot root, std::u16string_view path, std::uint32_t access, bool create);
  const Key* find(RegistryRoot root, std::u16string_view path) const;
  RegistryKey new_handle(Key* key, std::uint32_t access);
  Handle* handle(RegistryKey key, std::uint32_t needed);

  Key current_user_;
  Key local_machine_;
  std::map<std::uintptr_t, Handle> handles_;
  std::uintptr_t next_handle_ = 0x1000;
  std::vector<Fault> faults_;
  std::vector<Opening> openings_;
  std::size_t bad_closes_ = 0;
  bool redirected_ = false;
};

}  // namespace kb::sim
