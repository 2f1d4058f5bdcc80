#include "platform/win32/system_file_system.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "platform/error.h"
#include "platform/win32/system_error.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/wide_text.h"

namespace kb::win32 {
namespace {

Error failure(const char16_t* what, const std::u16string& path, DWORD code) {
  return Error(std::u16string(what) + u" \"" + path + u"\": " + system_error_text(code));
}

// Creates a new, empty file beside `path` under a name nobody uses, and returns its name.
std::u16string create_temporary_beside(const std::u16string& path, UniqueFile& file) {
  static std::uint32_t counter = 0;
  const DWORD process = GetCurrentProcessId();
  for (int attempt = 0; attempt < 100; ++attempt) {
    wchar_t suffix[32];
    wsprintfW(suffix, L".~kb%lx-%lx", static_cast<unsigned long>(process),
              static_cast<unsigned long>(++counter));
    std::u16string temporary = path + std::u16string(from_wide(suffix));
    const HANDLE handle = CreateFileW(wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      file.reset(handle);
      return temporary;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) {
      break;
    }
  }
  return {};
}

bool is_missing(DWORD code) {
  return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

}  // namespace

bool SystemFileSystem::file_exists(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::optional<std::string> SystemFileSystem::read_file(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(wide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = GetLastError();
    if (is_missing(code)) {
      return std::nullopt;
    }
    throw failure(u"Cannot read", path, code);
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  // Others may keep the file open meanwhile, as an editor does.
  const UniqueFile file(CreateFileW(wide(path), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throw failure(u"Cannot read", path, GetLastError());
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) {
    throw failure(u"Cannot read", path, GetLastError());
  }
  if (static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX / 2) {
    throw failure(u"Cannot read", path, ERROR_NOT_ENOUGH_MEMORY);
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD got = 0;
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &got, nullptr)) {
      throw failure(u"Cannot read", path, GetLastError());
    }
    if (got == 0) {
      bytes.resize(done);  // the file shrank while it was read
      break;
    }
    done += got;
  }
  return bytes;
}

void SystemFileSystem::replace_file(const std::u16string& path, std::string_view bytes) {
  // A read-only file is one the user protects; Windows refuses to rename over it, and so
  // does this everywhere (Wine would replace it).
  const DWORD attributes = GetFileAttributesW(wide(path));
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    throw failure(u"Cannot write", path, ERROR_ACCESS_DENIED);
  }
  UniqueFile file;
  const std::u16string temporary = create_temporary_beside(path, file);
  if (temporary.empty()) {
    throw failure(u"Cannot write", path, GetLastError());
  }
  auto fail = [&](DWORD code) {
    file.reset();
    DeleteFileW(wide(temporary));
    return failure(u"Cannot write", path, code);
  };
  std::size_t done = 0;
  while (done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD wrote = 0;
    if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr)) {
      throw fail(GetLastError());
    }
    if (wrote == 0) {
      throw fail(ERROR_WRITE_FAULT);
    }
    done += wrote;
  }
  // On disk before the rename, so that a crash leaves the old file or the new one.
  if (!FlushFileBuffers(file.get())) {
    throw fail(GetLastError());
  }
  // Closing writes what the system still holds: its failure is a failed write.
  if (!CloseHandle(file.release())) {
    throw fail(GetLastError());
  }
  if (!MoveFileExW(wide(temporary), wide(path),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw fail(GetLastError());
  }
}

std::vector<FoundEntry> SystemFileSystem::find(const std::u16string& pattern) {
  std::vector<FoundEntry> found;
  WIN32_FIND_DATAW entry;
  const UniqueFind search(FindFirstFileW(wide(pattern), &entry));
  if (!search) {
    return found;
  }
  do {
    const std::u16string name(from_wide(entry.cFileName));
    if (name != u"." && name != u"..") {
      found.push_back({name, (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    }
  } while (FindNextFileW(search.get(), &entry));
  return found;
}

}  // namespace kb::win32
