#pragma once

struct GLFWwindow;

// Paints the new window black through the window system, before OpenGL draws anything. The
// player sees black instead of whatever the screen held while the first stage loads, and the
// server does its first-touch work on the window's pixels (on a virtual X server, the first write
// to a screen area costs more than the frame itself) alongside the loading instead of inside the
// first buffer swap. Asynchronous: the request is sent, not waited for. Does nothing where the
// window does not belong to an X server.
void PaintWindowBackdrop(GLFWwindow* window);
