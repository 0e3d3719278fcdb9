// A parser that reaches up into the texts layer.
#include "lang/sprachen.h"
