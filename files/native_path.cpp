#include "files/native_path.h"

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at bytes[i], or 0 when none starts there.
qsizetype Utf8SequenceAt(const QByteArray& bytes, qsizetype i) {
    const auto byte = [&](qsizetype at) { return static_cast<unsigned char>(bytes[at]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    qsizetype length = 0;
    char32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07U;
    } else {
        return 0;
    }
    if (i + length > bytes.size()) {
        return 0;
    }
    for (qsizetype k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0U) != 0x80U) {
            return 0;
        }
        code = (code << 6) | (byte(i + k) & 0x3FU);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not valid UTF-8.
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        return 0;
    }
    return length;
}

bool IsEscape(const QString& path, qsizetype i) {
    const char16_t unit = path[i].unicode();
    if (unit < 0xDC80 || unit > 0xDCFF) {
        return false;
    }
    // The low half of a real surrogate pair is a character, not an escaped byte.
    return i == 0 || !path[i - 1].isHighSurrogate();
}

} // namespace

QString PathFromNative(const QByteArray& bytes) {
    QString path;
    qsizetype i = 0;
    while (i < bytes.size()) {
        qsizetype run = i;
        qsizetype length = 0;
        while (run < bytes.size() && (length = Utf8SequenceAt(bytes, run)) > 0) {
            run += length;
        }
        path += QString::fromUtf8(bytes.constData() + i, run - i);
        if (run < bytes.size()) {
            path +=
                QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[run])));
            ++run;
        }
        i = run;
    }
    return path;
}

QByteArray NativePath(const QString& path) {
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!IsEscape(path, i)) {
            continue;
        }
        bytes += QStringView(path).mid(start, i - start).toUtf8();
        bytes += static_cast<char>(path[i].unicode() - kEscapeBase);
        start = i + 1;
    }
    bytes += QStringView(path).mid(start).toUtf8();
    return bytes;
}

bool HasForeignBytes(const QString& path) {
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (IsEscape(path, i)) {
            return true;
        }
    }
    return false;
}
