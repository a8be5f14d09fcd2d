#!/usr/bin/env bash
# Installs every package the project needs, with apt-get only. Quick when all is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  libz-mingw-w64-dev zlib1g-dev
  googletest libgtest-dev libbenchmark-dev
  wine64 wine32:i386 fonts-wine xvfb xauth fonts-liberation locales
  pxlib-dev
  imagemagick x11-apps x11-utils
  zip unzip
  ccache
)

SUDO=
[ "$(id -u)" -eq 0 ] || SUDO=sudo

# The 32-bit Wine, beside the 64-bit one, runs the 32-bit program and its suites: its packages
# are of the i386 architecture, which the machine must know first.
dpkg --print-foreign-architectures | grep -qx i386 || ${SUDO:-} dpkg --add-architecture i386

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  ${SUDO:-} apt-get update -qq
  ${SUDO:-} apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes the Windows locale from LANG; the suites run under Russian and English.
wanted=(ru_RU.UTF-8 en_US.UTF-8)
have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z')
regen=0
for l in "${wanted[@]}"; do
  short=$(echo "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  if ! grep -qx "$short" <<<"$have"; then
    grep -qx "$l UTF-8" /etc/locale.gen 2>/dev/null || echo "$l UTF-8" | ${SUDO:-} tee -a /etc/locale.gen >/dev/null
    regen=1
  fi
done
((regen)) && ${SUDO:-} locale-gen >/dev/null
exit 0
