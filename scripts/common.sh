# Shared by ./run, ./test and bench/run: installs what a fresh Debian 12 machine lacks and
# builds the project. Sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${ORVANE_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
    g++ cmake ninja-build pkg-config
    libbz2-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-arphic-uming fonts-wqy-microhei fonts-liberation2
    xvfb xauth
    # the desktop suite (tests/desktop): window manager, buses, AT-SPI client, input, pictures
    openbox dbus at-spi2-core python3-pyatspi xdotool xclip imagemagick x11-utils
    # print and PDF: the tests read exported PDFs back as text and pictures
    poppler-utils
)

# What fuzz/run needs beyond PACKAGES: clang and its runtimes (libFuzzer, sanitizers). Kept out
# of PACKAGES so that ./run and ./test do not pull a second compiler onto a reader's machine.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# install_packages [more packages...]: PACKAGES and the ones named, those that are missing.
install_packages() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; exit 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# build [extra cmake args...]
build() {
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}
