#include "x/a.h"
#include "x/b.h"
