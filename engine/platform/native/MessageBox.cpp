#include "engine/platform/native/MessageBox.h"

#include <SDL2/SDL.h>
#include <cstdio>
#include <cstdlib>

void ShowMessageBox(const std::string& caption, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), message.c_str());
    std::fflush(stderr);
    const char* display = std::getenv("DISPLAY");
    if (display != nullptr && *display != '\0')
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), message.c_str(), nullptr);
}
