#!/usr/bin/env bash
# Whether this machine's kernel runs 32-bit x86 programs, which a 32-bit Wine needs (some kernels
# are built without them): a program of a few instructions that only exits, assembled and run.
# Exit status 0 when it does; prints nothing.
set -u
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
printf '.globl _start\n_start:\n  mov $1, %%eax\n  xor %%ebx, %%ebx\n  int $0x80\n' >"$work/exit.s"
as --32 -o "$work/exit.o" "$work/exit.s" 2>/dev/null &&
  ld -m elf_i386 -o "$work/exit" "$work/exit.o" 2>/dev/null &&
  "$work/exit" 2>/dev/null
