# A private X display and Wine prefix in which the Windows program can be
# driven as a user would drive it: sourced by the end-to-end tests and by the
# benchmark of the program under Wine.

wine_session_xvfb=

# wine_session_start WORK: starts Xvfb on a free display number (exported as
# DISPLAY) and makes a Wine prefix in WORK/prefix (exported as WINEPREFIX).
# No window manager runs, so Wine is told to handle the windows itself
# (otherwise it waits for a manager on every window it hides), the captions
# get a Japanese font, the controls are drawn in Wine's light visual style (as
# on Windows, where the program's manifest asks for the styled controls), and
# a crash ends the program without a dialog. The
# Wine server stays up, so each program starts quickly. Returns non-zero when
# Xvfb does not start.
wine_session_start() {
  local work=$1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  wine_session_xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=:$(tr -d '\n' <"$work/display")

  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  # The title-bar buttons are glyphs of the Marlett font (package fonts-wine),
  # which this Wine does not look for where the package puts it.
  ln -sf /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
  cat >"$work/settings.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Tahoma"="IPAGothic"

[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]
"ThemeActive"="1"
"DllName"="C:\\windows\\resources\\themes\\light\\light.msstyles"
"ColorName"="Blue"
"SizeName"="NormalSize"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
  wine regedit /S "$(winepath -w "$work/settings.reg" 2>/dev/null)" >/dev/null 2>&1
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
}

# Stops the Wine server and the display.
wine_session_end() {
  wineserver -k 2>/dev/null || true
  if [ -n "$wine_session_xvfb" ]; then kill "$wine_session_xvfb" 2>/dev/null || true; fi
}
