// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The quantity key filter and the quantity check agree on any text: what the filter lets
// through is a quantity, and a quantity is what it lets through.

#include "core/quantitykey.h"
#include "fuzzinput.h"
#include "mainwindow/quantitykeyfilter.h"

#include <QInputDevice>
#include <QKeyEvent>
#include <algorithm>
#include <cstring>
#include <string>

namespace {

constexpr char32_t backspace = 8;
constexpr char32_t escape = 27;

class OpenKeyFilter : public QuantityKeyFilter
{
public:
    using QuantityKeyFilter::eventFilter;
};

void checkCharacters(const QString &text)
{
    const QString where = QStringLiteral("text \"%1\"").arg(text);
    const QList<uint> codes = text.toUcs4();

    bool allDigits = true;
    QString typed; // what a box holds after the text is typed into it key by key
    for (const uint code : codes) {
        switch (quantityKeyAction(code)) {
        case QuantityKeyAction::Insert:
            if (code == backspace) {
                typed.chop(1);
                allDigits = false;
            } else {
                typed += QChar(char16_t(code));
            }
            break;
        case QuantityKeyAction::Clear:
            FUZZ_CHECK(code == escape, where);
            typed.clear();
            allDigits = false;
            break;
        case QuantityKeyAction::Cancel:
            allDigits = false;
            break;
        }
    }
    FUZZ_CHECK(isQuantityText(typed), where);
    FUZZ_CHECK(isQuantityText(text) == allDigits, where);
}

void checkFilter(const QString &text)
{
    if (text.isEmpty())
        return;
    const QString where = QStringLiteral("key text \"%1\"").arg(text);
    OpenKeyFilter filter;
    int clears = 0;
    QObject::connect(&filter, &QuantityKeyFilter::clearRequested, [&clears] { ++clears; });
    QObject box;
    // A keyboard of its own: without an application, Qt's default one would never be freed.
    static const QInputDevice keyboard(QStringLiteral("keyboard"), 1,
                                       QInputDevice::DeviceType::Keyboard);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 0, 0, 0, text, false, 1,
                  &keyboard);
    const bool cancelled = filter.eventFilter(&box, &key);

    const QList<uint> codes = text.toUcs4();
    const bool passes = std::all_of(codes.begin(), codes.end(), [](uint code) {
        return quantityKeyAction(code) == QuantityKeyAction::Insert;
    });
    FUZZ_CHECK(cancelled == !passes, where);
    FUZZ_CHECK(clears == codes.count(uint(escape)), where);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks how the rest is read: UTF-8, or raw UTF-16 that may hold lone
    // surrogates as an input method could deliver.
    const bool utf16 = data[0] & 1;
    ++data;
    --size;
    QString text;
    if (utf16) {
        std::u16string units(size / 2, u'\0');
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
        text = QString::fromStdU16String(units);
    } else {
        text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    }
    checkCharacters(text);
    checkFilter(text);
    return 0;
}
