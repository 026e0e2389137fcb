// Stands in for emscripten's header when the page's shell is built natively for its tests.
#pragma once

#define EMSCRIPTEN_KEEPALIVE
