#pragma once

// Draws the editor panel of a component or behaviour. No editor context is ever created by the
// game, so panels are compiled but never shown.
class IInspector
{
public:
    virtual ~IInspector() = default;
    virtual void Inspect() = 0;
};
