# Cross-builds for the arm64 phones on a Debian amd64 machine with the arm64 libraries installed
# beside its own (multiarch, no sysroot): scripts/build-arm64 makes such a machine in a chroot.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(PKG_CONFIG_EXECUTABLE /usr/bin/aarch64-linux-gnu-pkg-config)
# Runs the arm64 programs the build and the tests start (the data files' enciphering, ctest).
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/qemu-aarch64-static)
# Without it cpack names the package after the building machine's architecture.
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE arm64)
