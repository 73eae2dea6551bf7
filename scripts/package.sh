#!/usr/bin/env bash
# Installs what is missing, builds and makes the Debian package
# build/tovik-viewer_<version>_<arch>.deb; install it with
#   sudo apt install ./build/tovik-viewer_*.deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tovik_install
tovik_build
cd "$BUILD_DIR"
cpack -G DEB
