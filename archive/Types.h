// archive/Types.h: the Win32 type names the engine uses, for builds without windows.h.
#pragma once

typedef int BOOL;
typedef unsigned int UINT;

#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif
