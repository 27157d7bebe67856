// The block fault seam: unset, every allocation is tried for real.
#include "transfer/seams/JwwBlockAllocSeam.h"

bool (*jwwBlockAllocFails)() = nullptr;
