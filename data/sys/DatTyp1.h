/* Table types of file format 1 (256, all controllers). */
#ifndef DATTYP1_H
#define DATTYP1_H
#define DATTYP 1
#include "DatTyp.h"
#endif
