#!/usr/bin/env bash
# Installs from Debian's packages whatever building, running and testing
# Vantrel needs and this machine lacks, and generates the two locales the
# number-text tests run under. Does nothing when all is there already.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config clang-tidy clang-format
  # window
  qt6-base-dev qt6-base-dev-tools libxcb1-dev fonts-dejavu-core qt6-translations-l10n
  # tests and benchmarks
  libgtest-dev libbenchmark-dev libgmp-dev locales xvfb xauth x11-utils
  # packaging and its test (cpack's shlibdeps step runs file and objdump)
  dpkg-dev file binutils desktop-file-utils appstream libx11-dev
  # fuzzing, sanitizers and leak checks: the release's default LLVM (clang,
  # its sanitizer and fuzzer runtimes, llvm-symbolizer for fault reports),
  # named by Debian's unversioned packages so that every release has them
  clang libclang-rt-dev llvm valgrind
  # the Windows build (GoogleTest is built from Debian's googletest sources for
  # it; windres from binutils compiles the program's resources; Python runs the
  # Win32 form compiler and packs the icon), its tests under Wine in Xvfb with
  # Wine's own fonts, and the installer
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest python3
  wine wine64 fonts-wine nsis
  # the MSI package (wixl; msibuild repairs its texts, msiinfo and msiextract read it back) and signing
  wixl msitools osslsigncode openssl
  # the window as a native Wayland client (libwayland-dev and wayland-protocols:
  # the program asks the compositor whether it draws frames and at what scale
  # its outputs are), and its tests under headless
  # compositors (weston, sway driven through swaymsg, and GNOME's mutter on a
  # session bus of its own)
  qt6-wayland libwayland-dev wayland-protocols weston sway mutter dbus-daemon
)

# Optional groups, for tools that neither the build nor the tests run.
for group in "$@"; do
  case "$group" in
  --screenshots) packages+=(xdotool imagemagick) ;;
  *) echo "setup: unknown option $group" >&2; exit 2 ;;
  esac
done

as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=600 "${missing[@]}"
fi

# The number-text tests run under a ',' locale and a '.' locale.
for locale in ru_RU.UTF-8 en_US.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qix "${locale/UTF-8/utf8}"; then
    as_root sed -i -E "s/^# *(${locale} UTF-8)/\1/" /etc/locale.gen
    grep -q "^${locale} UTF-8" /etc/locale.gen || echo "${locale} UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null
  fi
done
