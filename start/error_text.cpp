#include "start/error_text.h"

#include "common/shift_jis.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

std::string DisplayBytes(std::string_view bytes)
{
    QByteArray raw(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(raw);
    if (!utf8.hasError())
        return std::string(bytes);
    return ShiftJisToUtf8(bytes, TBadBytes::Escape);
}

std::string ErrorDisplayText(const ProgramError& error)
{
    return WithFullStop(FormatErrorMessage(error.Kind, DisplayBytes(error.Argument)));
}
