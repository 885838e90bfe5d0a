#!/bin/sh
# Every frame of the sweep hashed by the native build and by the WebAssembly build under node:
# the two lists must be the same, line for line.
# Usage: frames_match_test.sh NATIVE_FRAME_HASHES WASM_FRAME_HASHES_JS OUTDIR
set -eu
native=$1 wasm=$2 out=$3
mkdir -p "$out"
# The two builds hash at once, one on each core.
"$native" > "$out/native.txt" &
node --no-experimental-fetch "$wasm" > "$out/wasm.txt"
wait $!
lines=$(wc -l < "$out/native.txt")
if [ "$lines" -lt 20000 ]; then
    echo "the native sweep printed only $lines frames"
    exit 1
fi
if ! cmp -s "$out/native.txt" "$out/wasm.txt"; then
    echo "native and WebAssembly frames differ; the first differing frames:"
    diff "$out/native.txt" "$out/wasm.txt" | head -10
    exit 1
fi
echo "$lines frames alike"
