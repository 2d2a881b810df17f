# Shared by scripts/package-windows and scripts/test-windows: the cross-build for 64-bit Windows
# (Debian's mingw-w64 against the Qt for Windows and libgit2 in ../shared/windows/), the folder of DLLs a
# program needs beside it, and a Wine prefix with an Xvfb display to run the programs in.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

QUARN_SHARED="$QUARN_ROOT/../shared/windows"
QUARN_QT_VERSION=6.4.2
QUARN_WIN_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/quarntrim"
# Qt with Qt Network (network ports) and libgit2 (the shop history), each unpacked once.
QUARN_WIN_QT="$QUARN_WIN_CACHE/qt-$QUARN_QT_VERSION-network-mingw-w64"
QUARN_LIBGIT2_VERSION=1.9.7
QUARN_WIN_LIBGIT2="$QUARN_WIN_CACHE/libgit2-$QUARN_LIBGIT2_VERSION-mingw-w64"
QUARN_MINGW_RUNTIME=(
  /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
  /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
  /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
)
# Qt's libraries and plugins the programs load (the tests add Qt6Test and the offscreen platform).
# The network ports speak plain TCP and Telnet, no TLS: the tls/ plugins stay out.
QUARN_QT_DLLS=(Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport Qt6SerialPort Qt6Network)
# libgit2's library and its licence text, as the program folder carries them (once a program uses it).
QUARN_LIBGIT2_DLL=libgit2.dll
QUARN_LIBGIT2_LICENCE=libgit2-COPYING.txt
QUARN_QT_PLUGINS=(platforms/qwindows.dll styles/qwindowsvistastyle.dll imageformats/qjpeg.dll)

# The cross compiler, the host Qt tools (moc, rcc, uic), Wine, NSIS, and what the checks use.
QUARN_PACKAGES+=(
  g++-mingw-w64-x86-64-posix ninja-build qt6-base-dev-tools qt6-serialport-dev
  wine64 nsis zip unzip xvfb xauth imagemagick binutils-mingw-w64-x86-64 ccache x11-utils icoutils xdotool
  srecord ser2net git
)

# quarn_windows_unpack TARBALL_NAME FOLDER: unpacks ../shared/windows/TARBALL_NAME into the cache
# folder once, as FOLDER (a half-unpacked folder is never taken).
quarn_windows_unpack() {
  local tarball="$QUARN_SHARED/$1" folder="$2"
  [ -f "$folder/.unpacked" ] && return 0
  [ -f "$tarball" ] || { echo "error: $tarball is missing (libraries for Windows)" >&2; exit 1; }
  mkdir -p "$QUARN_WIN_CACHE"
  rm -rf "$folder"
  tar -xf "$tarball" -C "$QUARN_WIN_CACHE"
  touch "$folder/.unpacked"
}
quarn_windows_libraries() {
  quarn_windows_unpack "$(basename "$QUARN_WIN_QT").tar.xz" "$QUARN_WIN_QT"
  quarn_windows_unpack "$(basename "$QUARN_WIN_LIBGIT2").tar.xz" "$QUARN_WIN_LIBGIT2"
}

# quarn_windows_build BUILD_DIR [cmake options...] -- TARGET...: configures once, builds the targets.
quarn_windows_build() {
  local dir="$1"; shift
  local options=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
  [ "${1:-}" = "--" ] && shift
  quarn_windows_libraries
  if command -v ccache >/dev/null 2>&1; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$QUARN_ROOT")}" CCACHE_NOHASHDIR=true
  fi
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$QUARN_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$QUARN_SHARED/mingw-w64.cmake" \
      -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
      -DCMAKE_PREFIX_PATH="$QUARN_WIN_QT;$QUARN_WIN_LIBGIT2" "${options[@]}"
  fi
  cmake --build "$dir" -j"$(nproc 2>/dev/null || echo 2)" --target "$@"
}

# quarn_windows_deploy DIR [extra Qt DLL...] [extra plugin...]: puts the Qt DLLs, plugins and the
# mingw runtime beside the programs in DIR, and libgit2 with its licence once a program there links it.
quarn_windows_deploy() {
  local dir="$1"; shift
  local dlls=("${QUARN_QT_DLLS[@]}") plugins=("${QUARN_QT_PLUGINS[@]}") extra
  for extra in "$@"; do
    case "$extra" in */*) plugins+=("$extra") ;; *) dlls+=("$extra") ;; esac
  done
  local dll plugin
  for dll in "${dlls[@]}"; do cp -u "$QUARN_WIN_QT/bin/$dll.dll" "$dir/"; done
  for plugin in "${plugins[@]}"; do
    mkdir -p "$dir/$(dirname "$plugin")"
    cp -u "$QUARN_WIN_QT/plugins/$plugin" "$dir/$plugin"
  done
  cp -u "${QUARN_MINGW_RUNTIME[@]}" "$dir/"
  if quarn_windows_imports "$dir" "$QUARN_LIBGIT2_DLL"; then
    cp -u "$QUARN_WIN_LIBGIT2/bin/$QUARN_LIBGIT2_DLL" "$dir/"
    cp -u "$QUARN_WIN_LIBGIT2/COPYING" "$dir/$QUARN_LIBGIT2_LICENCE"
    cp -u "$QUARN_ROOT/packaging/windows/libgit2.txt" "$dir/"
  fi
}

# quarn_windows_imports DIR DLL: true when a program or library in DIR imports DLL.
quarn_windows_imports() {
  local file
  while read -r file; do
    quarn_program_imports "$file" "$2" && return 0
  done < <(find "$1" -maxdepth 1 \( -iname '*.exe' -o -iname '*.dll' \))
  return 1
}

# quarn_program_imports FILE DLL: true when the program or library FILE imports DLL.
quarn_program_imports() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p' | grep -qixF "$2"
}

# quarn_windows_missing_dlls DIR: prints each DLL that a program or library in DIR imports and
# that neither DIR nor Windows itself has; nothing when the folder is whole.
quarn_windows_missing_dlls() {
  local dir="$1" file name
  find "$dir" -iname '*.exe' -o -iname '*.dll' | while read -r file; do
    x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p' | while read -r name; do
      [ -e "$dir/$name" ] && continue
      # Windows' own libraries (the system folder of every installation).
      case "${name,,}" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | ole32.dll | oleaut32.dll | \
          comdlg32.dll | winspool.drv | ws2_32.dll | winmm.dll | version.dll | netapi32.dll | userenv.dll | \
          uxtheme.dll | dwmapi.dll | imm32.dll | setupapi.dll | shlwapi.dll | mpr.dll | authz.dll | \
          d3d9.dll | d3d11.dll | d3d12.dll | dxgi.dll | dwrite.dll | d2d1.dll | dxguid.dll | wtsapi32.dll | \
          msvcrt.dll | ntdll.dll | crypt32.dll | secur32.dll | bcrypt.dll | api-ms-win-*.dll | comctl32.dll | \
          opengl32.dll | shcore.dll | cfgmgr32.dll | iphlpapi.dll | dnsapi.dll | rpcrt4.dll | msimg32.dll | \
          winhttp.dll) ;;
        *) echo "$(basename "$file") needs $name" ;;
      esac
    done
  done
}

# quarn_wine_prefix DIR: a Wine prefix of its own, made once, without the Mono and Gecko prompts.
QUARN_WINE_COM=7
quarn_wine_prefix() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
  QUARN_WINE_COM_LINK="$WINEPREFIX/com$QUARN_WINE_COM-device"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Wine gives the machine's own serial devices (/dev/ttyS0, ...) the first COM numbers; a
    # program under test must meet only the emulator, never a real UART (on which Wine's port
    # waits can block for good). An entry for every COM number Wine takes from the registry
    # leaves it only COM256 to give them: COM<QUARN_WINE_COM> is the link $QUARN_WINE_COM_LINK
    # (pointed at the emulator's pseudo-terminal by the scripts), every other number nothing.
    local reg="$WINEPREFIX/ports.reg" n
    { printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
      for n in $(seq 1 255); do
        if [ "$n" = "$QUARN_WINE_COM" ]; then printf '"COM%d"="%s"\n' "$n" "$QUARN_WINE_COM_LINK"
        else printf '"COM%d"=""\n' "$n"; fi
      done; } >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
  fi
  wineserver -w
}

# quarn_wine_reg_value KEY NAME: prints the value NAME ('' for the key's default) of a registry
# key in the Wine prefix, nothing when there is none.
quarn_wine_reg_value() {
  local key="$1" name="$2" which=(/v "$2") shown="$2"
  [ -z "$name" ] && which=(/ve) shown='(Default)'
  wine reg query "$key" "${which[@]}" 2>/dev/null | tr -d '\r' |
    awk -v name="$shown" '{ line = $0; sub(/^ +/, "", line) }
      index(line, name "    REG_") == 1 { sub(/^[^ ]+( [^ ]+)* +REG_[A-Z_]+ +/, "", line); print line; exit }'
}

# quarn_lnk_icon FILE: prints the icon of a Windows shortcut (.lnk) as "PATH,INDEX", nothing
# when it names none. Reads the shortcut's header and string fields (little-endian, UTF-16).
quarn_lnk_icon() {
  perl -e '
    local $/; open(my $f, "<:raw", $ARGV[0]) or exit 1; my $d = <$f>;
    my $flags = unpack("V", substr($d, 20, 4)); my $index = unpack("l<", substr($d, 56, 4));
    my $at = 0x4C;
    $at += 2 + unpack("v", substr($d, $at, 2)) if $flags & 0x01;    # target ID list
    $at += unpack("V", substr($d, $at, 4)) if $flags & 0x02;        # link info
    for my $bit (0x04, 0x08, 0x10, 0x20, 0x40) {   # name, path, folder, arguments, icon
      next unless $flags & $bit;
      my $chars = unpack("v", substr($d, $at, 2));
      my $text = substr($d, $at + 2, 2 * $chars); $at += 2 + 2 * $chars;
      if ($bit == 0x40) { require Encode; print Encode::decode("UTF-16LE", $text) =~ s/\0+\z//r, ",$index"; }
    }' "$1"
}

# quarn_wine_windows_path UNIX_PATH: the path as a Windows program sees it (Wine's Z: drive).
quarn_wine_windows_path() {
  printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"
}

# quarn_xvfb: starts a virtual display for the window and exports DISPLAY; quarn_xvfb_stop ends it.
QUARN_XVFB_PID=""
quarn_xvfb() {
  local fdfile
  fdfile="$(mktemp)"
  Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$fdfile" >/dev/null 2>&1 &
  QUARN_XVFB_PID=$!
  local deadline=$((SECONDS + 30))
  while [ ! -s "$fdfile" ]; do
    if [ $SECONDS -ge $deadline ] || ! kill -0 "$QUARN_XVFB_PID" 2>/dev/null; then
      echo "error: Xvfb did not start" >&2; rm -f "$fdfile"; return 1
    fi
    sleep 0.1
  done
  export DISPLAY=":$(tr -d '\n' <"$fdfile")"
  rm -f "$fdfile"
}
quarn_xvfb_stop() {
  [ -n "$QUARN_XVFB_PID" ] || return 0
  kill "$QUARN_XVFB_PID" 2>/dev/null || true
  wait "$QUARN_XVFB_PID" 2>/dev/null || true
  QUARN_XVFB_PID=""
}

# quarn_wait_for SECONDS COMMAND...: runs COMMAND until it succeeds or SECONDS pass (non-zero then).
quarn_wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.5
  done
}

# quarn_window_exists TITLE: a program has made a window of that title on the display (the main
# window stays unmapped while the splash in front of it waits for its OK).
quarn_window_exists() {
  xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\""
}

# quarn_press_ok SECONDS TITLE: answers the window of that title (a box, the splash) with its
# default button once it shows: a click on its middle makes it the active window, and Return then
# presses the button; each Return follows a fresh check that the window is still there, so none
# reaches the window behind it. Repeated until the window has gone; non-zero when no such window
# shows by then or it stays.
quarn_press_ok() {
  local deadline=$((SECONDS + $1)) title="$2" id="" WINDOW X Y WIDTH HEIGHT SCREEN
  visible() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null; }
  until id="$(visible | tail -n 1)"; [ -n "$id" ]; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.5
  done
  while visible | grep -qx "$id"; do
    [ $SECONDS -ge $deadline ] && return 1
    if eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)"; then
      xdotool mousemove --window "$id" $((WIDTH / 2)) $((HEIGHT / 2)) click 1 sleep 0.3 key Return 2>/dev/null || true
    fi
    sleep 0.5
  done
}

# quarn_screenshot SECONDS FILE: takes a picture of the whole display into FILE once something is
# drawn on it (a window mapped a moment ago may still be black); non-zero if nothing is by then.
quarn_screenshot() {
  local file="$2"
  drawn() {
    import -window root "$file" 2>/dev/null &&
      [ "$(convert "$file" -format '%[fx:mean > 0.02]' info: 2>/dev/null)" = 1 ]
  }
  quarn_wait_for "$1" drawn
}

# quarn_linux_sim: builds the controller emulator for Linux (only its target, in the sanitizer
# build scripts/test makes, configured as scripts/test does when it is not there yet) and sets
# QUARN_SIM to it.
quarn_linux_sim() {
  local linux="$QUARN_ROOT/build-test"
  if [ ! -f "$linux/CMakeCache.txt" ]; then
    cmake -S "$QUARN_ROOT" -B "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUARN_SANITIZE=ON -DQUARN_TESTS=ON
  fi
  cmake --build "$linux" -j"$(nproc 2>/dev/null || echo 2)" --target quarn-sim
  QUARN_SIM="$linux/bin/quarn-sim"
}

# quarn_wine_history: the window's and the command line's history folder in the Wine prefix
# (%LOCALAPPDATA%\Halvern\QuarnTrim\history, a bare git repository), as a Linux path.
quarn_wine_history() {
  printf '%s/%s/AppData/Local/Halvern/QuarnTrim/history' "$(winepath -u 'C:\users' 2>/dev/null)" "$(whoami)"
}

# quarn_history_commits HISTORY: how many events the history repository holds (0 before the first).
quarn_history_commits() {
  git --git-dir="$1" rev-list --count HEAD 2>/dev/null || echo 0
}

# quarn_history_holds HISTORY FILE: the history's latest tree holds an image of FILE's bytes.
quarn_history_holds() {
  local blob
  blob="$(git hash-object "$2")"
  git --git-dir="$1" ls-tree -r HEAD 2>/dev/null | grep -q " $blob	.*\.joy\$"
}

# quarn_history_latest_image HISTORY FILE: writes the image the latest event kept into FILE.
quarn_history_latest_image() {
  local path
  path="$(git --git-dir="$1" log -1 --name-only --format= -- '*.joy' | head -n 1)"
  [ -n "$path" ] && git --git-dir="$1" show "HEAD:$path" >"$2"
}

# quarn_image FILE FACTOR OFFSET: a 256-byte image whose byte k is (k * FACTOR + OFFSET) mod 256,
# unlike any image the emulator holds by default.
quarn_image() {
  perl -e 'print pack("C*", map { ($_ * $ARGV[0] + $ARGV[1]) % 256 } 0 .. 255)' "$2" "$3" >"$1"
}

# quarn_sim_on_com LOG [emulator options...]: starts the emulator on a pseudo-terminal of its own
# (no device map entry) and links Wine's COM port to it; quarn_sim_stop ends it.
QUARN_SIM_PID=""
quarn_sim_on_com() {
  local log="$1"; shift
  "$QUARN_SIM" "$@" >"$log" 2>&1 &
  QUARN_SIM_PID=$!
  sim_device() { sed -n 's/^device \(\/dev\/.*\)$/\1/p' "$log" | head -n 1 | grep .; }
  if ! quarn_wait_for 60 sim_device >/dev/null; then
    echo "error: the emulator did not start" >&2
    cat "$log" >&2
    return 1
  fi
  ln -sfn "$(sim_device)" "$QUARN_WINE_COM_LINK"
  echo "emulator on $(sim_device), Wine's COM$QUARN_WINE_COM"
}
quarn_sim_stop() {
  [ -n "$QUARN_SIM_PID" ] || return 0
  kill "$QUARN_SIM_PID" 2>/dev/null || true
  wait "$QUARN_SIM_PID" 2>/dev/null || true
  QUARN_SIM_PID=""
}

# quarn_window_download HISTORY PICTURE LOG COMMAND...: the window on Wine's COM port, the port
# stored as its "COM Port" setting, started by COMMAND (output in LOG). Once its splash is
# answered it connects, downloads the controller's image (an event in the HISTORY repository) and
# says so in a box; once that is answered the page is photographed into PICTURE. Sets
# QUARN_WINDOW_DOWNLOAD to the downloaded image (written beside PICTURE); says on standard error what did not happen, and
# returns non-zero then.
QUARN_WINDOW_TITLE='Quarn Configuration Tool'
QUARN_BOX_TITLE=QuarnTrim   # the splash's and every box's
QUARN_WINDOW_DEADLINE_S=300
quarn_window_download() {
  local history="$1" picture="$2" log="$3"; shift 3
  local status=0 before window
  QUARN_WINDOW_DOWNLOAD=""
  wine reg add 'HKCU\Software\Halvern\QuarnTrim\Settings' /v 'COM Port' /d "$QUARN_WINE_COM" /f >/dev/null 2>&1
  # The history may not exist yet: no events, not a failure.
  before="$(quarn_history_commits "$history")"
  # Its shell stays (and says nothing) when the window is killed at the end.
  ("$@" >"$log" 2>&1; exit 0) 2>/dev/null &
  window=$!
  downloaded() { [ "$(quarn_history_commits "$history")" -gt "$before" ]; }
  if ! quarn_press_ok "$QUARN_WINDOW_DEADLINE_S" "$QUARN_BOX_TITLE"; then
    echo "the window's splash did not show or did not close" >&2
    status=1
  elif ! quarn_wait_for "$QUARN_WINDOW_DEADLINE_S" downloaded; then
    echo "the window downloaded nothing within $QUARN_WINDOW_DEADLINE_S s (log: $log)" >&2
    status=1
  else
    QUARN_WINDOW_DOWNLOAD="$(dirname "$picture")/window-download.joy"
    quarn_history_latest_image "$history" "$QUARN_WINDOW_DOWNLOAD" || { echo "the history kept no image" >&2; status=1; }
    # The page is drawn once the download's box is answered.
    quarn_press_ok 60 "$QUARN_BOX_TITLE" || { echo "no box said the download was done" >&2; status=1; }
    quarn_wait_for 60 quarn_window_exists "$QUARN_WINDOW_TITLE" || { echo "no window on the display" >&2; status=1; }
  fi
  quarn_screenshot 60 "$picture" || import -window root "$picture" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wait "$window" 2>/dev/null || true
  return "$status"
}

# The project's version, as CMakeLists.txt gives it.
quarn_version() {
  sed -n 's/^project(QuarnTrim VERSION \([0-9.]*\).*/\1/p' "$QUARN_ROOT/CMakeLists.txt"
}

# quarn_stop_background VARIABLE: ends the background process whose id VARIABLE holds, if any,
# and empties VARIABLE.
quarn_stop_background() {
  local -n pid="$1"
  [ -n "$pid" ] || return 0
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
}

# quarn_free_port: prints a TCP port on 127.0.0.1 that nobody listens on now.
quarn_free_port() {
  perl -MIO::Socket::INET -e 'my $s = IO::Socket::INET->new(LocalAddr => "127.0.0.1", LocalPort => 0, Listen => 1) or die; print $s->sockport'
}

# quarn_port_listens PORT: something accepts connections on 127.0.0.1:PORT.
quarn_port_listens() {
  (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null
}

# quarn_ser2net_start DEVICE LOG RAW_PORT RFC2217_PORT: Debian's ser2net serving DEVICE (the
# emulator's pseudo-terminal, 9600 8N1, modem lines ignored) on 127.0.0.1, as raw TCP on RAW_PORT
# and as Telnet with Com Port Control on RFC2217_PORT; quarn_ser2net_stop ends it.
QUARN_SER2NET_PID=""
quarn_ser2net_start() {
  local device="$1" log="$2" raw="$3" rfc="$4" config
  command -v ser2net >/dev/null || { echo "error: ser2net is not installed (apt-get install ser2net)" >&2; return 1; }
  config="$(dirname "$log")/ser2net.yaml"
  cat >"$config" <<YAML
%YAML 1.1
---
connection: &raw
  accepter: tcp,127.0.0.1,$raw
  connector: serialdev,$device,9600n81,local
connection: &rfc2217
  accepter: telnet(rfc2217),tcp,127.0.0.1,$rfc
  connector: serialdev,$device,9600n81,local
YAML
  ser2net -n -d -c "$config" >"$log" 2>&1 &
  QUARN_SER2NET_PID=$!
  serving() { kill -0 "$QUARN_SER2NET_PID" 2>/dev/null && quarn_port_listens "$raw" && quarn_port_listens "$rfc"; }
  quarn_wait_for 30 serving || { echo "error: ser2net did not serve $device (log: $log)" >&2; return 1; }
}
quarn_ser2net_stop() { quarn_stop_background QUARN_SER2NET_PID; }

# quarn_git_daemon_start BASE LOG PORT: Debian's git daemon serving the repositories under BASE
# on 127.0.0.1:PORT, pushing allowed (for tests only); quarn_git_daemon_stop ends it.
QUARN_GIT_DAEMON_PID=""
quarn_git_daemon_start() {
  local base="$1" log="$2" port="$3"
  git daemon --listen=127.0.0.1 --port="$port" --base-path="$base" --export-all --enable=receive-pack \
    --reuseaddr "$base" >"$log" 2>&1 &
  QUARN_GIT_DAEMON_PID=$!
  serving() { kill -0 "$QUARN_GIT_DAEMON_PID" 2>/dev/null && quarn_port_listens "$port"; }
  quarn_wait_for 30 serving || { echo "error: git daemon did not start (log: $log)" >&2; return 1; }
}
quarn_git_daemon_stop() { quarn_stop_background QUARN_GIT_DAEMON_PID; }
