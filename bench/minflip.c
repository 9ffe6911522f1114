/* The least an SDL 1.2 program does to show a frame: the game's video mode and one flip. scripts/startup.sh times
 * it against the game from exec to the end of the first flip. */
#include <SDL/SDL.h>

int main(void)
{
    if (SDL_Init(SDL_INIT_VIDEO) == -1)
        return 1;
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 32, SDL_FULLSCREEN);
    const int status = screen && SDL_Flip(screen) == 0 ? 0 : 1;
    SDL_Quit();
    return status;
}
