/* Lamp controller firmware: plays the program groups of the project as
 * Lumaro's preview plays them one mode after another.
 *
 * Program group g plays its modes in order, each step of a mode one frame,
 * and starts again after its last mode; lamps keep their colour until a
 * mode paints them again. The key on P3.2 (low when pressed) moves on to
 * the next group that has rows, starting from group 0 at reset.
 *
 * Timing: timer 0 counts milliseconds (12 MHz crystal). A step's frame is
 * prepared first, then shifted out when it is due: one step's period after
 * the frame before. A step that takes longer than its period to prepare and
 * shift is shown as soon as it is ready.
 *
 * The tables come from CPlay.h (types in PlayTyp.h); the frame and the
 * routines that paint and shift it are in frame.asm.
 */
#include <8051.h>
#include "CPlay.h"

#ifndef FILEFMT
#error "FILEFMT (1, 2 or 3) must be defined"
#endif
#if FILEFMT != PLAY_FORMAT
#error "CPlay.h was made for another file format"
#endif
#if PLAY_FRAMEBYTES > PLAY_XRAM
#error "The frame does not fit in the controller's on-chip XRAM"
#endif

/* Tells a reader of the image which file format it was built for. */
code unsigned char image_format = FILEFMT;

/* The frame, at the bottom of the on-chip XRAM (one byte at least). */
xdata unsigned char frame[PLAY_FRAMEBYTES ? PLAY_FRAMEBYTES : 1];

/* Shared with frame.asm. */
unsigned int shift_count = PLAY_LAMPTIMES;
unsigned int frame_bytes = PLAY_FRAMEBYTES;
unsigned int paint_src;
unsigned int paint_cnt;
unsigned char paint_rgb[3];
void shift_frame(void);
void paint(void);
void clear_frame(void);

static volatile unsigned long ms;
static unsigned long due;      /* when the next frame may be shifted */
static unsigned char played;   /* a frame was shown in this pass */

/* 1000 cycles a tick. Adding the reload to the running count keeps the
 * cycles since the overflow; the timer stands still for the 11 cycles of
 * the addition, which the reload gives back: 65536 - 1000 + 11. */
#define RELOAD_HI 0xFC
#define RELOAD_LO 0x23

void tick(void) __interrupt(1) __naked
{
    __asm
        clr     _TR0
        push    psw
        push    acc
        mov     a,_TL0
        add     a,#RELOAD_LO
        mov     _TL0,a
        mov     a,_TH0
        addc    a,#RELOAD_HI
        mov     _TH0,a
        setb    _TR0
        inc     _ms
        mov     a,_ms
        jnz     00001$
        inc     (_ms + 1)
        mov     a,(_ms + 1)
        jnz     00001$
        inc     (_ms + 2)
        mov     a,(_ms + 2)
        jnz     00001$
        inc     (_ms + 3)
00001$:
        pop     acc
        pop     psw
        reti
    __endasm;
}

static unsigned long now(void)
{
    unsigned long t;

    EA = 0;
    t = ms;
    EA = 1;
    return t;
}

/* Waits until t; 0 when the key cut the wait short. */
static unsigned char wait_until(unsigned long t)
{
    while ((long)(now() - t) < 0)
        if (!P3_2)
            return 0;
    return 1;
}

/* Shows the prepared frame when it is due and books the next one a period
 * later; 0 when the key was pressed. */
static unsigned char show(unsigned long period)
{
    unsigned long t;

    if (!P3_2 || !wait_until(due))
        return 0;
    t = now();
    if ((long)(t - due) > 0)
        due = t; /* late: no catching up */
    shift_frame();
    due += period;
    /* the chips latch after 500 us of idle clock: leave at least 1 ms */
    t = now() + 2;
    if ((long)(t - due) > 0)
        due = t;
    played = 1;
    return 1;
}

static void set_colour(unsigned char code *c)
{
    paint_rgb[0] = c[0];
    paint_rgb[1] = c[1];
    paint_rgb[2] = c[2];
}

static void paint_slots(unsigned int slot, unsigned int count)
{
    paint_src = (unsigned int)(PlaySlots + slot);
    paint_cnt = count;
    paint();
}

static void paint_band(unsigned int code *band)
{
    PLAYSEQ code *q = PlaySeqs + *band;

    paint_slots(q->slot, q->count);
}

/* Chases: each step paints every entry, entry v in colour k0 + v (or
 * k0 - v when falling), k0 moving on by one a step. Colours are walked by
 * pointer: this loop runs for every lamp of a lamp chase. */
static unsigned char chase(PLAYMODE code *m)
{
    unsigned long s, steps = m->steps, period = m->period;
    unsigned int v, n = m->count;
    unsigned char falling = m->falling, bands = m->kind == PLAY_CHASE_BANDS;
    unsigned char code *first = PlayColours + m->colour;
    unsigned char code *last = first + 3 * (m->colours - 1);
    unsigned char code *k0 = first + 3 * m->first;
    unsigned char code *k;
    unsigned int code *band;

    for (s = 0; s < steps; s++) {
        k = k0;
        band = PlayBands + m->list;
        paint_src = (unsigned int)(PlaySlots + m->list);
        paint_cnt = 1;
        for (v = n; v; v--) {
            set_colour(k);
            if (bands) {
                paint_band(band++);
            } else {
                paint();
                paint_src += 3;
            }
            if (falling)
                k = k == first ? last : k - 3;
            else
                k = k == last ? first : k + 3;
        }
        if (!show(period))
            return 0;
        k0 = k0 == last ? first : k0 + 3;
    }
    return 1;
}

/* Fills: step i paints entry i in colour i, and leaves it lit. */
static unsigned char fill(PLAYMODE code *m)
{
    unsigned int i, n = m->count;
    unsigned long period = m->period;
    unsigned char bands = m->kind == PLAY_FILL_BANDS;
    unsigned char code *first = PlayColours + m->colour;
    unsigned char code *last = first + 3 * (m->colours - 1);
    unsigned char code *k = first;
    unsigned int code *band = PlayBands + m->list;
    unsigned int slot = m->list;

    for (i = 0; i < n; i++) {
        set_colour(k);
        if (bands)
            paint_band(band++);
        else
            paint_slots(slot, 1);
        slot += 3;
        if (!show(period))
            return 0;
        k = k == last ? first : k + 3;
    }
    return 1;
}

static unsigned char toward(unsigned char from, unsigned char to, unsigned char step)
{
    if (from < to)
        return to - from > step ? from + step : to;
    return from - to > step ? from - step : to;
}

/* A fade: the whole list in one colour, each channel moving by the step
 * toward the goal without passing it. */
static unsigned char fade(PLAYMODE code *m)
{
    unsigned long f;
    unsigned char code *goal = PlayColours + m->colour + 3;
    unsigned char k;

    set_colour(PlayColours + m->colour);
    for (f = 0; f < m->steps; f++) {
        paint_slots(m->list, m->count);
        if (!show(m->period))
            return 0;
        for (k = 0; k < 3; k++)
            paint_rgb[k] = toward(paint_rgb[k], goal[k], m->fadestep);
    }
    return 1;
}

static unsigned char play(PLAYMODE code *m)
{
    switch (m->kind) {
    case PLAY_CHASE_BANDS:
    case PLAY_CHASE_LAMPS:
        return chase(m);
    case PLAY_FILL_BANDS:
    case PLAY_FILL_LAMPS:
        return fill(m);
    case PLAY_FADE:
        return fade(m);
    case PLAY_BLACK:
        clear_frame();
        return show(0);
    }
    return 1;
}

/* The next group after g that has rows; g itself when there is none. */
static unsigned char next_group(unsigned char g)
{
    unsigned char i, n = g;

    for (i = 0; i < 32; i++) {
        n = (n + 1) % 32;
        if (PlayGroups[n].rows)
            return n;
    }
    return g;
}

void main(void)
{
    unsigned char g = 0;
    unsigned int i;
    PLAYGROUP code *grp;

    P0 = 0;
    P1 = 0;
    P2 = 0;
    TMOD = (TMOD & 0xF0) | 0x01;
    TH0 = RELOAD_HI;
    TL0 = RELOAD_LO;
    ET0 = 1;
    TR0 = 1;
    EA = 1;

    if (!PlayGroups[0].rows)
        g = next_group(0);
    clear_frame();
    due = now();
    for (;;) {
        grp = PlayGroups + g;
        played = 0;
        for (i = 0; i < grp->count; i++)
            if (!play(PlayModes + grp->first + i))
                break;
        if (i == grp->count && !played) {
            /* nothing to play: show black and wait for the key */
            clear_frame();
            show(0);
            while (P3_2)
                ;
        } else if (i == grp->count) {
            continue; /* the group again, in step with its last period */
        }
        while (!P3_2)
            ;
        wait_until(now() + 20); /* let the key settle */
        g = next_group(g);
        clear_frame();
        due = now();
    }
}
