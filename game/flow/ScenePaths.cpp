#include "game/flow/ScenePaths.h"

void GoToScene(Coordinator&, const std::string&)
{
}
