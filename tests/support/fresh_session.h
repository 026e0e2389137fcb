// A session at its start values for each test, and the desktop's pointer at it.
#pragma once

#include "app/desktop_session.h"

inline Session& fresh_session() {
    static Session session;
    session = Session{};
    g_session = &session;
    return session;
}
