#!/usr/bin/env bash
# Set-up and entry point of Korvix on Debian 12.
#
#   ./korvix.sh run    install what is missing, build, open Korvix on a bundled example
#   ./korvix.sh test [CTEST ARGS...]
#                      install what is missing, build, run every test (also under the
#                      address and undefined-behaviour sanitizers) and each fuzz target for
#                      30 seconds; arguments go to ctest, so `./korvix.sh test -R Reader`
#                      runs one group (and skips the fuzzing)
#   ./korvix.sh fuzz [SECONDS]
#                      build the fuzz targets and run each one for SECONDS (default 600)
#
# Builds go to build/release, build/sanitize and build/fuzz (clang, libFuzzer). The fuzz
# targets keep what they learn in build/fuzz/corpus and put any crashing input into
# build/fuzz/artifacts. Set KORVIX_JOBS to change the parallelism
# (default 2). With CI=true warnings are errors.
set -euo pipefail
cd "$(dirname "$0")"

JOBS=${KORVIX_JOBS:-2}
PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev
          libgtest-dev libgmock-dev fonts-dejavu-core qt6-pdf-dev clang-14 libclang-rt-14-dev)
FUZZ_TARGETS=(nc_reader tbf_reader wireframe_reader machine_format nc_round_trip)

say() { printf '\033[1m==> %s\033[0m\n' "$*"; }

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "Installing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

werror_flag() {
    if [ "${CI:-}" = "true" ]; then echo "-DKORVIX_WERROR=ON"; else echo "-DKORVIX_WERROR=OFF"; fi
}

build() { # build DIR BUILD_TYPE [cmake options...]
    local dir=$1 type=$2
    shift 2
    say "Configuring $dir ($type)"
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$(werror_flag)" "$@" >/dev/null
    say "Building $dir"
    cmake --build "$dir" -j "$JOBS"
}

run_tests() { # run_tests DIR [CTEST ARGS...]
    local dir=$1
    shift
    say "Testing $dir"
    (cd "$dir" && ctest --output-on-failure -j "$JOBS" --timeout 300 "$@")
}

# The core stays plain C++: Qt only in ui/ folders and the command-line tool. (The build
# itself checks that no include crosses the layers.)
check_qt_stays_out_of_the_core() {
    local stray
    stray=$(grep -rl '#include <Q' src --include=*.cpp --include=*.h | grep -v '/ui/\|^src/cli/' || true)
    if [ -n "$stray" ]; then
        echo "Qt headers outside ui/ folders and src/cli/:" >&2
        echo "$stray" >&2
        exit 1
    fi
}

# The fuzz targets on the core alone: a small build with clang, whatever the other builds use.
build_fuzz_targets() {
    say "Configuring build/fuzz (clang, libFuzzer)"
    cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++-14 -DKORVIX_FUZZ=ON "$(werror_flag)" >/dev/null
    say "Building build/fuzz"
    cmake --build build/fuzz -j "$JOBS" --target korvix_fuzz_targets
}

run_fuzz_targets() { # run_fuzz_targets SECONDS
    local seconds=$1 target
    mkdir -p build/fuzz/artifacts
    for target in "${FUZZ_TARGETS[@]}"; do
        say "Fuzzing $target for $seconds s"
        mkdir -p "build/fuzz/corpus/$target"
        # A new input goes to build/fuzz/corpus, never into the seeds of the source tree.
        local log="build/fuzz/$target.log"
        if ! UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            "build/fuzz/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 \
            -max_len=16384 -print_final_stats=1 \
            -artifact_prefix="build/fuzz/artifacts/$target-" \
            "build/fuzz/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
            tail -n 80 "$log" >&2
            echo "$target found a fault; the input is in build/fuzz/artifacts" >&2
            exit 1
        fi
        grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
    done
}

command_run() {
    install_missing_packages
    build build/release Release
    local example=examples/pocket_absolute.nc
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        say "Opening Korvix on $example"
        echo "Korvix asks for the drawing colour and the arc centre type of the program first;"
        echo "the example uses absolute centres (the preset answer)."
        exec build/release/src/korvix "$example"
    fi
    local picture=build/pocket_absolute.png
    say "No display found (DISPLAY is not set): rendering $example to $picture instead"
    build/release/src/korvix-cli render "$example" -o "$picture" --view iso1
    build/release/src/korvix-cli info "$example"
    echo "Open $picture to see the toolpath, or run this command again on a desktop."
}

command_test() {
    install_missing_packages
    check_qt_stays_out_of_the_core
    build build/release Release
    run_tests build/release "$@"
    build build/sanitize Debug -DKORVIX_SANITIZE=ON -DKORVIX_BUILD_GUI=OFF -DKORVIX_BUILD_BENCH=OFF
    UBSAN_OPTIONS=print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 run_tests build/sanitize "$@"
    if [ $# -eq 0 ]; then
        build_fuzz_targets
        run_fuzz_targets 30
    fi
    say "All tests passed"
}

case "${1:-}" in
run) command_run ;;
test)
    shift
    command_test "$@"
    ;;
fuzz)
    install_missing_packages
    build_fuzz_targets
    run_fuzz_targets "${2:-600}"
    ;;
*)
    echo "usage: $0 run | test [CTEST ARGS...] | fuzz [SECONDS]" >&2
    exit 2
    ;;
esac
