; The video driver of the tiles project, called from C (see vdc.h). cc65 passes the last
; argument of a __fastcall__ function in A (low byte) and X (high byte) and the ones before it on
; its argument stack, from where popax takes them.

        .include        "pce.inc"
        .include        "zeropage.inc"

        .import         popax
        .export         _vram_seek, _vram_put, _vram_copy
        .export         _vce_seek, _vce_put

        .code

; void __fastcall__ vram_seek(unsigned address);
_vram_seek:
        php
        sei
        st0     #VDC_MAWR
        sta     VDC_DATA_LO
        stx     VDC_DATA_HI
        plp
        rts

; void __fastcall__ vram_put(unsigned word);
_vram_put:
        php
        sei
        st0     #VDC_VWR
        sta     VDC_DATA_LO
        stx     VDC_DATA_HI     ; the high byte completes the write
        plp
        rts

; void __fastcall__ vram_copy(const void* words, unsigned count);
_vram_copy:
        sta     tmp1            ; count, low and high byte
        stx     tmp2
        jsr     popax           ; words
        sta     ptr1
        stx     ptr1+1
        php
        sei
        st0     #VDC_VWR
        ldy     #0
@next:  lda     tmp1
        ora     tmp2
        beq     @done
        lda     (ptr1),y
        sta     VDC_DATA_LO
        iny
        lda     (ptr1),y
        sta     VDC_DATA_HI
        iny
        bne     @count
        inc     ptr1+1          ; the next 256 bytes
@count: lda     tmp1
        bne     @low
        dec     tmp2
@low:   dec     tmp1
        bra     @next
@done:  plp
        rts

; void __fastcall__ vce_seek(unsigned index);
_vce_seek:
        php
        sei
        sta     VCE_ADDR_LO
        stx     VCE_ADDR_HI
        plp
        rts

; void __fastcall__ vce_put(unsigned colour);
_vce_put:
        php
        sei
        sta     VCE_DATA_LO
        stx     VCE_DATA_HI     ; the high byte completes the write
        plp
        rts
