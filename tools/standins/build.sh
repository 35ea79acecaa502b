#!/usr/bin/env bash
# Builds the demo catalogue's stand-in installers and DLLs into OUT_DIR with the MinGW
# compilers directly, so that the native server tests and serve-demo need no Windows tree.
# Usage: tools/standins/build.sh OUT_DIR [i686|x86_64]
# The installers are built for the architecture given (default i686, as the real vendors'
# installers are): a host whose Wine runs only 64-bit programs needs x86_64 ones to run them.
# The DLLs keep the bits their list gives, since they are copied into place, never run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: build.sh OUT_DIR [i686|x86_64]}
installer_arch=${2:-i686}
case "$installer_arch" in i686|x86_64) ;; *) echo "build.sh: unknown architecture '$installer_arch'" >&2; exit 2 ;; esac
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

c_string() {  # the text as a C string literal body
  local s=${1//\\/\\\\}
  printf '%s' "${s//\"/\\\"}"
}

# Fixed flags and no link timestamp, so the same sources give the same bytes (and digests);
# the signature adds no time either, so with the same test publisher the signed bytes repeat.
flags=(-O2 -s -static -Wall -Wextra -Werror -Wl,--no-insert-timestamp)

build_one() {  # compiler, source, output, config header text, extra flags...
  local cc=$1 src=$2 target=$3 config=$4; shift 4
  local dir
  dir=$(mktemp -d -p "$work")
  printf '%s\n' "$config" > "$dir/standin_config.h"
  mkdir -p "$(dirname "$target")"
  "$cc" "${flags[@]}" "$@" -I"$dir" "$here/$src" -o "$target.tmp"
  # Signed as the test publisher, as the vendors sign what the real catalogue names.
  "$here/../../scripts/sign-test-file.sh" "$target.tmp"
  mv "$target.tmp" "$target"
}

while IFS=$'\t' read -r file root subkey view args; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  [[ "$view" == 64 ]] && flag=KEY_WOW64_64KEY || flag=KEY_WOW64_32KEY
  config="#define STANDIN_ROOT $root
#define STANDIN_SUBKEY \"$(c_string "$subkey")\"
#define STANDIN_VIEW $flag
#define STANDIN_ARGS \"$(c_string "$args")\"
#define STANDIN_NAME \"$(c_string "$(basename "$file")")\""
  # The Visual C++ 2015-2022 packages share one key per architecture and record their version
  # in it; their stand-ins record a recent one.
  if [[ "$subkey" == *'VisualStudio\14.0\VC\Runtimes\'* ]]; then
    config+="
#define STANDIN_VERSION_MAJOR 14
#define STANDIN_VERSION_MINOR 44
#define STANDIN_VERSION_BUILD 35211"
  fi
  build_one "$installer_arch-w64-mingw32-gcc-posix" installer.c "$out/$file" "$config" -mwindows
done < "$here/installers.tsv"

# A class id in the third column makes the DLL a COM server that registers that class.
# --kill-at: regsvr32 asks for "DllRegisterServer", not the 32-bit stdcall "DllRegisterServer@0".
while IFS=$'\t' read -r file bits clsid; do
  [[ -z "$file" || "$file" == \#* ]] && continue
  [[ "$bits" == 64 ]] && cc=x86_64-w64-mingw32-gcc-posix || cc=i686-w64-mingw32-gcc-posix
  config="#define STANDIN_NAME \"$(c_string "$file")\""
  [[ -n "${clsid:-}" ]] && config+=$'\n'"#define STANDIN_CLSID \"$(c_string "$clsid")\""
  build_one "$cc" standin_dll.c "$out/$file" "$config" -shared -Wl,--kill-at
done < "$here/dlls.tsv"
