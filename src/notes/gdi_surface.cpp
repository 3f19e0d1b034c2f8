#include "notes/gdi_surface.h"
