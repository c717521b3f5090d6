#!/usr/bin/env bash
# Succeeds when this machine runs 32-bit x86 programs, which the 32-bit Wine
# (wine32) is. Many x86-64 kernels do, but one built or booted without IA-32
# emulation (ia32_emulation=off) cannot, and there a wine32 beside wine64 stops
# every Windows program from starting, the 64-bit ones too: Debian's wine
# starts the 32-bit loader first. Otherwise prints why, in one line, and fails.
#
# The test runs the smallest 32-bit program there is: a Linux ELF file whose
# only instructions end it with exit code 42.
set -euo pipefail
probe=$(mktemp /tmp/warblet-32-bit.XXXXXX)
trap 'rm -f "$probe"' EXIT
# ELF header (52 bytes): 32-bit, little-endian, an executable for the 386,
# entered at 0x08048054, one program header right after this header.
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' >"$probe"
printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' >>"$probe"
printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00' >>"$probe"
# Program header (32 bytes): the whole 96-byte file, readable and executable,
# loaded at 0x08048000.
printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08' >>"$probe"
printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' >>"$probe"
# mov eax, 1 (exit); mov ebx, 42; int 0x80
printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >>"$probe"
chmod +x "$probe"
status=0
"$probe" 2>/dev/null || status=$?
[ "$status" -eq 42 ] && exit 0
echo "this machine cannot run 32-bit x86 programs (a 32-bit test program ended with status $status;" \
  "the kernel may have IA-32 emulation off: ia32_emulation=on on its command line turns it on)" >&2
exit 1
