# Sourced by the scripts that install Debian packages: the package lists, in
# one place, and how they are installed.

# Building the two programs and their Debian package (cpack), and running
# them: what ./scripts/run needs.
build_packages=(
    g++ cmake make pkg-config
    qt6-base-dev libgl-dev libxkbcommon-dev
    libcli11-dev
    fonts-liberation fontconfig
    dpkg-dev file help2man
)
# What the test suite adds (./scripts/test): GoogleTest, the locales the
# number tests switch to, a private X server for the smoke tests, and the
# benchmarks that the same build compiles.
test_packages=(
    libgtest-dev libgmock-dev
    locales-all
    xvfb xauth x11-utils
    libbenchmark-dev libxcb-damage0-dev
)
# The portable extended arithmetic (preset portable, scripts/differential):
# Boost.Multiprecision's headers for the exact decimal conversion.
portable_packages=(libboost-dev)
# The aarch64 build under qemu (scripts/cross-aarch64).
cross_packages=(g++-aarch64-linux-gnu qemu-user libboost-dev libgtest-dev libcli11-dev cmake)
# The fuzz targets (fuzz/run, CI): clang with libFuzzer.
fuzz_packages=(clang libclang-rt-dev llvm)

# as_root COMMAND...: runs COMMAND as root, directly or through sudo. sudo
# starts from a clean environment, so DEBIAN_FRONTEND is handed to apt
# after it.
as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        env DEBIAN_FRONTEND=noninteractive "$@"
    elif command -v sudo >/dev/null; then
        sudo env DEBIAN_FRONTEND=noninteractive "$@"
    else
        echo "$(basename "$0"): this needs root, and sudo is not installed. As root, run" >&2
        echo "    $*" >&2
        echo "then run this command again (or install sudo and add yourself to the group sudo)." >&2
        exit 1
    fi
}

# install_missing PACKAGE...: installs with apt-get those that are not
# installed yet; nothing when all are.
install_missing() {
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    ((${#missing[@]})) || return 0
    if [[ $(id -u) -ne 0 ]] && ! command -v sudo >/dev/null; then
        echo "$(basename "$0"): these Debian packages are missing: ${missing[*]}" >&2
        echo "Installing them needs root, and sudo is not installed. As root, run" >&2
        echo "    apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
        echo "then run this command again." >&2
        exit 1
    fi
    echo "$(basename "$0"): installing ${missing[*]}"
    as_root apt-get update
    as_root apt-get install -y --no-install-recommends "${missing[@]}"
}
