/*
 * shooter.c - a small side-scrolling shooter for the console.
 * Draws a hero sprite, moves enemies in waves and keeps the score.
 *
 * Build: compile with the console C compiler; the image is shooter.pce.
 */

#include "console.h"
#include "sprites.h"   /* sprite numbers and patterns */
#include <string.h>    // only for memset-like helpers

#define MAX_ENEMIES   16
#define MAX_SHOTS      4
#define HERO_SPEED     2
#define SCREEN_W     256
#define SCREEN_H     224
#define VRAM_TILES   0x1000
#define VRAM_SPRITES 0x5000

#define CLAMP(v, lo, hi) \
    ((v) < (lo) ? (lo) : \
     (v) > (hi) ? (hi) : (v))

#define SWAP(a, b) { int t = (a); (a) = (b); (b) = t; }  // swaps two ints
#define DEBUG_LOG(msg) /* put_string(msg, 0, 27); */ 0
#define LONG_COMMENTED 1 /* this comment
                            runs on */ + 2

#ifdef USE_CD
#  define LOAD_BANK(n) cd_loadvram(n)
#else
#  define LOAD_BANK(n) load_vram(VRAM_TILES, tiles_##n, 0x800)
#endif

#if defined(USE_SOUND) && \
    (SOUND_LEVEL >= 2)
#pragma sound_on
#endif

/* ---------------------------------------------------------------- */
/* Data tables                                                      */
/* ---------------------------------------------------------------- */

const char title_text[] = "SHOOTER \"DX\"";
const char press_run[] = "PRESS RUN BUTTON";
const char path_text[] = "C:\\GAMES\\SHOOT\\";
const char quote_char = '\'';
const char back_char = '\\';
const char tab_char = '\t';

const unsigned char palette_hero[] = {
    0x00, 0x00, 0x07, 0x00, 0x38, 0x00, 0x3F, 0x00,
    0xC0, 0x01, 0xC7, 0x01, 0xF8, 0x01, 0xFF, 0x01
};

const int wave_table[8][3] = {
    { 1,  20, 0x10 },  { 2,  40, 0x18 },
    { 3,  60, 0x20 },  { 4,  80, 0x28 },
    { 5, 100, 0x30 },  { 6, 120, 0x38 },
    { 7, 140, 0x40 },  { 8, 160, 0x48 }
};

const long big_number = 1234567890L;
const unsigned int mask = 0xFFFFu;
const unsigned long ulong_value = 42UL;
const int octal_value = 0755;
float speed_factor = 1.5;
double gravity = 9.81e+0;
double tiny = 1.0e-3;

/* ---------------------------------------------------------------- */
/* Game state                                                       */
/* ---------------------------------------------------------------- */

struct actor {
    int x, y;
    int dx, dy;
    char alive;
    unsigned char sprite_no;
};

typedef struct actor actor_t;

enum game_mode { MODE_TITLE, MODE_PLAY, MODE_OVER = 10 };

static actor_t hero;
static actor_t enemies[MAX_ENEMIES];
static actor_t shots[MAX_SHOTS];
static int score, hi_score, lives;
static int frame;
static enum game_mode mode;
volatile unsigned char vsync_flag;
register int fast_counter;

extern void play_sfx(int id);
extern int random(int range);

/* ---------------------------------------------------------------- */
/* Helpers                                                          */
/* ---------------------------------------------------------------- */

int abs_value(int v)
{
    return v < 0 ? -v : v;
}

int hit(actor_t *a, actor_t *b)
{
    if (!a->alive || !b->alive)
        return 0;
    return abs_value(a->x - b->x) < 8 && abs_value(a->y - b->y) < 8;
}

void put_score(void)
{
    put_string("SCORE", 1, 1);
    put_number(score, 6, 7, 1);
    put_string("HI", 20, 1);
    put_number(hi_score, 6, 23, 1);
}

unsigned char bit_count(unsigned char v)
{
    unsigned char n = 0;
    while (v) {
        n += v & 1;
        v >>= 1;
    }
    return n;
}

int wrap(int v, int size)
{
    v %= size;
    if (v < 0) v += size;
    return v;
}

/* ---------------------------------------------------------------- */
/* Hero                                                             */
/* ---------------------------------------------------------------- */

void hero_reset(void)
{
    hero.x = 32;
    hero.y = SCREEN_H / 2;
    hero.dx = hero.dy = 0;
    hero.alive = 1;
    hero.sprite_no = 0;
}

void hero_move(void)
{
    int pad = joy(0);

    hero.dx = 0;
    hero.dy = 0;
    if (pad & JOY_LEFT)  hero.dx = -HERO_SPEED;
    if (pad & JOY_RIGHT) hero.dx = +HERO_SPEED;
    if (pad & JOY_UP)    hero.dy = -HERO_SPEED;
    if (pad & JOY_DOWN)  hero.dy = +HERO_SPEED;

    hero.x = CLAMP(hero.x + hero.dx, 0, SCREEN_W - 16);
    hero.y = CLAMP(hero.y + hero.dy, 16, SCREEN_H - 16);

    spr_set(hero.sprite_no);
    spr_x(hero.x);
    spr_y(hero.y);
}

void hero_fire(void)
{
    int i;
    for (i = 0; i < MAX_SHOTS; i++) {
        if (!shots[i].alive) {
            shots[i].alive = 1;
            shots[i].x = hero.x + 16;
            shots[i].y = hero.y + 4;
            shots[i].dx = 4;
            play_sfx(1);
            break;
        }
    }
}

/* ---------------------------------------------------------------- */
/* Enemies                                                          */
/* ---------------------------------------------------------------- */

void enemies_spawn(int wave)
{
    int i, count = wave_table[wave & 7][1] / 10;
    for (i = 0; i < count && i < MAX_ENEMIES; ++i) {
        enemies[i].alive = 1;
        enemies[i].x = SCREEN_W + (i << 4);
        enemies[i].y = 32 + random(SCREEN_H - 64);
        enemies[i].dx = -(1 + (wave >> 1));
        enemies[i].sprite_no = 8 + i;
    }
}

void enemies_move(void)
{
    int i;
    actor_t *e;
    for (i = 0, e = enemies; i < MAX_ENEMIES; i++, e++) {
        if (!e->alive) continue;
        e->x += e->dx;
        e->y += (frame & 16) ? 1 : -1;
        if (e->x < -16) {
            e->alive = 0;
        } else if (hit(e, &hero)) {
            e->alive = 0;
            --lives;
            play_sfx(2);
        }
    }
}

void shots_move(void)
{
    int i, j;
    for (i = 0; i < MAX_SHOTS; i++) {
        if (!shots[i].alive)
            continue;
        shots[i].x += shots[i].dx;
        if (shots[i].x > SCREEN_W) {
            shots[i].alive = 0;
            continue;
        }
        for (j = 0; j < MAX_ENEMIES; j++) {
            if (hit(&shots[i], &enemies[j])) {
                shots[i].alive = enemies[j].alive = 0;
                score += 10 * (1 + (frame % 3));
                if (score > hi_score) hi_score = score;
            }
        }
    }
}

/* ---------------------------------------------------------------- */
/* Low level                                                        */
/* ---------------------------------------------------------------- */

void wait_vsync(void)
{
    vsync_flag = 0;
#asm
    lda   #1
    sta   _vsync_flag
#endasm
    while (!vsync_flag)
        ;
}

void clear_bat(void)
{
    asm {
        cla
        ldx #$20
    }
    _asm nop;
    __asm nop;
}

int sum_args(int count, ...)
{
    return count;
}

/* A comment with code inside: if (x) { return "y"; } and a // nested marker */

int scale(int v)
{
    return (v * 3) / 2;   /* multiply by 1.5 */
}

char *skip_spaces(char *s)
{
    while (*s == ' ' || *s == '\t')
        s++;
    return s;
}

int parse_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

/* ---------------------------------------------------------------- */
/* Main loop                                                        */
/* ---------------------------------------------------------------- */

void title_screen(void)
{
    cls();
    set_font_color(14, 0);
    put_string(title_text, 10, 10);
    put_string(press_run, 8, 16);
    while (!(joytrg(0) & JOY_RUN))
        wait_vsync();
    mode = MODE_PLAY;
}

void game_over(void)
{
    put_string("GAME OVER", 11, 13);
    put_string("CONTINUE?", 11, 15);
    mode = MODE_OVER;
}

int main()
{
    int wave = 0;

    disp_off();
    load_palette(16, palette_hero, 1);
    LOAD_BANK(1);
    disp_on();

    score = 0; hi_score = 0; lives = 3;
    mode = MODE_TITLE;

    for (;;) {
        switch (mode) {
        case MODE_TITLE:
            title_screen();
            hero_reset();
            enemies_spawn(wave);
            break;
        case MODE_PLAY:
            hero_move();
            if (joytrg(0) & JOY_A) hero_fire();
            enemies_move();
            shots_move();
            put_score();
            if (lives <= 0) game_over();
            if (frame % 600 == 599) enemies_spawn(++wave);
            break;
        default:
            if (joytrg(0) & JOY_RUN) { mode = MODE_TITLE; wave = 0; }
            break;
        }
        satb_update();
        wait_vsync();
        frame++;
    }
    return 0;
}

/* Odd bytes that should stand out: @ $ ` and a stray backslash \ */
int odd = 1 @ 2;
/* The file ends inside no comment. */
