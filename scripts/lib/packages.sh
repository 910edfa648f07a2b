# Installs the Debian packages the build and the tests need, when any is missing (through sudo unless root).

pelmorath_packages=(
  cmake g++ libgtest-dev clang clang-tidy
  g++-mingw-w64-i686-posix mingw-w64-i686-dev
  wine wine32:i386 xvfb xdotool imagemagick x11-utils fonts-wine fonts-liberation
  libx11-dev libxfixes-dev python3
  libclang-rt-dev
  wixl msitools osslsigncode openssl
  softhsm2 opensc libengine-pkcs11-openssl strace
)

ensure_packages() {
  local missing=() pkg
  for pkg in "${pelmorath_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  [ "${#missing[@]}" -eq 0 ] && return 0

  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "installing: ${missing[*]}" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
  fi
  "${sudo[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}
