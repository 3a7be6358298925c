/* Loaded with LD_PRELOAD into a program that draws with SDL 1.2: at its first
 * buffer swap, once the frame is on screen, prints the wall-clock time in
 * nanoseconds ("first swap at N") on standard error and ends the program.
 * run-frame-bench subtracts the time it started the program at. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <time.h>
#include <unistd.h>

void SDL_GL_SwapBuffers(void) {
    void (*swap)(void) = (void (*)(void))dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers");
    void (*finish)(void) = (void (*)(void))dlsym(RTLD_DEFAULT, "glFinish");
    swap();
    if (finish) finish();
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    fprintf(stderr, "first swap at %lld\n", (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
    _exit(0);
}
