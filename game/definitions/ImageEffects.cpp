#include "game/definitions/ImageEffects.h"

const NameTable<ImageEffect>& ImageEffects()
{
    static const NameTable<ImageEffect> table = {
        {"No_FX", ImageEffect::NoFX},
        {"Flicker", ImageEffect::Flicker},
        {"UpAndDown", ImageEffect::UpAndDown},
        {"ZoomInAndOut", ImageEffect::ZoomInAndOut},
        {"FadeTo", ImageEffect::FadeTo},
        {"FadeUp", ImageEffect::FadeUp},
        {"VerticalSlide", ImageEffect::VerticalSlide},
        {"FadeToAndOut", ImageEffect::FadeToAndOut},
        {"GoMainMenu", ImageEffect::GoMainMenu},
        {"GoCredits", ImageEffect::GoCredits},
        {"Delay", ImageEffect::Delay},
    };
    return table;
}
