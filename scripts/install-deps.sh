#!/bin/sh
# Installs the Debian packages Quorvel needs to build, run and test, when any
# is missing. Runs as root, or through sudo when available.
set -e

# Build: compiler, CMake, Qt 6 (with Charts, which needs libqt6opengl6-dev),
# SQLite, mustache, libxlsxwriter (whose pkg-config file asks for zlib),
# libzip (the imported .xlsx files), libqpdf (the PDF files' text maps,
# language and author; its qpdf tool reads them back in the tests).
# Tests: Xvfb, fonts, poppler-utils (pdftotext, pdfinfo), unzip, and
# desktop-file-utils and appstream to validate the installed desktop files.
# Benchmarks: libxcb1-dev (the start-up stopwatch). Packaging: file (for
# CPack's dependency scan).
# Team store: libpq (the client library), and PostgreSQL 15 with
# postgresql-common for the throwaway servers the tests start.
PACKAGES="build-essential cmake pkg-config clang-format \
qt6-base-dev libqt6opengl6-dev libqt6sql6-sqlite qt6-tools-dev qt6-tools-dev-tools \
qt6-svg-dev qt6-charts-dev qt6-translations-l10n libsqlite3-dev \
libkainjow-mustache-dev libxlsxwriter-dev zlib1g-dev \
xvfb xauth fonts-dejavu-core poppler-utils unzip \
desktop-file-utils appstream libxcb1-dev file \
libzip-dev libpq-dev postgresql postgresql-common libqpdf-dev qpdf"

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
