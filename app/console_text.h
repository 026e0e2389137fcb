// The desktop console's own texts: the credit, the introduction and the message of a failed
// mode switch (the key table is core/keys.h).
#pragma once

extern const char* const credit_line;
extern const char* const introduction_line;
extern const char* const mode_failure_message;
