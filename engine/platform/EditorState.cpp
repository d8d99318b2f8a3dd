#include "engine/platform/EditorState.h"

EditorState*& EditorStateInstance()
{
    static EditorState* instance = nullptr;
    return instance;
}
