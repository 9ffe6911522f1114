// The process entry point. Everything else lives in the game library, where the tests reach it too.
#include "main.h"
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>

// Runs before every other constructor of the program, the game's globals included (the battle loads a picture).
__attribute__((constructor(101))) static void guardStandardStreams()
{
    // A closed 0, 1 or 2 would go to the next file opened, the X connection among them, and a line meant for
    // standard output or error would then corrupt that stream. /dev/null read-only: a write there still fails, as
    // on the closed one, so --help and --version still see that their output was lost.
    for (int fd = 0; fd <= 2; ++fd)
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF)
            open("/dev/null", O_RDONLY); // the lowest free number, which is fd
    // A reader of our output that has gone costs its lines, not the game: the write fails instead.
    signal(SIGPIPE, SIG_IGN);
}

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
