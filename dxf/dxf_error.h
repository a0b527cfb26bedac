#pragma once

#include <stdexcept>

// A DXF problem that stops the bridge, with an English message for the user.
class DxfError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};
