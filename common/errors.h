#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The four failures that stop reading, each with its fixed message text.
enum class ErrorKind
{
    FileOpen,   // "ファイル %s は開けません"
    FileCreate, // "ファイル %s を作成できません"
    ListIndex,  // "リストのインデックスが範囲を超えています (%d)"
    Conversion, // "'%s' is not a valid floating point value"
};

// A failure with its kind and the value put into its message. Argument holds
// the bytes as they came (a file name or token, possibly Shift-JIS) or the
// index in decimal; what() is the message with those bytes inserted as they are.
class ProgramError : public std::runtime_error
{
public:
    ProgramError(ErrorKind kind, std::string argument);

    ErrorKind Kind;
    std::string Argument;
};

ProgramError FileOpenError(std::string_view path);
ProgramError FileCreateError(std::string_view path);
ProgramError ListIndexError(long long index);
ProgramError ConversionError(std::string_view text);

// Entry index of a list of tokens or lines, or the list-index error naming
// the index when the list has no such entry.
template <class Item> const Item& ListItem(const std::vector<Item>& list, size_t index)
{
    if (index >= list.size())
        throw ListIndexError(static_cast<long long>(index));
    return list[index];
}

// The message of an error of this kind with argument in place of %s or %d.
std::string FormatErrorMessage(ErrorKind kind, std::string_view argument);

// The text as the error box shows it: a "." is added unless the text is empty
// or already ends in "." or a character of lower code (a blank, "!", ")" ...).
std::string WithFullStop(std::string text);
