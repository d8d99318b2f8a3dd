#include "engine/platform/native/SessionBus.h"
#include "support/SavedVariable.h"

#include <gtest/gtest.h>

#include <cstdlib>

// Without a session's bus the address is one that fails at once; a session's own bus is kept.
TEST(SessionBus, OnlyAMissingAddressIsDeclined)
{
    SavedVariable saved("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    DeclineSessionBusAutoLaunch();
    ASSERT_NE(std::getenv("DBUS_SESSION_BUS_ADDRESS"), nullptr);
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "disabled:");

    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/run/user/1000/bus", 1);
    DeclineSessionBusAutoLaunch();
    EXPECT_STREQ(std::getenv("DBUS_SESSION_BUS_ADDRESS"), "unix:path=/run/user/1000/bus");
}
