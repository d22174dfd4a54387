/* Types of the tables in CData.h, shared by both file formats. The
 * firmware itself plays CPlay.h (PlayTyp.h); CData.h stays the typed
 * form of the generated tables for tools that read them.
 *
 * Every number a table can carry fits its member: timings and colour
 * channels come from 32-bit project fields, so they are 32 bits here.
 * Counts stay 16 bits: a list longer than 65535 entries cannot fit in
 * the 64 KiB code space, so such a build fails at link time anyway. The
 * build scripts also stop at any constant the compiler had to cut short.
 *
 * Port lines. Portp[5] = {0, A, B, S, C} describes the port pair 2p+1
 * and 2p+2, which the firmware shifts out side by side:
 *   0  reserved, the firmware's running step; always 0
 *   A  lamps on the first port of the pair
 *   B  lamps on the second port
 *   S  lamps on all ports before the pair (running total): the index of
 *      the first port's first lamp when the lamps are laid out port after
 *      port; the second port's lamps start at S + A
 *   C  pair code: 0 both chains equally long and not empty, 1 the first
 *      is shorter, 2 the second is shorter, 3 both empty
 */
#ifndef DATTYP_H
#define DATTYP_H

#include "Keywords.h"

/* Index of each member in a port line. */
#define PORT_STEP   0
#define PORT_FIRST  1
#define PORT_SECOND 2
#define PORT_BEFORE 3
#define PORT_CODE   4

/* Pair codes. */
#define PAIR_EVEN         0
#define PAIR_FIRST_SHORT  1
#define PAIR_SECOND_SHORT 2
#define PAIR_EMPTY        3

/* One colour. Ramp lists hold the end colour as a direction code above
 * the level (level + 512 falling, + 768 rising), so channels exceed 255. */
typedef struct {
    unsigned long red;
    unsigned long green;
    unsigned long blue;
} RGB;

/* One band of a band list: a lamp sequence and its length. An empty band
 * list is the single element {0,0}. */
typedef struct {
    unsigned int count;
    unsigned int code *lamps;
} CSTG;

/* Element kinds. */
#define PTN_BANDS      0   /* band list played band by band, loop times */
#define PTN_RAMP       3   /* colour ramp over a lamp sequence */
#define PTN_BANDS_HOLD 4   /* band list played once, then held */
#define PTN_LAMPS      5   /* lamp sequence played lamp by lamp, loop times */
#define PTN_LAMPS_HOLD 9   /* lamp sequence played once, then held */
#define PTN_NONE       99  /* a group without playable rows */

/* One element of a program: {kind, interval, repeat, reverse, bandcnt,
 * bands, clrcnt, colours, {0,0,0}, 0, lampcnt, lamps}. A list not used
 * is 0, an empty one a one-element table; both have a count of 0. A
 * table may hold more slots than elements (rows
 * that have none, such as regroup or empty modes); the slots left over
 * are all zero and play nothing. */
typedef struct {
    unsigned char kind;
    unsigned long interval;     /* 0.01 s per step */
    unsigned long repeat;       /* loop count (kinds 0, 5), hold time in
                                   0.1 s (4, 9), number of steps (3) */
    unsigned char reverse;      /* 1: run the list from its end */
    unsigned int bandcnt;
    CSTG code *bands;
    unsigned int clrcnt;        /* colours; a ramp has 2, start and end */
    RGB code *colours;
    unsigned char spare[3];     /* always zero */
    unsigned char step;         /* always zero; the running step is in RAM */
    unsigned int lampcnt;
    unsigned int code *lamps;
} PTN;

#endif
