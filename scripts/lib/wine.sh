# Which Wine loader runs a suite's programs. Sourced by the scripts that start Wine.
#   wine_use_suite 32|64   sets $wine to the loader to exec and exports what it needs.
# Debian's `wine` picks the 32-bit loader whenever wine32 is installed, and that loader
# cannot start where the kernel runs no 32-bit program; the x86_64 suite therefore names the
# 64-bit loader itself, on every host, so it runs the same way everywhere.
wine_use_suite() {
  case "$1" in
    32) wine=wine ;;
    64) wine=/usr/lib/wine/wine64; export WINELOADER=$wine ;;
    *) echo "unknown Windows suite '$1' (32 or 64)" >&2; return 2 ;;
  esac
}
