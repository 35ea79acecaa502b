#!/usr/bin/env bash
# Tells which Windows test suites this host can run, on stdout: "32 64" where the kernel runs
# 32-bit Linux programs (Debian's Wine starts a 32-bit Windows program only through its 32-bit
# loader), "64" where it does not. It asks the kernel with a tiny hand-made 32-bit program
# rather than guessing from the kernel's name or configuration, and says on stderr what it
# found. TESSAVANE_WINDOWS_SUITES=64 forces the 64-bit-only path on any host.
set -euo pipefail

case "${TESSAVANE_WINDOWS_SUITES:-}" in
  "") ;;
  64) echo "host-kind: TESSAVANE_WINDOWS_SUITES=64: taking the 64-bit-only path" >&2; echo 64; exit 0 ;;
  *) echo "host-kind: TESSAVANE_WINDOWS_SUITES may only be 64 (or unset), not '$TESSAVANE_WINDOWS_SUITES'" >&2; exit 2 ;;
esac

probe=$(mktemp)
trap 'rm -f "$probe"' EXIT
# A static i386 ELF: one PT_LOAD segment of 96 bytes at 0x08048000 whose code, at 0x54, is
# "mov eax,1; mov ebx,7; int 0x80" (exit(7)). Exit code 7 can only come from it having run.
elf_header='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
elf_header+='\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
elf_header+='\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
program_header='\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
program_header+='\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
code='\xb8\x01\x00\x00\x00\xbb\x07\x00\x00\x00\xcd\x80'
printf "$elf_header$program_header$code" > "$probe"
chmod +x "$probe"

rc=0
"$probe" 2>/dev/null || rc=$?
if [ "$rc" -eq 7 ]; then
  echo "host-kind: this host runs 32-bit programs: both Windows suites (i686 and x86_64)" >&2
  echo "32 64"
else
  echo "host-kind: this host does not run 32-bit programs (a 32-bit probe ended with $rc): the x86_64 Windows suite only" >&2
  echo 64
fi
