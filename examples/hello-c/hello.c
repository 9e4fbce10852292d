/* A greeting on the PC Engine in C: text through the console functions of cc65's library, and
 * a frame counter that the vertical blank drives.
 *
 * Build: tools/pce-cc -O -o hello.pce hello.c
 */
#include <conio.h>
#include <pce.h>

static const unsigned char kColours[] = {COLOR_WHITE, COLOR_YELLOW, COLOR_LIGHTGREEN,
                                         COLOR_CYAN};

static void Centre(unsigned char row, const char* text) {
    unsigned char width;
    unsigned char height;
    unsigned char length = 0;
    while (text[length] != '\0') ++length;
    screensize(&width, &height);
    gotoxy((unsigned char)((width - length) / 2), row);
    cputs(text);
}

int main(void) {
    unsigned int frames = 0;

    bgcolor(COLOR_BLUE);
    clrscr();
    textcolor(COLOR_WHITE);
    Centre(10, "Hello from C!");
    Centre(12, "built with cc65");

    for (;;) {
        waitvsync();
        ++frames;
        textcolor(kColours[(frames >> 4) & 3]);
        gotoxy(10, 15);
        cprintf("frame %5u", frames);
    }
    return 0;
}
