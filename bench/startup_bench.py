#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The game's start in a window, timed from outside (not run by ctest).

    bench/startup_bench.py [GAME_DIR [RUNS]]      GAME_DIR defaults to build/game, RUNS to 5

Starts a private Xvfb (Mesa llvmpipe draws), then the game RUNS times with a fresh user folder,
and prints for each run and as medians:
  first picture   exec to the return of the first buffer swap, and the game's CPU by then
                  (a small preloaded library notes both; it is built here with cc);
  loaded          exec to the trace's "loaded" line (every picture and font loaded), and CPU;
  next screen     exec to the first screen after the logo (the name entry of a first start).
Loading's own CPU is "loaded" minus "first picture" (it includes the logo frames drawn
meanwhile, which cost little: the screen stays black for its first 30 frames).
Then the steps before the first picture, as medians of exec to the end of each step and its CPU:
  main            the program's libraries loaded and linked (the shim's own start, just before main)
  video           the video system started (its connection to the display server)
  gl driver       the OpenGL driver loaded (SDL_GL_LoadLibrary)
  context         the OpenGL context made
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

SHIM = r"""
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>
static void note(const char* step) {
    struct timespec now; struct rusage use; FILE* out;
    clock_gettime(CLOCK_REALTIME, &now);
    getrusage(RUSAGE_SELF, &use);
    if ((out = fopen(getenv("ZIBO_FIRST_PICTURE"), "a")) != NULL) {
        fprintf(out, "%s %ld.%09ld %f\n", step, (long)now.tv_sec, now.tv_nsec,
                use.ru_utime.tv_sec + use.ru_utime.tv_usec * 1e-6 + use.ru_stime.tv_sec + use.ru_stime.tv_usec * 1e-6);
        fclose(out);
    }
}
__attribute__((constructor)) static void started(void) { note("main"); }
int SDL_InitSubSystem(unsigned flags) {
    static int (*real)(unsigned);
    static int video;
    if (!real) real = (int (*)(unsigned))dlsym(RTLD_NEXT, "SDL_InitSubSystem");
    int result = real(flags);
    if ((flags & 0x20u) && video++ == 0) note("video");
    return result;
}
int SDL_GL_LoadLibrary(const char* path) {
    static int (*real)(const char*);
    if (!real) real = (int (*)(const char*))dlsym(RTLD_NEXT, "SDL_GL_LoadLibrary");
    int result = real(path);
    note("gl_driver");
    return result;
}
void* SDL_GL_CreateContext(void* window) {
    static void* (*real)(void*);
    if (!real) real = (void* (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_CreateContext");
    void* result = real(window);
    note("context");
    return result;
}
static int swaps;
void SDL_GL_SwapWindow(void* window) {
    static void (*real)(void*);
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
    real(window);
    if (swaps++ == 0) note("first");
}
"""


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def one_start(game_dir, display, shim, work):
    user = tempfile.mkdtemp(dir=work)
    note = os.path.join(user, "first-picture.txt")
    env = dict(os.environ, DISPLAY=display, LD_PRELOAD=shim, ZIBO_FIRST_PICTURE=note, SDL_AUDIODRIVER="dummy")
    start = time.time()
    game = subprocess.Popen([os.path.join(game_dir, "zibo"), "--data-dir", game_dir, "--user-dir", user, "--trace", "-"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=env, text=True)
    row = {}
    for line in game.stdout:
        if " loaded" in line and "loaded" not in row:
            row["loaded"] = (time.time() - start, cpu_seconds(game.pid))
        if " leave state=3" in line:
            row["next"] = (time.time() - start, cpu_seconds(game.pid))
            break
        if time.time() - start > 60:
            break
    game.terminate()
    game.wait()
    if os.path.exists(note):
        for line in open(note):
            step, at, cpu = line.split()
            row.setdefault(step, (float(at) - start, float(cpu)))
    return row


def main():
    game_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/game")
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    work = tempfile.mkdtemp(prefix="zibo-startup-")
    display = ":%d" % (90 + os.getpid() % 100)
    xvfb = None
    try:
        shim = os.path.join(work, "first-picture.so")
        with open(os.path.join(work, "shim.c"), "w") as source:
            source.write(SHIM)
        subprocess.run(["cc", "-O2", "-shared", "-fPIC", "-o", shim, os.path.join(work, "shim.c"), "-ldl"], check=True)
        xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                stderr=subprocess.DEVNULL)
        time.sleep(1.5)
        print("machine: %d cores, load %s" % (os.cpu_count(), " ".join(open("/proc/loadavg").read().split()[:3])))
        rows = []
        for run in range(runs):
            row = one_start(game_dir, display, shim, work)
            rows.append(row)
            print("run %d: " % run + ", ".join("%s %.3f s (CPU %.3f s)" % (k, *row[k]) for k in ("first", "loaded", "next") if k in row))
        for key, name in (("first", "first picture"), ("loaded", "loaded"), ("next", "next screen"),
                          ("main", "main"), ("video", "video"), ("gl_driver", "gl driver"), ("context", "context")):
            values = [row[key] for row in rows if key in row]
            if values:
                print("median %s: %.3f s after exec, CPU %.3f s" % (name, statistics.median(v[0] for v in values),
                                                                     statistics.median(v[1] for v in values)))
    finally:
        if xvfb is not None:
            xvfb.terminate()
            xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
