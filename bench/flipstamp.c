/* LD_PRELOAD shim for the unchanged game: wraps SDL_Flip and writes one line per frame to $FLIPSTAMP_LOG:
 * wall-clock ns when the flip began and ended, and this thread's CPU ns spent inside it, so fps and the
 * flip's share of the CPU can be told apart without touching the game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef struct SDL_Surface SDL_Surface;

static long long ns(clockid_t c)
{
    struct timespec t;
    clock_gettime(c, &t);
    return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

int SDL_Flip(SDL_Surface* screen)
{
    static int (*real)(SDL_Surface*);
    static int fd = -2;
    if (!real)
        real = (int (*)(SDL_Surface*))dlsym(RTLD_NEXT, "SDL_Flip");
    if (fd == -2) {
        const char* path = getenv("FLIPSTAMP_LOG");
        fd = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644) : -1;
    }
    const long long w0 = ns(CLOCK_MONOTONIC), c0 = ns(CLOCK_THREAD_CPUTIME_ID);
    const int r = real(screen);
    const long long w1 = ns(CLOCK_MONOTONIC), c1 = ns(CLOCK_THREAD_CPUTIME_ID);
    if (fd >= 0) {
        char line[96];
        const int n = snprintf(line, sizeof line, "%lld %lld %lld\n", w0, w1, c1 - c0);
        if (write(fd, line, (size_t)n) < 0) {
            close(fd);
            fd = -1;
        }
    }
    return r;
}
