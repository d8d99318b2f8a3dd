#include "engine/platform/native/SessionBus.h"

#include <cstdlib>

void DeclineSessionBusAutoLaunch()
{
    // Not an address any bus listens on: the connection attempt fails without starting anything.
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
}
