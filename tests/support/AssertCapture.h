#pragma once
#include "engine/core/Assert.h"

#include <gtest/gtest.h>
#include <string>

// Runs the statement and returns the message of the assert it raised ("" when none).
template <class Statement>
std::string AssertMessageOf(Statement&& statement)
{
    try
    {
        statement();
    }
    catch (const AssertError& error)
    {
        return error.what();
    }
    return "";
}
