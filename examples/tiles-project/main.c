/* The tiles project: a small scene of sky, a brick wall, grass and moving water, drawn from the
 * tile table in tiles.c through the video driver in vdc.s, under a title written with cc65's
 * console functions.
 *
 * Build: make (F9 in the IDE); the image is tiles.pce.
 */
#include <conio.h>
#include <pce.h>

#include "tiles.h"
#include "vdc.h"

/* The console library sets the background map up 128 cells wide and keeps its font at video
 * word 0x2000; the tiles go well above it.
 */
#define MAP_WIDTH 128
#define TILE_VRAM 0x4000
#define TILE_PALETTE 10 /* console colour 10 (light red) is not used for text here */

#define SCREEN_COLUMNS 60
#define WATER_TOP 24
#define WATER_ROWS 4

static unsigned planar[16];

/* One tile in the video chip's form: eight words of bit planes 0 and 1, then eight of 2 and 3. */
static void ToPlanar(const unsigned long* rows) {
    unsigned char y;
    unsigned char x;
    for (y = 0; y < 8; ++y) {
        unsigned long row = rows[y];
        unsigned char plane0 = 0, plane1 = 0, plane2 = 0, plane3 = 0;
        for (x = 0; x < 8; ++x) {
            const unsigned char colour = (unsigned char)(row >> 28);
            row <<= 4;
            plane0 = (unsigned char)((plane0 << 1) | (colour & 1));
            plane1 = (unsigned char)((plane1 << 1) | ((colour >> 1) & 1));
            plane2 = (unsigned char)((plane2 << 1) | ((colour >> 2) & 1));
            plane3 = (unsigned char)((plane3 << 1) | ((colour >> 3) & 1));
        }
        planar[y] = plane0 | ((unsigned)plane1 << 8);
        planar[8 + y] = plane2 | ((unsigned)plane3 << 8);
    }
}

static void LoadTiles(void) {
    unsigned char tile;
    unsigned char i;
    for (tile = 0; tile < TILE_COUNT; ++tile) {
        ToPlanar(tile_rows[tile]);
        vram_seek(TILE_VRAM + tile * 16);
        vram_copy(planar, 16);
    }
    vce_seek(TILE_PALETTE * 16);
    for (i = 0; i < 16; ++i) vce_put(tile_palette[i]);
}

/* The map cell that shows a tile: its palette and its number (its video address / 16). */
static unsigned Cell(unsigned char tile) {
    return ((unsigned)TILE_PALETTE << 12) | ((TILE_VRAM >> 4) + tile);
}

static void FillRow(unsigned char row, unsigned char from, unsigned char to, unsigned char tile) {
    const unsigned cell = Cell(tile);
    vram_seek((unsigned)row * MAP_WIDTH + from);
    for (; from < to; ++from) vram_put(cell);
}

static void PutTile(unsigned char column, unsigned char row, unsigned char tile) {
    vram_seek((unsigned)row * MAP_WIDTH + column);
    vram_put(Cell(tile));
}

/* The water's rows, each a frame apart from the one above, so the waves roll. */
static void DrawWater(unsigned char frame) {
    unsigned char row;
    for (row = 0; row < WATER_ROWS; ++row) {
        FillRow(WATER_TOP + row, 0, SCREEN_COLUMNS,
                ((frame + row) & 1) ? TILE_WATER_B : TILE_WATER_A);
    }
}

static void DrawScene(void) {
    static const unsigned char stars[][2] = {{5, 7}, {14, 9}, {23, 6}, {31, 10}, {42, 7}, {53, 9}};
    unsigned char i;
    for (i = 0; i < sizeof stars / sizeof stars[0]; ++i) PutTile(stars[i][0], stars[i][1], TILE_STAR);
    FillRow(15, 18, 42, TILE_BRICK);
    FillRow(16, 18, 42, TILE_BRICK);
    FillRow(20, 0, SCREEN_COLUMNS, TILE_GRASS);
    for (i = 21; i < WATER_TOP; ++i) FillRow(i, 0, SCREEN_COLUMNS, TILE_BRICK);
    DrawWater(0);
}

int main(void) {
    unsigned char frames = 0;
    unsigned char wave = 0;

    bgcolor(COLOR_BLACK);
    clrscr();
    textcolor(COLOR_YELLOW);
    gotoxy(17, 2);
    cputs("Tiles from a table in C");
    textcolor(COLOR_WHITE);
    gotoxy(17, 3);
    cputs("drawn by a driver in assembly");

    LoadTiles();
    DrawScene();
    for (;;) {
        waitvsync();
        if (++frames == 20) {
            frames = 0;
            DrawWater(++wave);
        }
    }
    return 0;
}
