/* Table types of file formats 2 (512, V3.0 and above) and 3 (1000 series). */
#ifndef DATTYP2_H
#define DATTYP2_H
#define DATTYP 2
#include "DatTyp.h"
#endif
