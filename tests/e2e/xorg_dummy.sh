# Xorg servers with the dummy video driver, for tests and pictures: real RandR modes that can
# be switched and restored, and real OpenGL through Mesa. Source this file; it sets work (a
# scratch folder) and servers (an array that collects the server pids), both gone at the end
# with what the script adds to cleanup_more.
work=$(mktemp -d)
servers=()
cleanup_more=""
end_servers() {
    eval "$cleanup_more"
    for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap end_servers EXIT

# A dummy server on DISPLAY with the modes given, the first current; the script ends without.
dummy_display() {
    start_server DISPLAY "$@" || exit 1
    export DISPLAY
}

xorg_binary() {
    # The server itself rather than the console-user wrapper, so that it runs for anybody.
    if [ -x /usr/lib/xorg/Xorg ]; then echo /usr/lib/xorg/Xorg; else command -v Xorg; fi
}

free_display() {
    local n=40
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    echo "$n"
}

# start_server VAR MODE... : an Xorg dummy server whose first mode is the one it starts in.
start_server() {
    local var=$1
    shift
    local n
    n=$(free_display)
    local conf="$work/xorg-$n.conf"
    local modes=""
    for m in "$@"; do modes="$modes \"$m\""; done
    cat >"$conf" <<EOF
Section "Monitor"
  Identifier "Monitor0"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1920x1200" 193.25 1920 2056 2256 2592 1200 1203 1209 1245 -hsync +vsync
  Modeline "1920x1080" 148.50 1920 2008 2052 2200 1080 1084 1089 1125 +hsync +vsync
  Modeline "1680x1050" 146.25 1680 1784 1960 2240 1050 1053 1059 1089 -hsync +vsync
EndSection
Section "Device"
  Identifier "Card0"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Screen"
  Identifier "Screen0"
  Device "Card0"
  Monitor "Monitor0"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes $modes
  EndSubSection
EndSection
Section "ServerFlags"
  Option "AutoAddDevices" "false"
EndSection
EOF
    mkdir -p "$work/empty"
    "$(xorg_binary)" ":$n" -config "$conf" -configdir "$work/empty" -logfile "$work/xorg-$n.log" \
        -noreset -nolisten tcp >"$work/xorg-$n.out" 2>&1 &
    servers+=($!)
    for _ in $(seq 100); do
        if DISPLAY=":$n" xrandr --current >/dev/null 2>&1; then
            printf -v "$var" ':%s' "$n"
            return 0
        fi
        sleep 0.1
    done
    echo "could not start Xorg :$n"
    cat "$work/xorg-$n.out" "$work/xorg-$n.log" 2>/dev/null | tail -20
    return 1
}

current_mode() { xrandr --current | awk '/\*/ { print $1; exit }'; }

