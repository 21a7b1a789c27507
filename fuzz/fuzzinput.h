// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FUZZINPUT_H
#define FUZZINPUT_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Helpers shared by the fuzz targets: turning the fuzzer's bytes into texts, and failing
// loudly when a property does not hold, so that libFuzzer keeps the input as a crash.

namespace FuzzInput {

// The input split at line feeds into UTF-8 texts (invalid sequences decode to U+FFFD).
inline QList<QString> lines(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QString> texts;
    for (const QByteArray &line : bytes.split('\n'))
        texts.append(QString::fromUtf8(line));
    return texts;
}

// The next sizeof(T) bytes as a T, taken off the front of the input; zero when too few are left.
template<class T>
T take(const uint8_t *&data, size_t &size)
{
    T value {};
    if (size < sizeof value)
        return value;
    std::memcpy(&value, data, sizeof value);
    data += sizeof value;
    size -= sizeof value;
    return value;
}

[[noreturn]] inline void fail(const char *property, const QString &detail, const char *file,
                              int line)
{
    std::fprintf(stderr, "%s:%d: property failed: %s\n  %s\n", file, line, property,
                 detail.toUtf8().constData());
    std::abort();
}

} // namespace FuzzInput

#define FUZZ_CHECK(condition, detail)                                                              \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzInput::fail(#condition, (detail), __FILE__, __LINE__);                             \
    } while (false)

#endif // FUZZINPUT_H
