#!/usr/bin/env bash
# Source this file: what this machine's kernel runs decides which Windows build the
# Wine levels use. Some virtual machines run no 32-bit Linux program at all (every
# i386 ELF gives "Exec format error"), and with it no 32-bit Wine; there the 64-bit
# build of the same sources runs natively, and the 32-bit Vexal.exe runs under
# user-mode emulation.

# True when a tiny static i386 program (exit(42) through int 0x80) runs.
# VEXAL_SIMULATE_NO_I386=1 answers "no" on a machine that could, to try the other path.
runs_i386() {
  [ "${VEXAL_SIMULATE_NO_I386:-0}" = 1 ] && return 1
  local probe rc
  probe=$(mktemp)
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null
  rc=$?
  rm -f "$probe"
  [ $rc -eq 42 ]
}
