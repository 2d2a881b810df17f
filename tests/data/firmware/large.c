/* An AT90CAN128 program with more than 64 KiB of constant data in flash: its HEX file needs
   addresses above 0xFFFF, which a 16-bit bootloader cannot reach. */
#include <avr/io.h>
#include <avr/pgmspace.h>
#include <stdint.h>

#define B4(n) ((n) & 0xFF), ((n) + 1) & 0xFF, ((n) + 2) & 0xFF, ((n) + 3) & 0xFF
#define B16(n) B4(n), B4((n) + 4), B4((n) + 8), B4((n) + 12)
#define B64(n) B16(n), B16((n) + 16), B16((n) + 32), B16((n) + 48)
#define B256(n) B64(n), B64((n) + 64), B64((n) + 128), B64((n) + 192)
#define B1K(n) B256(n), B256((n) + 1), B256((n) + 2), B256((n) + 3)
#define B4K(n) B1K(n), B1K((n) + 5), B1K((n) + 7), B1K((n) + 11)
#define B16K(n) B4K(n), B4K((n) + 13), B4K((n) + 17), B4K((n) + 19)

/* One object may hold at most 32 KiB on this target, so the table comes in parts. */
const uint8_t tableA[16384] __attribute__((used)) PROGMEM = {B16K(1)};
const uint8_t tableB[16384] __attribute__((used)) PROGMEM = {B16K(23)};
const uint8_t tableC[16384] __attribute__((used)) PROGMEM = {B16K(29)};
const uint8_t tableD[16384] __attribute__((used)) PROGMEM = {B16K(31)};

int main(void)
{
    DDRA = 0xFF;
    for (;;) PORTA = pgm_read_byte(&tableA[PINB]);
}
