#pragma once

#include <string>

// The shortest text that reads back as the same float: "0.1", "-0", "1e+20".
std::string ShortestText(float value);

// The same never in exponent form, for readers that take no exponent. Of
// equally short texts the nearest is taken: 1e20f is "100000002004087734272".
std::string ShortestFixedText(float value);

// The double whose shortest text is the float's shortest text, for writers
// of doubles: 0.1f becomes 0.1, not the 0.10000000149011612 it widens to.
double ShortestDouble(float value);
