#include "app/console_text.h"

#include "scene/translate.h"

const char* const credit_line = translatable(
    "planewave3d, by the planewave3d developers: see the project's README for more.\n");
const char* const introduction_line = translatable(
    "It is for interactive visualization of electromagnetic plane wave reflection and "
    "transmission on 3D TV.\n");
const char* const mode_failure_message =
    translatable("Setting screen for 16:9 resolution failed. Please use compatible screen ...");
