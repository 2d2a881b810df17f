/* A small program with a byte of EEPROM data: its HEX file either keeps the EEPROM section
   (placed at 0x810000 in the toolchain's address space) or holds the flash alone. */
#include <avr/eeprom.h>
#include <avr/io.h>
#include <stdint.h>

uint8_t EEMEM setting = 0x5A;

int main(void)
{
    DDRA = 0xFF;
    for (;;) PORTA = eeprom_read_byte(&setting) ^ PINB;
}
