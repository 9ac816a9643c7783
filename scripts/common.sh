# Shared by scripts/run and scripts/test: install what a fresh Debian 12
# machine lacks, then configure and build in build/.

LYR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LYR_BUILD=${LYR_BUILD:-$LYR_ROOT/build}

LYR_PACKAGES=(
    g++ make cmake pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libqcustomplot-dev libqcustomplot2.1-qt6
    librtmidi-dev jackd2 libjack-jackd2-dev
    libbenchmark-dev
    xvfb xauth fonts-dejavu-core
)

lyr_install() {
    local missing=()
    for p in "${LYR_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q "${missing[@]}"
}

lyr_build() {
    cmake -S "$LYR_ROOT" -B "$LYR_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$LYR_BUILD" -j "$(nproc)"
}

# Starts a private JACK server with the dummy driver and exports its name, so
# every RtMidi client of this shell and its children lands on it. The server
# is stopped by lyr_stop_jack (the callers trap it on exit).
#   lyr_start_jack NAME [PERIOD]
# PERIOD is the cycle in frames at 48 kHz, 1024 (21 ms) unless given: MIDI
# crosses the server once per cycle, so each exchange with the module waits
# about two of them.
# The server runs synchronously (-S): a client that is late on a busy machine
# delays the cycle instead of missing it, and a missed cycle loses the MIDI
# that crossed in it.
lyr_start_jack() {
    LYR_JACK_NAME="lyr-$1-$$"
    export JACK_NO_START_SERVER=1
    jackd -n "$LYR_JACK_NAME" -S --no-realtime -d dummy -r 48000 -p "${2:-1024}" >"$LYR_BUILD/jackd-$1.log" 2>&1 &
    LYR_JACK_PID=$!
    export JACK_DEFAULT_SERVER="$LYR_JACK_NAME"
    if ! timeout 20 jack_wait -w -s "$LYR_JACK_NAME" >/dev/null 2>&1; then
        echo "JACK server did not start:" >&2
        cat "$LYR_BUILD/jackd-$1.log" >&2
        return 1
    fi
}

# A server with clients still attached can take its time over SIGTERM: give it
# five seconds, then make sure.
lyr_stop_jack() {
    if [ -n "${LYR_JACK_PID:-}" ]; then
        kill "$LYR_JACK_PID" 2>/dev/null || true
        for _ in $(seq 1 50); do
            kill -0 "$LYR_JACK_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$LYR_JACK_PID" 2>/dev/null || true
        wait "$LYR_JACK_PID" 2>/dev/null || true
        LYR_JACK_PID=""
    fi
}
