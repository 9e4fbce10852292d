/* The video driver written in assembly (vdc.s): writing words into video memory through the
 * video display controller, and colours into the colour encoder's palettes. Every routine keeps
 * interrupts off while it talks to the chips, so the vertical-blank handler cannot cut in between
 * choosing a register and writing it.
 */
#ifndef VDC_H
#define VDC_H

/* Sets the video memory address (in 16-bit words) that the next writes go to. */
void __fastcall__ vram_seek(unsigned address);
/* Writes one word at the write address, which then moves on by one. */
void __fastcall__ vram_put(unsigned word);
/* Writes `count` words from `words` in a row. */
void __fastcall__ vram_copy(const void* words, unsigned count);

/* Sets the palette entry (0 to 511) that the next colours go to. */
void __fastcall__ vce_seek(unsigned index);
/* Writes one colour (0000000g ggrrrbbb) at the palette entry, which then moves on by one. */
void __fastcall__ vce_put(unsigned colour);

#endif
