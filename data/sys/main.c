/* Lamp controller firmware: plays the 32 programs of CData.h.
 *
 * Port pair p (0..5) shifts its first port's bits out on P1.p and its
 * second port's on P2.p, clocked together on P0.p. A key on P3.2 (low when
 * pressed) moves on to the next program. 12 MHz crystal.
 *
 * Lamp numbers index the frame in on-chip XRAM: red, green, blue bytes per
 * lamp, laid out port after port as the port lines describe. The play
 * functions are reentrant so that their locals share the stack instead of
 * filling internal RAM; the shifting code keeps fixed locals, for speed.
 */
#include <8051.h>
#include "CData.h"

#ifndef FILEFMT
#error "FILEFMT (1, 2 or 3) must be defined"
#endif
#if (FILEFMT == 1) != (DATTYP == 1)
#error "CData.h was made for another file format"
#endif
#if TOTLMPCNT > 21844
#error "More lamps than the frame can hold in 64 KB of XRAM"
#endif

typedef struct {
    PTN code *elements;
    unsigned int count;
} PROGRAM;

#define PRG(n) { ShowPtn##n, PTNCNT##n }
static PROGRAM code programs[32] = {
    PRG(1),  PRG(2),  PRG(3),  PRG(4),  PRG(5),  PRG(6),  PRG(7),  PRG(8),
    PRG(9),  PRG(10), PRG(11), PRG(12), PRG(13), PRG(14), PRG(15), PRG(16),
    PRG(17), PRG(18), PRG(19), PRG(20), PRG(21), PRG(22), PRG(23), PRG(24),
    PRG(25), PRG(26), PRG(27), PRG(28), PRG(29), PRG(30), PRG(31), PRG(32)
};

static unsigned int code * code ports[6] = { Port0, Port1, Port2, Port3, Port4, Port5 };

/* Tells a reader of the image which file format it was built for. */
code unsigned char image_format = FILEFMT;
/* A constant in code space: no always-false comparisons without lamps. */
static code unsigned int lamp_total = TOTLMPCNT;

/* One spare lamp, so that a project without lamps still has a frame. */
static xdata unsigned char frame[3ul * (TOTLMPCNT + 1ul)];
static unsigned char program;
static unsigned char next_program;

static unsigned char level(unsigned long v)
{
    return v > 255 ? 255 : (unsigned char)v;
}

static void set_lamp(unsigned int lamp, RGB code *c)
{
    xdata unsigned char *p;

    if (lamp >= lamp_total)
        return;
    p = frame + 3 * lamp;
    p[0] = level(c->red);
    p[1] = level(c->green);
    p[2] = level(c->blue);
}

static void clear_frame(void)
{
    unsigned int i;

    for (i = 0; i < sizeof frame; i++)
        frame[i] = 0;
}

/* Shifts one byte to each port of a pair, most significant bit first. */
static void shift_pair(unsigned char mask, unsigned char a, unsigned char b)
{
    unsigned char n;

    for (n = 8; n; n--) {
        P1 = (a & 0x80) ? (P1 | mask) : (P1 & ~mask);
        P2 = (b & 0x80) ? (P2 | mask) : (P2 & ~mask);
        P0 |= mask;
        P0 &= ~mask;
        a <<= 1;
        b <<= 1;
    }
}

/* Sends the frame. The far end of a chain is shifted first; the shorter
 * chain of a pair gets padding first, which falls off its far end. */
static void show(void)
{
    unsigned char p, k, mask;
    unsigned int i, n, a, b, first;
    unsigned int code *line;
    xdata unsigned char *x, *y;

    for (p = 0, mask = 1; p < 6; p++, mask <<= 1) {
        line = ports[p];
        if (line[PORT_CODE] == PAIR_EMPTY)
            continue;
        a = line[PORT_FIRST];
        b = line[PORT_SECOND];
        first = line[PORT_BEFORE];
        n = line[PORT_CODE] == PAIR_FIRST_SHORT ? b : a;
        for (i = n; i--; ) {
            x = frame + 3 * (first + i);
            y = frame + 3 * (first + a + i);
            for (k = 0; k < 3; k++)
                shift_pair(mask, i < a ? x[k] : 0, i < b ? y[k] : 0);
        }
    }
}

/* Waits n times 10 ms on timer 0; the key cuts the wait short. */
static void wait(unsigned long n)
{
    TMOD = (TMOD & 0xF0) | 0x01;
    while (n-- && !next_program) {
        TH0 = (65536 - 10000) >> 8;
        TL0 = (65536 - 10000) & 0xFF;
        TF0 = 0;
        TR0 = 1;
        while (!TF0)
            ;
        TR0 = 0;
        if (!P3_2)
            next_program = 1;
    }
}

static void play_bands(PTN code *e) __reentrant
{
    unsigned int j, band;
    CSTG code *g;
    unsigned int code *l;

    for (j = 0; j < e->bandcnt && !next_program; j++) {
        band = e->reverse ? e->bandcnt - 1 - j : j;
        g = e->bands + band;
        clear_frame();
        for (l = g->lamps; l && l < g->lamps + g->count; l++)
            set_lamp(*l, e->colours + band % e->clrcnt);
        show();
        wait(e->interval);
    }
}

static void play_lamps(PTN code *e) __reentrant
{
    unsigned int j, at;

    clear_frame();
    for (j = 0; j < e->lampcnt && !next_program; j++) {
        at = e->reverse ? e->lampcnt - 1 - j : j;
        set_lamp(e->lamps[at], e->colours + j % e->clrcnt);
        show();
        wait(e->interval);
    }
}

/* A ramp's end channel is its level plus a direction code of 512 or 768. */
static unsigned char end_level(unsigned long v)
{
    return level(v >= 768 ? v - 768 : v >= 512 ? v - 512 : v);
}

/* from + (to - from) * pos / 128; pos is 0..128, so 16 bits do. */
static unsigned char mix(unsigned char from, unsigned char to, unsigned char pos)
{
    return from + ((int)to - from) * pos / 128;
}

static void play_ramp(PTN code *e) __reentrant
{
    RGB code *c = e->colours;
    unsigned long s, n = e->repeat;
    unsigned char pos, rgb[3], k;
    unsigned int j;
    xdata unsigned char *p;

    for (s = 0; !next_program; s++) {
        /* how far along, 0..128, without overflowing 32 bits */
        pos = n == 0 ? 128 : n < 0x1000000ul ? (s << 7) / n : s / (n >> 7);
        rgb[0] = mix(level(c[0].red), end_level(c[1].red), pos);
        rgb[1] = mix(level(c[0].green), end_level(c[1].green), pos);
        rgb[2] = mix(level(c[0].blue), end_level(c[1].blue), pos);
        for (j = 0; j < e->lampcnt; j++) {
            if (e->lamps[j] >= lamp_total)
                continue;
            p = frame + 3 * e->lamps[j];
            for (k = 0; k < 3; k++)
                p[k] = rgb[k];
        }
        show();
        wait(e->interval);
        if (s == n)
            break;
    }
}

static void play(PTN code *e) __reentrant
{
    unsigned char held = e->kind == PTN_BANDS_HOLD || e->kind == PTN_LAMPS_HOLD;
    unsigned long rounds = held || !e->repeat ? 1 : e->repeat;

    if (e->kind == PTN_RAMP && e->lampcnt && e->clrcnt >= 2)
        play_ramp(e);
    else if ((e->kind == PTN_BANDS || e->kind == PTN_BANDS_HOLD) && e->bandcnt && e->clrcnt)
        while (rounds-- && !next_program)
            play_bands(e);
    else if ((e->kind == PTN_LAMPS || e->kind == PTN_LAMPS_HOLD) && e->lampcnt && e->clrcnt)
        while (rounds-- && !next_program)
            play_lamps(e);
    else
        return; /* PTN_NONE, empty lists and slots without an element */
    if (held)
        wait(10 * e->repeat);
}

void main(void)
{
    unsigned int i;
    PROGRAM code *prg;

    P0 = 0;
    for (;;) {
        if (!P3_2)
            next_program = 1;
        prg = programs + program;
        for (i = 0; i < prg->count && !next_program; i++)
            play(prg->elements + i);
        if (next_program || prg->count == 0) {
            /* on to the next program that has rows */
            for (i = 0; i < 32; i++) {
                program = (program + 1) % 32;
                if (programs[program].count)
                    break;
            }
            while (!P3_2)
                ;
            next_program = 0;
        }
    }
}
