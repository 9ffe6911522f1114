// The process entry point. Everything else lives in the game library, where the tests reach it too.
#include "main.h"
#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    const int status = SDL_main(argc, argv);
    // Cleaned up after SIGINT or SIGTERM: now die of it, so that the shell sees the signal.
    if (stopSignal != 0) {
        fflush(nullptr); // dying by a signal skips the flush at exit
        signal(stopSignal, SIG_DFL);
        raise(stopSignal);
    }
    return status;
}
