#pragma once

#include <string>
#include <vector>

// Reads the interchange file at path into the 256 layer slots and builds the
// model from it: walls, then slabs. Resets ViewParameters, AmbientLight and
// LightList first. Failures propagate as ProgramError.
void SceneLoader(const std::string& path);

// Appends the blank-separated tokens of text; a leading blank is kept as the
// one-blank token " " that marks a line record. Returns the list's size.
int SplitOnBlanks(const std::string& text, std::vector<std::string>& list);

// Appends the non-empty pieces of text between separators. Returns the list's size.
int SplitOnChar(const std::string& text, char separator, std::vector<std::string>& list);
