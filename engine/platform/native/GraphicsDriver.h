#pragma once

// Keeps the OpenGL driver's libraries (the DRI driver and the LLVM it compiles shaders with)
// mapped until the process ends, even after GLFW terminates and unloads them. The driver keeps
// memory reachable only from its own static data; unloaded, that memory looks leaked to
// LeakSanitizer. Call once a context is current; harmless to call again.
void KeepGraphicsDriverLoaded();
