#pragma once

// The audio output's start-up asks for the desktop's session bus. Where no session announces
// one (a bare X server, a build machine), the bus library forks the game to start a bus daemon
// of its own: a copy of the whole process made while the window opens, and in sanitizer builds
// a child that can deadlock before it runs anything. The game needs no bus, so where none is
// announced the address is set to one that fails at once. A desktop session's bus is untouched.
// Call first thing in main, before any other thread starts: it changes the environment.
void DeclineSessionBusAutoLaunch();
