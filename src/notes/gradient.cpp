#include "notes/gradient.h"
