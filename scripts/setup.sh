#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine for Qorvana, builds it, and then either runs the program
# on a demo company (`run`) or runs every test (`test`), the short fuzz runs included.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"

packages=(qt6-base-dev libgl-dev libegl-dev libxkbcommon-dev fonts-dejavu-core fonts-liberation2 cmake
          ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang clang-format
          libclang-rt-14-dev libcurl4-openssl-dev libxml2-dev libxml2-utils python3-aiosmtpd
          poppler-utils libssl-dev openssl dovecot-imapd
          locales)

install_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        # Through env, so that sudo's clean environment keeps the non-interactive setting.
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
        # dovecot-imapd is for the tests, which start their own server on 127.0.0.1: the
        # system service the package may start is stopped and left off.
        if [[ " ${missing[*]} " == *" dovecot-imapd "* ]] && command -v systemctl >/dev/null; then
            $sudo systemctl disable --now dovecot >/dev/null 2>&1 || true
        fi
    fi
    # Every test runs under an Italian desktop's locale too, the number tests under a US one.
    if ! locale -a 2>/dev/null | grep -qi '^it_IT.utf8$' || ! locale -a 2>/dev/null | grep -qi '^en_US.utf8$'; then
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo sed -i -e 's/^# *\(it_IT.UTF-8\)/\1/' -e 's/^# *\(en_US.UTF-8\)/\1/' /etc/locale.gen
        $sudo locale-gen >/dev/null
    fi
}

build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

case "${1:-}" in
    run)
        install_packages
        build release
        bin="$here/build/release"
        demo="$here/demo"
        rm -rf "$demo"
        "$bin/tools/demo/qorvana-demo" --drive "$demo" --einvoices-all 1
        # The module starts the PDF program as \qorwin\qorwin\qorxpdf under the drive root.
        cp "$bin/tools/qorxpdf/qorxpdf" "$demo/qorwin/qorwin/qorxpdf"
        if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
            exec "$bin/app/qorvana" --drive "$demo" --company 1
        fi
        echo "No display: running the demo operator script offscreen instead."
        out="$here/demo/print"
        mkdir -p "$out"
        QT_QPA_PLATFORM=offscreen "$bin/app/qorvana" --drive "$demo" --company 1 \
            --now "06/12/2026 10:00" --print-to "$out" --replay "$here/tests/scripts/demo.qrs"
        echo "Demo company: $demo/qorwin/qorwin/qoraz0.001"
        echo "Printed copies (if any): $out"
        ;;
    test)
        install_packages
        build dev
        ctest --preset dev -j "$(nproc)"
        # The readers of outside data under libFuzzer (clang): a few seconds of each harness.
        build fuzz
        ctest --preset fuzz -j "$(nproc)"
        ;;
    *)
        echo "usage: scripts/setup.sh run|test" >&2
        exit 2
        ;;
esac
