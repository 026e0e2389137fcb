#include "app/console_text.h"

const char* const credit_line =
    "planewave3d, by the planewave3d developers: see the project's README for more.\n";
const char* const introduction_line =
    "It is for interactive visualization of electromagnetic plane wave reflection and "
    "transmission on 3D TV.\n";
const char* const mode_failure_message =
    "Setting screen for 16:9 resolution failed. Please use compatible screen ...";
