#!/bin/sh
# Installs the Debian packages Quorvel needs to build, run and test, when any
# is missing. Runs as root, or through sudo when available.
set -e

PACKAGES="build-essential cmake qt6-base-dev libqt6opengl6-dev libqt6sql6-sqlite \
qt6-tools-dev qt6-tools-dev-tools qt6-svg-dev libsqlite3-dev \
libkainjow-mustache-dev xvfb xauth fonts-dejavu-core \
libxlsxwriter-dev qt6-translations-l10n qt6-charts-dev pkg-config clang-format"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi

echo "Installing:$missing"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
