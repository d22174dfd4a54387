/* The generated tables use the C51 memory keywords without underscores;
 * SDCC spells them with two. The build scripts map them on the command
 * line; this does it for a plain "sdcc -c" too. */
#ifndef KEYWORDS_H
#define KEYWORDS_H
#ifdef __SDCC
#ifndef code
#define code __code
#endif
#ifndef data
#define data __data
#endif
#ifndef idata
#define idata __idata
#endif
#ifndef xdata
#define xdata __xdata
#endif
#endif
#endif
