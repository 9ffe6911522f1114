// The process entry point. Everything else lives in the game library, where the tests reach it too.
#include "main.h"

int main(int argc, char* argv[])
{
    return SDL_main(argc, argv);
}
