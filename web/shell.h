// The page's shell (web/shell.cpp): its session, for the native runs of the shell.
#pragma once

#include "core/session.h"

Session& page_session();
