; A greeting on the PC Engine: sets up the video display controller (VDC) and the colour
; encoder (VCE) by their registers, draws "HELLO PC ENGINE!" with a small font of its own and
; lets the text colour cycle once per frame.
;
; Assemble:  64tass -c -b -Wall -o hello.pce --dump-labels -l hello.lbl hello.asm
; The image is one 8 KB bank. At reset the CPU maps the first bank of the card at $E000-$FFFF
; and starts at the address stored at $FFFE.

        .cpu "65c02"

; Registers of the I/O page (bank $FF) once it is mapped at $0000.
VDC_SELECT  = $0000             ; write: register number; read: status
VDC_LOW     = $0002
VDC_HIGH    = $0003
VCE_CONTROL = $0400
VCE_INDEX   = $0402             ; colour table index, low and high byte
VCE_COLOUR  = $0404             ; colour value, low and high byte
IRQ_DISABLE = $1402

; VDC register numbers.
MAWR = $00                      ; VRAM write address
VWR  = $02                      ; VRAM data
CR   = $05                      ; display control

STATUS_VBLANK = $20

; Zero page (the CPU's zero page lies at $2000, in the RAM bank mapped there).
frame = $00

; HuC6280 instructions the 65C02 lacks.
tam     .macro                  ; map the accumulator's bank into the pages of mask \1
        .byte $53, \1
        .endm
csh     .macro                  ; full CPU speed
        .byte $d4
        .endm

; Writes the 16-bit value \2 into VDC register \1.
setvdc  .macro
        lda #\1
        sta @w VDC_SELECT
        lda #<\2
        sta @w VDC_LOW
        lda #>\2
        sta @w VDC_HIGH
        .endm

BLANK_TILE = $100               ; tile numbers: VRAM word address / 16
FONT_VRAM  = BLANK_TILE * 16
TEXT_ROW   = 13
TEXT_COL   = 8

        * = $e000

reset   sei
        #csh
        cld
        lda #$ff
        #tam $01                ; I/O page at $0000
        lda #$f8
        #tam $02                ; RAM at $2000
        ldx #$ff
        txs
        lda #$07
        sta IRQ_DISABLE         ; no interrupts reach the CPU; the program polls

        ldx #0                  ; display timing: 256 x 240 dots
-       lda vdcsetup,x
        sta @w VDC_SELECT
        lda vdcsetup+1,x
        sta @w VDC_LOW
        lda vdcsetup+2,x
        sta @w VDC_HIGH
        inx
        inx
        inx
        cpx #vdcsetup_end - vdcsetup
        bne -

        stz VCE_CONTROL
        stz VCE_INDEX
        stz VCE_INDEX+1
        ldx #0
-       lda palette,x
        sta VCE_COLOUR
        lda palette+1,x
        sta VCE_COLOUR+1
        inx
        inx
        cpx #palette_end - palette
        bne -

        #setvdc MAWR, 0         ; background map: 32 x 32 blank tiles
        lda #VWR
        sta @w VDC_SELECT
        ldy #4
        ldx #0
-       lda #<BLANK_TILE
        sta @w VDC_LOW
        lda #>BLANK_TILE
        sta @w VDC_HIGH
        dex
        bne -
        dey
        bne -

        #setvdc MAWR, FONT_VRAM ; the font: one bit plane per glyph, colour 1
        lda #VWR
        sta @w VDC_SELECT
        ldx #0
glyph   ldy #8
-       lda font,x
        sta @w VDC_LOW
        stz @w VDC_HIGH
        inx
        dey
        bne -
        ldy #8                  ; bit planes 2 and 3 stay empty
-       stz @w VDC_LOW
        stz @w VDC_HIGH
        dey
        bne -
        cpx #font_end - font
        bne glyph

        #setvdc MAWR, TEXT_ROW * 32 + TEXT_COL
        lda #VWR
        sta @w VDC_SELECT
        ldx #0
-       lda message,x
        sta @w VDC_LOW
        lda #>BLANK_TILE
        sta @w VDC_HIGH
        inx
        cpx #message_end - message
        bne -

        #setvdc CR, $0088       ; background on, vertical blank flagged in the status

mainloop
-       lda @w VDC_SELECT       ; wait for the vertical blank
        and #STATUS_VBLANK
        beq -
        inc frame
        lda frame               ; a new text colour every eight frames
        lsr a
        lsr a
        and #$0e
        tax
        lda #1
        sta VCE_INDEX
        stz VCE_INDEX+1
        lda cycle,x
        sta VCE_COLOUR
        lda cycle+1,x
        sta VCE_COLOUR+1
        bra mainloop

ignore  rti

; VDC register, low byte, high byte.
vdcsetup .byte CR, $00, $00
        .byte $06, $00, $00     ; raster compare
        .byte $07, $00, $00     ; horizontal scroll
        .byte $08, $00, $00     ; vertical scroll
        .byte $09, $00, $00     ; map of 32 x 32 tiles
        .byte $0a, $02, $02     ; horizontal sync
        .byte $0b, $1f, $04     ; horizontal display: 32 tiles
        .byte $0c, $02, $0f     ; vertical sync
        .byte $0d, $ef, $00     ; vertical display: 240 lines
        .byte $0e, $03, $00     ; vertical display end
vdcsetup_end

; Colours are 9 bits: green, red, blue, three bits each (GGGRRRBBB).
palette .word %000000100        ; 0: dark blue background
        .word %111111111        ; 1: white text
palette_end
cycle   .word %111111111, %000111000, %111111000, %111000000
        .word %111000111, %000000111, %000111111, %100100100

; Tile numbers of the text: the blank tile plus the glyph's place in the font.
T_SP = 0
T_H = 1
T_E = 2
T_L = 3
T_O = 4
T_P = 5
T_C = 6
T_N = 7
T_G = 8
T_I = 9
T_BANG = 10
message .byte T_H, T_E, T_L, T_L, T_O, T_SP, T_P, T_C, T_SP, T_E, T_N, T_G, T_I, T_N, T_E, T_BANG
message_end

font    .byte 0, 0, 0, 0, 0, 0, 0, 0
        .byte %01100110, %01100110, %01100110, %01111110, %01100110, %01100110, %01100110, 0
        .byte %01111110, %01100000, %01100000, %01111100, %01100000, %01100000, %01111110, 0
        .byte %01100000, %01100000, %01100000, %01100000, %01100000, %01100000, %01111110, 0
        .byte %00111100, %01100110, %01100110, %01100110, %01100110, %01100110, %00111100, 0
        .byte %01111100, %01100110, %01100110, %01111100, %01100000, %01100000, %01100000, 0
        .byte %00111100, %01100110, %01100000, %01100000, %01100000, %01100110, %00111100, 0
        .byte %01100110, %01110110, %01111110, %01111110, %01101110, %01100110, %01100110, 0
        .byte %00111100, %01100110, %01100000, %01101110, %01100110, %01100110, %00111110, 0
        .byte %00111100, %00011000, %00011000, %00011000, %00011000, %00011000, %00111100, 0
        .byte %00011000, %00011000, %00011000, %00011000, %00011000, 0, %00011000, 0
font_end

        * = $fff6               ; interrupt vectors, reset last
        .word ignore            ; IRQ2 and BRK
        .word ignore            ; IRQ1 (video)
        .word ignore            ; timer
        .word ignore            ; NMI
        .word reset
