# Debian packages the scripts need, and their installation.
# shellcheck shell=bash

# What building and testing the presets needs; KB_X86_PACKAGES below only where it is used.
KB_TEST_PACKAGES=(
  cmake ninja-build g++ libgtest-dev libgmock-dev googletest
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 wine32:i386 xvfb fonts-wine
  clang libclang-rt-14-dev
  locales
)
# What the 32-bit Linux build and its tests need, where 32-bit Windows programs cannot run.
KB_X86_PACKAGES=(g++-multilib qemu-user-static)

kb_package_installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" = installed ]
}

# kb_require_packages <package>...: installs what is missing when run as root; otherwise names
# the missing packages and the command that installs them, and fails.
kb_require_packages() {
  local missing=() package
  for package in "$@"; do
    kb_package_installed "$package" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local need_i386=0
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
     ! dpkg --print-foreign-architectures | grep -qx i386; then
    need_i386=1
  fi

  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them as root with:" >&2
    [ $need_i386 -eq 1 ] && echo "  dpkg --add-architecture i386" >&2
    echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
    return 1
  fi

  echo "Installing ${missing[*]}"
  [ $need_i386 -eq 1 ] && dpkg --add-architecture i386
  apt-get update -q || return 1
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" || return 1
}
