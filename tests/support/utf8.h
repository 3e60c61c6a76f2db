#pragma once
// Test texts written as they show, accents and all: UTF-8 literals.

#include <QString>

inline QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}
