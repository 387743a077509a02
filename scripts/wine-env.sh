#!/usr/bin/env bash
# Source this file: it chooses the Windows build the Wine levels run, and prepares one Wine
# prefix for it, created once up front (a prefix created lazily by parallel programs breaks
# them), with no Mono/Gecko prompts and no crash dialog.
#
# VEXAL_WINE_BITS=32 or 64 chooses; left unset, the machine decides: the 32-bit build where the
# kernel runs 32-bit programs, else the 64-bit build of the same sources. VEXAL_WINE_EMULATED=1
# (set by scripts/emulated.sh) runs the 32-bit Wine under the user-mode emulator.
vexal_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$vexal_root/scripts/machine.sh"
if [ -z "${VEXAL_WINE_BITS:-}" ]; then
  if runs_i386; then
    VEXAL_WINE_BITS=32
    VEXAL_WINE_WHY="this kernel runs 32-bit programs"
  else
    VEXAL_WINE_BITS=64
    VEXAL_WINE_WHY="this kernel runs no 32-bit programs"
    [ "${VEXAL_SIMULATE_NO_I386:-0}" = 1 ] && VEXAL_WINE_WHY="VEXAL_SIMULATE_NO_I386=1 stands for a kernel that runs no 32-bit programs"
  fi
fi
: "${VEXAL_WINE_WHY:=VEXAL_WINE_BITS=$VEXAL_WINE_BITS was asked for}"
export VEXAL_WINE_BITS VEXAL_WINE_WHY
data="$HOME/.local/share/vexal"
if [ "$VEXAL_WINE_BITS" = 64 ] || [ "${VEXAL_WINE_EMULATED:-0}" = 1 ]; then
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
  if [ "$VEXAL_WINE_BITS" = 64 ]; then
    export VEXAL_WIN_BUILD="$vexal_root/build/windows64"
    export WINEPREFIX="${VEXAL_WINEPREFIX:-$data/wine64}"
  else
    # Emulated, only the 32-bit programs run under qemu: the 64-bit Wine server and loader run
    # natively and hand each 32-bit program to the 32-bit loader, as on 64-bit Windows. The prefix
    # is made inside the emulation, so that its 32-bit half (syswow64) gets filled too.
    export VEXAL_WIN_BUILD="$vexal_root/build/windows"
    export WINEPREFIX="${VEXAL_WINEPREFIX:-$data/wine-emulated}"
  fi
else
  export VEXAL_WIN_BUILD="$vexal_root/build/windows"
  # Named explicitly: with the 64-bit Wine installed beside it, Debian's wrappers would pick
  # the 64-bit server and make a 64-bit prefix.
  export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
  export WINEPREFIX="${VEXAL_WINEPREFIX:-$data/wine}"
fi
# wine, wineserver and wineboot as chosen above, for these scripts and what they start.
case ":$PATH:" in *":$vexal_root/scripts/wine-bin:"*) ;; *) export PATH="$vexal_root/scripts/wine-bin:$PATH" ;; esac
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.vexal-ready" ]; then
  mkdir -p "$WINEPREFIX"
  echo "wine: preparing the ${VEXAL_WINE_BITS}-bit prefix $WINEPREFIX (once, 10-30 s; about 3 minutes emulated)" >&2
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
  wineserver -w
  # Debian's Wine does not find its own fonts (MS Sans Serif, Marlett for the title
  # bar buttons) in every set-up; the prefix's font folder always works.
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  [ -d "$WINEPREFIX/drive_c/windows/system32" ] && touch "$WINEPREFIX/.vexal-ready"
fi

# Windows path of a Linux path, as Wine's Z: drive shows it.
winpath() { printf 'Z:%s' "$(realpath -m "$1" | sed 's#/#\\#g')"; }
