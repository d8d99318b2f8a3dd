#pragma once

// Reports the sanitizer builds must not stop on, because the code is not ours: read through
// __lsan_default_suppressions and __tsan_default_suppressions by the game and the test programs.

// libdbus keeps the read buffer of the session-bus connection that SDL opens when its audio
// starts; that is not ours to free.
inline constexpr const char* LeakSanitizerSuppressions = "leak:libdbus-1.so\n";

// The software OpenGL driver (Mesa's llvmpipe and its LLVM) runs threads of its own whose
// synchronisation ThreadSanitizer cannot see, as the driver is not built with it; the same holds
// for the X and sound libraries SDL and GLFW start threads in.
inline constexpr const char* ThreadSanitizerSuppressions = "race:swrast_dri.so\n"
                                                           "race:libgallium\n"
                                                           "race:libLLVM\n"
                                                           "race:libglapi.so\n"
                                                           "race:libGLX_mesa.so\n"
                                                           "race:libX11.so\n"
                                                           "race:libxcb.so\n"
                                                           "race:libdbus-1.so\n"
                                                           "race:libpulse\n"
                                                           "race:libasound.so\n"
                                                           "called_from_lib:swrast_dri.so\n"
                                                           "called_from_lib:libLLVM\n"
                                                           "deadlock:swrast_dri.so\n"
                                                           "thread:swrast_dri.so\n";
