#!/usr/bin/env bash
# Regenerates the firmware test files with real tools (binutils objcopy and srecord's
# srec_cat), from a fixed payload, so that the files are what the field gets.
set -eu
cd "$(dirname "$0")"
# 1500 bytes that never repeat in a short cycle: byte i = (i * 7 + i / 256) mod 256.
LC_ALL=C awk 'BEGIN { for (i = 0; i < 1500; i++) printf "%c", (i * 7 + int(i / 256)) % 256 }' >payload.bin
# 16 data bytes a line, loaded across a 64 KiB boundary (extended address records);
# objcopy ends its lines with CR LF.
objcopy -I binary -O ihex --change-addresses 0xFC00 payload.bin firmware16.hex
# 32 data bytes a line; srec_cat ends its lines with LF alone.
srec_cat payload.bin -binary -offset 0x8000 -o firmware32.hex -intel -output_block_size=32
