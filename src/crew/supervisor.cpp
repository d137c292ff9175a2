// The crew supervisor.
#include "crew/supervisor.h"

void superviseCrew() {}
