// Downward: allowed.
#include "mp3/mpegfile.h"
