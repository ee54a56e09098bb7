# Cross build for Debian arm64 (Raspberry Pi OS 64-bit and other Debian 12 arm64
# systems) on an amd64 Debian 12 with the multiarch packages scripts/cross-setup
# installs. The compilers and pkg-config are the aarch64-linux-gnu ones; the
# libraries are found in the multiarch folders (/usr/lib/aarch64-linux-gnu) by their
# architecture name. CMAKE_FIND_ROOT_PATH stays unset: it would re-root /usr, and Qt
# is then not found. Qt's tools (moc, rcc, lrelease) run on the build machine and come
# from its own Qt.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "pkg-config of the arm64 libraries")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
# Programs built here run under qemu-user (scripts/arm64-smoke); ctest starts them so.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
