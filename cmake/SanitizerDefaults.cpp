// SPDX-License-Identifier: MIT
// Linked into every program of a sanitized build (ZIBO_SANITIZE=ON), so the game, the tests and
// the tools run the leak check alike whether started by scripts/test, ctest or by hand. Options
// given in LSAN_OPTIONS are read after these and add to them.
//
// intercept_tls_get_addr=0: the leak check no longer guesses where the thread-local blocks of
// libraries loaded at run time lie. Its guess takes any such block that starts 16 bytes into a
// page for one with a 16-byte header in front and reads the block's place and size from that
// header. The software OpenGL driver's compiler library has a 24-byte thread-local block, which
// the C library takes from the sanitizer's heap the first time the driver compiles a shader on
// the main thread; one heap slot of that size in 256 starts 16 bytes into a page, and there the
// "header" is the heap's own bookkeeping: the check then scans a made-up block of 96 GB at
// address 0x117c and dies at exit with "Tracer caught signal 11". Which slot the block gets
// follows every allocation made before the first drawn frame, so any change to the start could
// bring it back. Our own thread-local variables live in the programs' static thread-local block,
// which is still scanned, as are stacks, globals and the heap; the drivers' leaks are suppressed
// in scripts/lsan.supp anyway.
extern "C" const char* __lsan_default_options() {
    return "intercept_tls_get_addr=0";
}
