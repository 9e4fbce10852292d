/* The tile table of the tiles project (tiles.c): 8 by 8 pictures in 16 colours and the palette
 * they are drawn with.
 */
#ifndef TILES_H
#define TILES_H

enum {
    TILE_BRICK,
    TILE_GRASS,
    TILE_WATER_A, /* two frames of the same wave, a half tile apart */
    TILE_WATER_B,
    TILE_STAR,
    TILE_COUNT
};

/* One row per line, one hexadecimal digit per pixel (left to right): the digit is the pixel's
 * colour in tile_palette, 0 letting the background show through.
 */
extern const unsigned long tile_rows[TILE_COUNT][8];

/* 16 colours in the colour encoder's form: 0000000g ggrrrbbb, three bits for each. */
extern const unsigned tile_palette[16];

#endif
