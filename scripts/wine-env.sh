#!/usr/bin/env bash
# Source this file: it prepares one Wine prefix for the project, created once up front
# (a prefix created lazily by parallel programs breaks them), with no Mono/Gecko
# prompts and no crash dialog.
export WINEPREFIX="${VEXAL_WINEPREFIX:-$HOME/.local/share/vexal/wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.vexal-ready" ]; then
  mkdir -p "$WINEPREFIX"
  echo "wine: preparing the prefix $WINEPREFIX (once, 10-30 s)" >&2
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
