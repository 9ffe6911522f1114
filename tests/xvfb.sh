# Sourced: start_xvfb WORKDIR starts a private 640x480 X server on a free display, sets DISPLAY and xvfb (its pid).
start_xvfb() {
    exec 5>"$1/display"
    Xvfb -displayfd 5 -screen 0 640x480x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.05; done
    export DISPLAY=:$(cat "$1/display")
}
