// The library completion list as data, and the settings of the popup that offers it.
#include "documents/library_completion_list.h"

#include "completion/completion_proposal.h"
#include "platform/colors.h"
#include "platform/keys.h"

const std::array<std::string_view, 112> kLibraryCompletionItems = {
    "** VIDEO FUNCTIONS **",
    "  disp_off();/*Blank the display.*/",
    "  disp_on(); /*Enable display output.*/",
    "  cls();",
    "  cls(int val);/*Clear all the screen.*/",
    "  vsync();",
    "  vsync(char nb_frame);/*Synchronize your program to the video vertical blanking*/",
    "  vreg(char idx);",
    "  vreg(char idx, int val);/*This function gives you direct access to the video processor "
    "(VDC) registers.*/",
    "  vram_addr(char x, char y);/*Simple function to return the screen video memory address of "
    "the character located at position x/y.*/",
    "  set_screen_size(char size);/*Change the virtual screen size.*/",
    "  load_vram(int vaddr, int *data, int nb);/*Generic function to load data (BAT, CG, "
    "sprites)*/",
    "  load_bat(int vaddr, int *bat_data, char w, char h);/*Load a rectangular character attribute "
    "table (BAT)*/",
    "  load_background(char *gfx, int *pal, int *bat, char width, char height);/*used to display a "
    "whole background image on the screen*/",
    "  set_xres(int xres);/*Change the horizontal resolution to 'xres' (in pixels).*/",
    "** PALETTE FUNCTIONS **",
    "  set_color(int num, int rgb);/*Set the specified color (0-511) to the given rgb-value.*/",
    "  set_color_rgb(int num, char r, char g, char b);/* Set the specified color to the given rgb "
    "component*/",
    "  get_color(int num);/*Retrieve the rgb-value of the specified color.*/",
    "  load_palette(char pal_num, int *pal, char nb_pal);/*Load one or more 16-color "
    "palette-blocks at once.*/",
    "  set_sprpal(char pal_num, int *pal);",
    "  set_sprpal(char pal_num, int *pal, int nb_pal);/*Exactly the same function has "
    "load_palette(),*/",
    "  set_bgpal(char pal_num, int *pal);",
    "  set_bgpal(char pal_num, int *pal, int nb_pal);/*Same function as set_sprpal() but for "
    "character palette-blocks.*/",
    "** FONT FUNCTIONS **",
    "  set_font_color(char fg, char bg);/*Set the default font foreground and background colors*/",
    "  set_font_pal(char pal);/*Set the font palette index (0-15).*/",
    "  set_font_addr(int vaddr);/* Set the font address in video memory.*/",
    "  get_font_pal();/*Return the current font palette index.*/",
    "  get_font_addr();/*Return the current font address in video memory.*/",
    "  load_default_font();",
    "  load_default_font(char num);",
    "  load_default_font(char num, int vaddr); /*Load a default font in video memory.*/",
    "  load_font(char *font, char nb_char);",
    "  load_font(char *font, char nb_char, int vaddr);",
    "** TEXT OUTPUT FUNCTIONS **",
    "  put_digit(char digit, int vaddr);",
    "  put_digit(char digit, char x, char y);/*Output a digit character '0'-'9' given its numeric "
    "value.*/",
    "  put_char(char c, int vaddr);",
    "  put_char(char c, char x, char y);",
    "  put_raw(int bat_val, int vaddr);",
    "  put_raw(int bat_val, char x, char y);/*Output a raw bat-value.*/",
    "  put_number(int number, char width, int vaddr);",
    "  put_number(int number, char width, char x, char y);",
    "  put_hex(int number, char width, int vaddr);",
    "  put_hex(int number, char width, char x, char y);",
    "  put_string(char *string, int vaddr);",
    "  put_string(char *string, char x, char y);",
    "** TILE & MAP FUNCTIONS **",
    "  set_tile_data(char *tile_data, int nb_tile, char *pal_ref);/*Define an array of tile to be "
    "used by all the tile and map functions.*/",
    "  load_tile(int vaddr);/* Load tile graphics data in video memory, at address 'vaddr'.*/",
    "  put_tile(int num, int vaddr);",
    "  put_tile(int num, char x, char y);",
    "  get_tile(char x, char y);    [ 1.5+ ]",
    "  set_map_data(char *map, char w, char h);",
    "  load_map(char sx, char sy, int mx, int my, char w, char h);",
    "  scroll(char num, int x, int y, char top, char bottom, char disp);",
    "  scroll_disable(char num);    [ 1.5+ ]",
    "** SPRITE FUNCTIONS **",
    "  load_sprites(int vaddr, int *spr_data, int nb_spr);",
    "  init_satb();",
    "  reset_satb();",
    "  satb_update();",
    "  satb_update(char nb);",
    "  spr_set(char num);",
    "  spr_x(int value);",
    "  spr_y(int value);",
    "  spr_pattern(int vaddr);",
    "  spr_ctrl(char mask, char value);",
    "  spr_pal(char pal);",
    "  spr_pri(char pri);",
    "  spr_get_x();",
    "  spr_get_y();",
    "  spr_get_pal();",
    "  spr_get_pattern();",
    "  spr_hide();",
    "  spr_hide(char num);",
    "  spr_show();",
    "  spr_show(char num);",
    "** JOYPAD FUNCTIONS **",
    "  joy(char num);",
    "  joytrg(char num);",
    "  set_joy_callback(char num, char mask, char keys, void (*proc)());",
    "  get_joy_events(char num);",
    "  get_joy_events(char num, char rst);",
    "  clear_joy_events(char mask);",
    "** MISC FUNCTIONS **",
    "  poke(int offset, char val);",
    "  peek(int offset);",
    "  rand();",
    "  srand(int seed);",
    "  random(char max)",
    "** MOUSE FUNCTIONS **",
    "  mouse_exists();",
    "  mouse_enable();",
    "  mouse_disable();   [ 1.5+ ]",
    "  mouse_x();    [ 1.5+ ]",
    "  mouse_y();    [ 1.5+ ]",
    "** BACKUP RAM FUNCTIONS **",
    "  bm_check();    [ 1.5+ ]",
    "  bm_format();   [ 1.5+ ]",
    "  bm_exist(char* name);    [ 1.5+ ]",
    "  bm_read(char *buf, char *name, int offset, int nb);   [ 1.5+ ]",
    "  bm_write(char *buf, char *name, int offset, int nb);   [ 1.5+ ]",
    "  bm_create(char *name, int size);    [ 1.5+ ]",
    "  bm_error();    [ 1.5+ ]",
    "  bm_open(char *name);     [ 1.5+ ]",
    "  bm_enable();    [ 1.5+ ]",
    "  bm_disable();   [ 1.5+ ]",
    "  bm_checksum(char *fcb);   [ 1.5+ ]",
    "  bm_setup_ptr(char *fcb, char *buf, int offset, int nb);    [ 1.5+ ]",
    "",
};

std::vector<std::string> LibraryCompletionItems() {
    return {kLibraryCompletionItems.begin(), kLibraryCompletionItems.end()};
}

void SetUpLibraryCompletion(TSynCompletionProposal& proposal, TSynEdit& editor) {
    proposal.SetEditor(&editor);
    proposal.SetShortCut(scCtrl | VK_SPACE);
    proposal.SetNbLinesInWindow(16);
    proposal.SetWidth(262);
    proposal.SetClSelect(clSilver);
    proposal.SetEndOfTokenChr("()[].");
    proposal.SetAnsiStrings(true);
    proposal.SetItemList(LibraryCompletionItems());
    proposal.SetPosition(0);
}
