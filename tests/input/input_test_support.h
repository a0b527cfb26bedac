#pragma once

#include "common/errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

// A fresh folder for one test's files, removed with them afterwards.
class TempFolder
{
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kv_input_XXXXXX").string();
        Path = mkdtemp(pattern.data()) ? pattern : std::string();
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(Path, ignored);
    }

    // Writes bytes as they are into the file name and returns its path.
    std::string Write(const std::string& name, std::string_view bytes) const
    {
        std::string path = (Path / name).string();
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    std::string PathOf(const std::string& name) const { return (Path / name).string(); }

    std::filesystem::path Path;
};

// The ProgramError that action raises, or nothing when it raises none.
template <class Action> std::optional<ProgramError> ErrorOf(Action action)
{
    try
    {
        action();
    }
    catch (const ProgramError& error)
    {
        return error;
    }
    return std::nullopt;
}

// The failure a case expects: its kind and the value in its message.
struct ExpectedError
{
    ErrorKind Kind;
    std::string Argument;
};

inline void ExpectError(const std::optional<ProgramError>& error, const ExpectedError& expected,
                        std::string_view context)
{
    ASSERT_TRUE(error.has_value()) << "no error for: " << context;
    EXPECT_EQ(error->Kind, expected.Kind) << context;
    EXPECT_EQ(error->Argument, expected.Argument) << context;
    EXPECT_EQ(error->what(), FormatErrorMessage(expected.Kind, expected.Argument)) << context;
}
