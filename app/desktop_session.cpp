#include "app/desktop_session.h"

Session* g_session = nullptr;
