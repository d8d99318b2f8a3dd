// duskvane-message-box CAPTION MESSAGE: shows one error box and ends when it is closed. The game
// starts it for each box (see MessageBox.h for why a process of its own).
#include <SDL2/SDL.h>
#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fputs("usage: duskvane-message-box CAPTION MESSAGE\n", stderr);
        return 2;
    }
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, argv[1], argv[2], nullptr) == 0 ? 0 : 1;
}
