; The controller's frame: the prepared bit stream of every port in on-chip
; XRAM, and the three routines that fill it and shift it out.
;
; Layout. The frame holds one 48-byte block for each lamp time t (0 to the
; longest chain - 1), in the order the lamp times are shifted: t = 0 goes to
; the far end of the longest chain. A block holds the 24 bits of one lamp,
; red, green, blue, most significant bit first, as pairs of bytes: the byte
; written to P1, then the byte written to P2. Bit p of the P1 byte is the data
; bit of port 2p+1, bit p of the P2 byte the one of port 2p+2. A lamp at
; place q of a chain (0 nearest the controller) is shifted at lamp time
; longest - 1 - q; a shorter chain gets zeros first, which fall off its far
; end. So a lamp's bits lie at one offset, every second byte, under one mask.
;
; Cycles (12 clocks each, 1 us at 12 MHz):
;   shifting: 14 a bit (two MOVX, two INC DPTR, three port writes), plus 4 a
;             lamp time for the loop: 340 a lamp time.
;   painting: 9 or 10 a bit (10 when the bit is set), 11 or 12 in a block
;             that crosses a 256-byte page, plus about 45 a lamp.
        .module frame
        .globl  _frame
        .globl  _shift_count
        .globl  _paint_src
        .globl  _paint_cnt
        .globl  _paint_rgb
        .globl  _frame_bytes
        .globl  _shift_frame
        .globl  _paint
        .globl  _clear_frame

        .area   CSEG    (CODE)

; One bit of a lamp: clear it under the mask in r6, set it from bit n of B
; under the mask in r7, go to the lamp's next byte (two on). NEAR steps the
; low address byte only, for a lamp whose bytes stay in one 256-byte page.
        .macro  PUTBIT  n
        movx    a,@dptr
        anl     a,r6
        jnb     (0xF0+n),.+4
        orl     a,r7
        movx    @dptr,a
        inc     dptr
        inc     dptr
        .endm

        .macro  PUTBITNEAR n
        movx    a,@dptr
        anl     a,r6
        jnb     (0xF0+n),.+4
        orl     a,r7
        movx    @dptr,a
        inc     dpl
        inc     dpl
        .endm

        .macro  PUTBYTE
        .irp    n,7,6,5,4,3,2,1,0
        PUTBIT  n
        .endm
        .endm

        .macro  PUTBYTENEAR
        .irp    n,7,6,5,4,3,2,1,0
        PUTBITNEAR n
        .endm
        .endm

; Shifts the frame out on all twelve ports at once: per bit one byte to P1,
; one to P2 and a rising edge on P0.0-P0.5. _shift_count lamp times.
_shift_frame:
        mov     dptr,#_frame
        mov     r4,_shift_count
        mov     r5,(_shift_count+1)
        mov     a,r4
        orl     a,r5
        jnz     00003$
        ret
00003$:
        mov     a,r4
        jz      00001$
        inc     r5
00001$:
        .rept   24
        movx    a,@dptr
        mov     0x90,a
        inc     dptr
        movx    a,@dptr
        mov     0xA0,a
        inc     dptr
        mov     0x80,#0x3F
        mov     0x80,#0x00
        .endm
        djnz    r4,00002$
        djnz    r5,00002$
        ret
00002$:
        ljmp    00001$

; Paints _paint_cnt lamps in the colour _paint_rgb (red, green, blue). The
; lamps are _paint_cnt slots of three bytes in code space from _paint_src:
; the offset of the lamp's first byte in the frame (low, high) and its port
; mask; a mask of 0 is a lamp on no port, which is passed over.
_paint:
        mov     r2,_paint_src
        mov     r3,(_paint_src+1)
        mov     r4,_paint_cnt
        mov     r5,(_paint_cnt+1)
        mov     a,r4
        orl     a,r5
        jnz     00010$
        ret
00010$:
        mov     a,r4
        jz      00011$
        inc     r5
00011$:
        mov     dpl,r2
        mov     dph,r3
        clr     a
        movc    a,@a+dptr
        mov     r0,a
        mov     a,#1
        movc    a,@a+dptr
        mov     r1,a
        mov     a,#2
        movc    a,@a+dptr
        mov     r7,a
        mov     a,r2
        add     a,#3
        mov     r2,a
        jnc     00012$
        inc     r3
00012$:
        mov     a,r7
        jnz     00013$
00019$:
        djnz    r4,00018$
        djnz    r5,00018$
        ret
00018$:
        ljmp    00011$
00013$:
        cpl     a
        mov     r6,a
        mov     a,r0
        add     a,#<_frame
        mov     dpl,a
        mov     a,r1
        addc    a,#>_frame
        mov     dph,a
        mov     a,dpl
        add     a,#46
        jnc     00016$
        ljmp    00015$
00016$:
        ; the lamp's 47 bytes stay in one page: step the low byte only
        mov     b,_paint_rgb
        PUTBYTENEAR
        mov     b,(_paint_rgb+1)
        PUTBYTENEAR
        mov     b,(_paint_rgb+2)
        PUTBYTENEAR
        ljmp    00019$
00015$:
        mov     b,_paint_rgb
        PUTBYTE
        mov     b,(_paint_rgb+1)
        PUTBYTE
        mov     b,(_paint_rgb+2)
        PUTBYTE
        ljmp    00019$

; Sets every byte of the frame to 0: all lamps black. _frame_bytes bytes.
_clear_frame:
        mov     dptr,#_frame
        mov     r4,_frame_bytes
        mov     r5,(_frame_bytes+1)
        mov     a,r4
        orl     a,r5
        jz      00029$
        mov     a,r4
        jz      00021$
        inc     r5
00021$:
        clr     a
00022$:
        movx    @dptr,a
        inc     dptr
        djnz    r4,00022$
        djnz    r5,00022$
00029$:
        ret
