#include "common/file_bytes.h"
#include "tests/input/input_test_support.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace
{

TEST(FileBytes, ReadsUpToTheLimitAndTheFirstNulWhenAsked)
{
    TempFolder folder;
    std::string large(200000, 'x');
    large[150000] = '\0';
    const std::string path = folder.Write("large.txt", large);
    struct Case
    {
        size_t Limit;
        bool StopAtNul;
        size_t Size;
    };
    // Limits and NULs inside the first chunk, across chunks and at the end.
    const Case cases[] = {
        {SIZE_MAX, false, 200000}, {SIZE_MAX, true, 150000}, {3, false, 3},           {65536, false, 65536},
        {70000, true, 70000},      {150001, true, 150000},   {300000, false, 200000}, {0, false, 0},
    };
    for (const Case& c : cases)
    {
        std::string bytes = "left over";
        ASSERT_EQ(ReadFileBytes(path, bytes, c.Limit, c.StopAtNul), TFileRead::Done) << c.Limit;
        EXPECT_EQ(bytes, large.substr(0, c.Size)) << c.Limit << " " << c.StopAtNul;
    }
}

TEST(FileBytes, TellsWhyAFileCannotBeRead)
{
    TempFolder folder;
    std::string bytes;
    errno = 0;
    EXPECT_EQ(ReadFileBytes(folder.PathOf("missing"), bytes), TFileRead::NotOpened);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(ReadFileBytes(folder.Path.string(), bytes), TFileRead::NotRegular);
    // A pipe with no writer would block a plain open.
    ASSERT_EQ(mkfifo(folder.PathOf("pipe").c_str(), 0600), 0);
    EXPECT_EQ(ReadFileBytes(folder.PathOf("pipe"), bytes), TFileRead::NotRegular);
    EXPECT_EQ(ReadFileBytes("/dev/null", bytes), TFileRead::NotRegular);
}

} // namespace
