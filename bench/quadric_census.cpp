// Preloaded into the real program (LD_PRELOAD), reports on standard error every change in the
// number of GLU quadric objects alive: "quadrics alive N".
#include <GL/glu.h>
#include <dlfcn.h>

#include <cstdio>

namespace {

int alive = 0;

template <typename Function>
Function next_definition(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" GLUquadric* gluNewQuadric() {
    static auto real = next_definition<GLUquadric* (*)()>("gluNewQuadric");
    std::fprintf(stderr, "quadrics alive %d\n", ++alive);
    return real();
}

extern "C" void gluDeleteQuadric(GLUquadric* quadric) {
    static auto real = next_definition<void (*)(GLUquadric*)>("gluDeleteQuadric");
    std::fprintf(stderr, "quadrics alive %d\n", --alive);
    real(quadric);
}
