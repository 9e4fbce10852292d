; starfield.asm - a scrolling star field with a ship that the pad steers
; Written for the highlighter's tests: every kind of token appears at least once.

; ---- hardware ports --------------------------------------------------------
VDC_REG     = $0000             ; register select
VDC_DATA_LO = $0002
VDC_DATA_HI = $0003
VCE_CTRL    .equ $0400
VCE_ADDR_LO .equ $0402
VCE_DATA_LO .equ $0404
JOYPAD      equ $1000
TIMER_CTRL  equ $0C01
IRQ_DISABLE equ $1402
IRQ_STATUS  equ $1403

STAR_COUNT  = 24
SHIP_SPEED  = 2
PAD_UP      = %00010000
PAD_DOWN    = %01000000
PAD_LEFT    = %10000000
PAD_RIGHT   = %00100000
PAD_RUN     = %00001000

; ---- zero page -------------------------------------------------------------
        .zp
frame:      .ds 1
pad_now:    .ds 1
pad_old:    .ds 1
ship_x:     .ds 2
ship_y:     .ds 2
star_ptr:   .ds 2
temp:       .ds 4

        .bss
star_x:     .ds STAR_COUNT
star_y:     .ds STAR_COUNT
star_speed: .ds STAR_COUNT
sat_copy:   .ds 512

; ---- macros ----------------------------------------------------------------
vreg    .macro
        st0 #\1
        .endm

vdata   .macro
        st1 #LOW(\1)
        st2 #HIGH(\1)
        .endm

; ---- reset -----------------------------------------------------------------
        .code
        .bank 0
        .org $E000

reset:
        sei                     ; no interrupts while we set up
        csh                     ; full speed: 7.16 MHz
        cld
        ldx #$FF
        txs
        lda #$FF
        tam #0                  ; I/O page at $0000
        lda #$F8
        tam #1                  ; work RAM at $2000
        stz IRQ_DISABLE
        lda #$07
        sta IRQ_DISABLE         ; all interrupts off for now
        stz TIMER_CTRL

        ; clear work RAM with a block transfer
        stz $2000
        tii $2000, $2001, $1FFF

        jsr init_vdc
        jsr init_palette
        jsr init_stars

        lda #128
        sta ship_x
        stz ship_x+1
        lda #112
        sta ship_y
        stz ship_y+1

        lda #%00000101          ; vertical blank interrupt on
        sta IRQ_DISABLE
        cli

main_loop:
        lda frame
.wait:  cmp frame
        beq .wait
        jsr read_pad
        jsr move_ship
        jsr move_stars
        bra main_loop

; ---- video setup -----------------------------------------------------------
init_vdc:
        cly
.next:  lda vdc_table,y
        cmp #$FF
        beq .done
        sta VDC_REG
        iny
        lda vdc_table,y
        sta VDC_DATA_LO
        iny
        lda vdc_table,y
        sta VDC_DATA_HI
        iny
        bra .next
.done:  rts

vdc_table:
        .db $05, $C8, $00       ; control: sprites and background on, vblank irq
        .db $06, $00, $00
        .db $07, $00, $00       ; scroll x
        .db $08, $00, $00       ; scroll y
        .db $09, $10, $00       ; 32 x 32 map
        .db $0A, $02, $02
        .db $0B, $1F, $04
        .db $0C, $02, $0F
        .db $0D, $EF, $00
        .db $0E, $03, $00
        .db $0F, $10, $00
        .db $13, $00, $7F       ; sprite table at $7F00
        .db $FF

init_palette:
        stz VCE_CTRL
        stz VCE_ADDR_LO
        stz VCE_ADDR_LO+1
        tia palette, VCE_DATA_LO, palette_end-palette
        rts

palette:
        .dw $0000, $01FF, $0124, $0092, $0049, $01B6, $016D, $0000
palette_end:

; ---- stars -----------------------------------------------------------------
init_stars:
        clx
.loop:  jsr random
        sta star_x,x
        jsr random
        and #$7F
        clc
        adc #48
        sta star_y,x
        txa
        and #3
        inc a
        sta star_speed,x
        inx
        cpx #STAR_COUNT
        bne .loop
        rts

move_stars:
        clx
.loop:  lda star_x,x
        sec
        sbc star_speed,x
        sta star_x,x
        bcs .same_row
        jsr random
        and #$7F
        adc #48
        sta star_y,x
.same_row:
        inx
        cpx #STAR_COUNT
        bne .loop
        rts

; A tiny linear-feedback generator: returns a new byte in A.
random:
        lda seed
        asl a
        bcc .no_eor
        eor #$1D
.no_eor:
        sta seed
        rts

seed:   .db 'Q'

; ---- pad and ship ----------------------------------------------------------
read_pad:
        lda pad_now
        sta pad_old
        lda #$01
        sta JOYPAD              ; reset the multitap
        lda #$03
        sta JOYPAD
        lda #$01
        sta JOYPAD
        lda JOYPAD              ; directions
        asl a
        asl a
        asl a
        asl a
        sta temp
        stz JOYPAD
        lda JOYPAD              ; buttons
        and #$0F
        ora temp
        eor #$FF
        sta pad_now
        rts

move_ship:
        bbr4 pad_now, .not_up   ; bit 4: up
        lda ship_y
        sec
        sbc #SHIP_SPEED
        sta ship_y
.not_up:
        bbr6 pad_now, .not_down
        lda ship_y
        clc
        adc #SHIP_SPEED
        sta ship_y
.not_down:
        tst #PAD_LEFT, pad_now
        beq .not_left
        dec ship_x
        dec ship_x
.not_left:
        tst #PAD_RIGHT, pad_now
        beq .not_right
        inc ship_x
        inc ship_x
.not_right:
        rts

; ---- interrupts ------------------------------------------------------------
vblank:
        pha
        phx
        phy
        lda VDC_REG             ; acknowledge the VDC
        inc frame
        vreg 7
        vdata 0
        ply
        plx
        pla
        rti

timer:  stz IRQ_STATUS
        rti

nothing:
        rti

message:
        .db "Stars & ship; no \"escapes\" here", 0
        .db 'it''s', 0
        .db "unterminated
        .dw 1234, 0FFh, %1010, $, %2, $ffff

; ---- vectors ---------------------------------------------------------------
        .org $FFF6
        .dw nothing             ; IRQ2 (BRK)
        .dw vblank              ; IRQ1 (VDC)
        .dw timer               ; timer
        .dw nothing             ; NMI
        .dw reset               ; reset
