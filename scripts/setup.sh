#!/usr/bin/env bash
# Installs everything the two builds and their tests need on Debian 12; with the
# argument "release", only what building subvane-cli for this system needs.
# Idempotent: a second run only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libcjson-dev libsimdjson-dev libcli11-dev googletest libgtest-dev clang clang-format
  libclang-rt-14-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb xauth xdotool x11-utils imagemagick fonts-wqy-microhei
  fonts-thai-tlwg fonts-dejavu-core fonts-hosny-amiri fonts-symbola
  locales dpkg-dev python3 time ffmpeg
)
release_only=0
if [ "${1:-}" = release ]; then
  release_only=1
  packages=(build-essential cmake ninja-build libcjson-dev libsimdjson-dev libcli11-dev)
fi

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

need_update=0
if [ "$release_only" -eq 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
  need_update=1
fi

# The source packages of cJSON and simdjson provide the code of the embedded 32-bit
# cJSON DLL and of the Windows build's simdjson library.
src_list=/etc/apt/sources.list.d/subvane-deb-src.sources
if [ "$release_only" -eq 0 ] && [ ! -f "$src_list" ]; then
  as_root tee "$src_list" >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ "$need_update" -eq 1 ]; then
  as_root apt-get update -q
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
