#!/bin/sh
# Rebuilds the firmware files the tests read, with Debian's gcc-avr, avr-libc and srecord.
# The results are committed, so the tests need no AVR toolchain; run this only to change them.
#   large.hex        more than 64 KiB of flash (avr-objcopy output, extended address records)
#   small-eeprom.hex the small program with its EEPROM section kept (at 0x810000)
#   small.hex        the small program's flash through srec_cat: 32-byte records, an extended
#                    linear address record of 0, CR LF line ends, lower-case hexadecimal
#   small.bin        the small program's flash bytes, to compare with what small.hex places
set -eu
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cflags="-mmcu=at90can128 -Os -Wall -Wextra"

avr-gcc $cflags -o "$work/large.elf" large.c
avr-objcopy -O ihex -R .eeprom "$work/large.elf" large.hex

avr-gcc $cflags -o "$work/small.elf" small.c
avr-objcopy -O ihex "$work/small.elf" small-eeprom.hex
avr-objcopy -O ihex -R .eeprom "$work/small.elf" "$work/small-flash.hex"
avr-objcopy -O binary -R .eeprom "$work/small.elf" small.bin
chmod 644 small.bin
srec_cat "$work/small-flash.hex" -intel -o - -intel -address-length=4 -output-block-size=32 -crlf \
    | tr 'A-F' 'a-f' > small.hex
