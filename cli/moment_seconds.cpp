// The moment of the preview on the command line: read with the other options, so it lives
// with them in the command line's pure parts.
#include "cli/picture_commands.h"

#include <QRegularExpression>

std::optional<double> ParseMomentSeconds(const QString& text) {
    static const QRegularExpression seconds(QStringLiteral("^\\d{1,9}(\\.\\d+)?$"));
    static const QRegularExpression hms(QStringLiteral("^(\\d{1,5}):([0-5]\\d):([0-5]\\d)$"));
    if (seconds.match(text).hasMatch()) {
        return text.toDouble();
    }
    const QRegularExpressionMatch match = hms.match(text);
    if (match.hasMatch()) {
        return match.captured(1).toDouble() * 3600 + match.captured(2).toInt() * 60 +
               match.captured(3).toInt();
    }
    return std::nullopt;
}
