#include "common/errors.h"

ProgramError::ProgramError(ErrorKind kind, std::string argument)
    : std::runtime_error(FormatErrorMessage(kind, argument)), Kind(kind), Argument(std::move(argument))
{
}

ProgramError FileOpenError(std::string_view path)
{
    return {ErrorKind::FileOpen, std::string(path)};
}

ProgramError FileCreateError(std::string_view path)
{
    return {ErrorKind::FileCreate, std::string(path)};
}

ProgramError ListIndexError(long long index)
{
    return {ErrorKind::ListIndex, std::to_string(index)};
}

ProgramError ConversionError(std::string_view text)
{
    return {ErrorKind::Conversion, std::string(text)};
}

std::string FormatErrorMessage(ErrorKind kind, std::string_view argument)
{
    std::string arg(argument);
    switch (kind)
    {
    case ErrorKind::FileOpen:
        return "ファイル " + arg + " は開けません";
    case ErrorKind::FileCreate:
        return "ファイル " + arg + " を作成できません";
    case ErrorKind::ListIndex:
        return "リストのインデックスが範囲を超えています (" + arg + ")";
    case ErrorKind::Conversion:
        return "'" + arg + "' is not a valid floating point value";
    }
    return arg;
}

std::string WithFullStop(std::string text)
{
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}
