#include "start/error_text.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <cstdio>

namespace
{

bool IsShiftJisLead(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsShiftJisTrail(unsigned char c)
{
    return c >= 0x40 && c <= 0xFC && c != 0x7F;
}

void AppendEscaped(std::string& text, std::string_view bytes)
{
    for (unsigned char c : bytes)
    {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\x%02x", c);
        text += escape;
    }
}

// Shift-JIS character by character: a byte or pair that is no character of
// the set is written as \xHH, so the text names exactly the bytes it came from.
std::string DecodeShiftJis(std::string_view bytes)
{
    QStringDecoder shiftJis("Shift_JIS", QStringDecoder::Flag::Stateless);
    std::string text;
    size_t i = 0;
    while (i < bytes.size())
    {
        auto c = static_cast<unsigned char>(bytes[i]);
        size_t length = 1;
        if (IsShiftJisLead(c) && i + 1 < bytes.size() &&
            IsShiftJisTrail(static_cast<unsigned char>(bytes[i + 1])))
            length = 2;
        std::string_view piece = bytes.substr(i, length);
        i += length;
        if (c < 0x80)
        {
            text += piece;
            continue;
        }
        QString decoded;
        if (shiftJis.isValid() && (length == 2 || (c >= 0xA1 && c <= 0xDF)))
            decoded = shiftJis.decode(QByteArray(piece.data(), static_cast<qsizetype>(piece.size())));
        bool known =
            decoded.size() == 1 && decoded[0] != QChar::ReplacementCharacter && decoded[0] != QChar(0x1A);
        if (known)
            text += decoded.toStdString();
        else
            AppendEscaped(text, piece);
    }
    return text;
}

} // namespace

std::string DisplayBytes(std::string_view bytes)
{
    QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (!utf8.hasError())
        return std::string(bytes);
    return DecodeShiftJis(bytes);
}

std::string ErrorDisplayText(const ProgramError& error)
{
    return WithFullStop(FormatErrorMessage(error.Kind, DisplayBytes(error.Argument)));
}
