/* The tile table: what each tile looks like and its colours. Change a digit, press F9 and run
 * the image again to see the change.
 */
#include "tiles.h"

#define RGB(r, g, b) (((g) << 6) | ((r) << 3) | (b))

const unsigned tile_palette[16] = {
    RGB(0, 0, 0), /* 0: transparent */
    RGB(0, 0, 3), /* 1: deep water */
    RGB(1, 2, 7), /* 2: water */
    RGB(4, 6, 7), /* 3: wave */
    RGB(7, 7, 7), /* 4: foam */
    RGB(0, 3, 0), /* 5: dark grass */
    RGB(1, 5, 1), /* 6: grass */
    RGB(4, 7, 2), /* 7: light grass */
    RGB(3, 2, 0), /* 8: soil */
    RGB(4, 1, 1), /* 9: dark soil */
    RGB(6, 2, 1), /* 10 (A): brick */
    RGB(5, 5, 4), /* 11 (B): mortar */
    RGB(7, 7, 1), /* 12 (C): star */
    RGB(7, 4, 0), /* 13 (D): star's edge */
    RGB(3, 3, 3), /* 14 (E): unused */
    RGB(1, 1, 1), /* 15 (F): unused */
};

const unsigned long tile_rows[TILE_COUNT][8] = {
    /* TILE_BRICK */
    {0xAAAAAAABUL, 0xAAAAAAABUL, 0xAAAAAAABUL, 0xBBBBBBBBUL,
     0xAAABAAAAUL, 0xAAABAAAAUL, 0xAAABAAAAUL, 0xBBBBBBBBUL},
    /* TILE_GRASS */
    {0x07000700UL, 0x77707770UL, 0x76777677UL, 0x66666666UL,
     0x88688868UL, 0x88888888UL, 0x89888988UL, 0x88888888UL},
    /* TILE_WATER_A */
    {0x44322222UL, 0x33222222UL, 0x22222222UL, 0x22222443UL,
     0x22222332UL, 0x22222222UL, 0x12222221UL, 0x11111111UL},
    /* TILE_WATER_B */
    {0x22224432UL, 0x22223322UL, 0x22222222UL, 0x24432222UL,
     0x23322222UL, 0x22222222UL, 0x12222221UL, 0x11111111UL},
    /* TILE_STAR */
    {0x00000000UL, 0x000D0000UL, 0x000C0000UL, 0x0DCCCD00UL,
     0x00CCC000UL, 0x00C0C000UL, 0x0D000D00UL, 0x00000000UL},
};
