# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by run.sh and test.sh: installs the Debian packages the build needs,
# only those that are missing, with one apt-get update at most. unrtf is no
# part of the build: bench_rtf compares the RTF reader with it. lintian and
# appstream check the package, help2man makes the manual page. neovim is
# the real client the language server's ctest drives.
TORVANE_PACKAGES="cmake ninja-build g++ pkg-config libticables-dev libticalcs-dev libtifiles-dev libticonv-dev libusb-1.0-0-dev qt6-base-dev libqt6sql6-sqlite qt6-webengine-dev libgl-dev libgif-dev fonts-dejavu-core python3-fonttools clang-format desktop-file-utils shared-mime-info dpkg-dev unrtf lintian appstream help2man neovim"

torvane_install_missing() {
    local missing=""
    for p in $TORVANE_PACKAGES "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "Installing missing packages:$missing"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq || return 1
    # shellcheck disable=SC2086
    $sudo apt-get install -y -qq --no-install-recommends $missing || return 1
}

torvane_build() {
    local dir="$1"; shift
    cmake -S "$TORVANE_ROOT" -B "$dir" -G Ninja "$@" || return 1
    cmake --build "$dir" -j2 || return 1
}
