// The desktop's one session, which main owns: the toolkit's callbacks take no argument of
// ours, so they reach it through this one process-wide pointer.
#pragma once

#include "core/session.h"

extern Session* g_session;
