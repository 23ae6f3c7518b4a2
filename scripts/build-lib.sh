# Configuring and building one tree under build/; sourced by the run and test scripts.

korvane_build() {
  local kind=$1 dir="$root/build/$1" args=()
  case "$kind" in
    x86_64) args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake") ;;
    i686)   args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake") ;;
    native) args=(-DKORVANE_NATIVE=ON -DCMAKE_CXX_COMPILER=g++ -DCMAKE_C_COMPILER=gcc) ;;
    fuzz)   args=(-DKORVANE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang) ;;
    *) echo "unknown build kind $kind" >&2; return 1 ;;
  esac
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${args[@]}" >/dev/null || return 1
  fi
  cmake --build "$dir" -j "$(nproc)"
}
