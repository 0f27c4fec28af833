#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
#   tools/fuzz/run-fuzzers.sh [SECONDS_PER_TARGET] [TARGET ...]
# Seeds come from tests/fuzz/corpus and the built asset pack (build/game).
# A crashing input is copied to tests/fuzz/regressions/<target>/, where the
# replay test runs it from then on. Prints each target's run count.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(picture settings wave module recording)

# clang and its fuzzing runtime, which the test command does not install
for package in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        { echo "run-fuzzers.sh: needs the Debian package $package (apt-get install $package)" >&2; exit 1; }
done

build_dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGULPKIN_FUZZ=ON >/dev/null
cmake --build "$build_dir" -j"$(nproc)" --target asset_pack >/dev/null
for target in "${targets[@]}"; do
    cmake --build "$build_dir" -j"$(nproc)" --target "${target}_fuzzer" >/dev/null
done

pack=build/game
[ -d "$build_dir/game/graph" ] && pack="$build_dir/game"

seed_corpus() {
    local target=$1 dir=$2
    mkdir -p "$dir"
    cp -n tests/fuzz/corpus/"$target"/* "$dir"/ 2>/dev/null || true
    case "$target" in
        picture) cp -n "$pack"/graph/*.bmp "$pack"/font/60*.bmp "$dir"/ 2>/dev/null || true
                 cp -n "$pack"/graph/gulpkin2.jpg "$dir"/ 2>/dev/null || true ;;
        wave)    cp -n "$pack"/wav/*.wav "$dir"/ 2>/dev/null || true ;;
        module)  cp -n "$pack"/music/* "$dir"/ 2>/dev/null || true ;;
    esac
}

for target in "${targets[@]}"; do
    work="$build_dir/fuzz-work/$target"
    corpus="$work/corpus"
    mkdir -p "$work/crashes"
    seed_corpus "$target" "$corpus"
    echo "== $target: ${seconds}s"
    set +e
    "$build_dir/tests/fuzz/${target}_fuzzer" "$corpus" -max_total_time="$seconds" -rss_limit_mb=2048 \
        -max_len=1048576 -artifact_prefix="$work/crashes/" -print_final_stats=1 2>"$work/log.txt"
    status=$?
    set -e
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$work/log.txt" || true
    if [ $status -ne 0 ]; then
        mkdir -p "tests/fuzz/regressions/$target"
        cp "$work"/crashes/* "tests/fuzz/regressions/$target/" 2>/dev/null || true
        echo "!! $target found a crash (exit $status); inputs kept in tests/fuzz/regressions/$target"
        tail -40 "$work/log.txt"
    fi
done
