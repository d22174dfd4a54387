/* Types of the play tables in CPlay.h, which Lumaro writes from the
 * project's compiled modes and its port table "cport.h" for every build.
 *
 * Wiring. Port pair p (0 to 5) is ports 2p+1 and 2p+2: the first port's
 * data bit is on P1.p, the second's on P2.p, both clocked on the rising
 * edge of P0.p. A lamp takes 24 bits, red, green, blue, most significant
 * bit first; the far end of a chain is shifted first, and the chips latch
 * once the clock has been idle for 500 us. All twelve ports shift together.
 *
 * Memory. The frame lives in the controller's on-chip XRAM, never on the
 * external bus (P0 and P2 are the bus and also the lamp lines): 48 bytes a
 * lamp of the longest chain (see frame.asm). PLAY_XRAM is the on-chip XRAM
 * the build is made for (Controller.ini); a frame larger than that fails
 * the build. Everything else the firmware keeps is in internal RAM.
 *
 * Tables. Every list is stored in the order the lamps are painted, so the
 * firmware walks it forward:
 *   PlaySlots    three bytes a lamp: frame offset (low, high), port mask;
 *                mask 0 is a lamp on no port
 *   PlaySeqs     a band: its first slot (byte offset in PlaySlots), count
 *   PlayBands    the bands of the band lists, as indices into PlaySeqs
 *   PlayColours  colour triples, 8 bits a channel, already in the order a
 *                mode takes them (a colour list read from its end is stored
 *                reversed)
 *   PlayModes    the modes of all program groups, group after group
 *   PlayGroups   the 32 program groups: first mode, mode count, and whether
 *                the group has rows at all (the key moves to such groups)
 */
#ifndef PLAYTYP_H
#define PLAYTYP_H

#include "Keywords.h"

/* What a mode does each step. */
#define PLAY_CHASE_BANDS 1 /* every band of the list, colours moving */
#define PLAY_CHASE_LAMPS 2 /* every lamp of the list, colours moving */
#define PLAY_FILL_BANDS  3 /* one more band a step, all left lit */
#define PLAY_FILL_LAMPS  4 /* one more lamp a step, all left lit */
#define PLAY_FADE        5 /* the whole list in one colour moving to a goal */
#define PLAY_BLACK       6 /* every lamp black, once */

typedef struct {
    unsigned char kind;
    unsigned char falling;  /* chases: the colour index falls along the list */
    unsigned long steps;    /* frames the mode shows */
    unsigned long period;   /* ms from one frame of the mode to the next */
    unsigned int count;     /* entries of the list: bands or lamps */
    unsigned int list;      /* bands: first entry in PlayBands; lamps: first
                               slot (byte offset in PlaySlots) */
    unsigned int colours;   /* triples of the mode's colour list */
    unsigned int colour;    /* byte offset of its first triple in PlayColours;
                               a fade: its start, then its goal */
    unsigned int first;     /* colour index of the first entry at step 0 */
    unsigned char fadestep; /* a fade: how far a channel moves a step */
} PLAYMODE;

typedef struct {
    unsigned int slot;
    unsigned int count;
} PLAYSEQ;

typedef struct {
    unsigned int first;
    unsigned int count;
    unsigned char rows;
} PLAYGROUP;

#endif
