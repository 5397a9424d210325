# SPDX-License-Identifier: MIT
# Shared by scripts/run and scripts/test: where the project is and how to configure it.
ZIBO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
ZIBO_JOBS="${ZIBO_JOBS:-$(nproc)}"

# zibo_build DIR [cmake options...]: configure (once) and build the tree in DIR.
zibo_build() {
  local dir="$1"; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S "$ZIBO_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$dir" -j "$ZIBO_JOBS"
}
