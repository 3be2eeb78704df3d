#include "x/b.h"
#include "x/a.h"
