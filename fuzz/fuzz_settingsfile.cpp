// Any table of values written to the store file reads back the same, and so does whatever was
// read from any file once it is written again. Keys are the store's own form: a key of its own
// under the top-level section, or "section/key" with neither part empty.

#include "fuzzinput.h"
#include "platform/settingsfile.h"

namespace {

bool isStoreKey(const QString &key)
{
    const qsizetype slash = key.indexOf(u'/');
    return !key.isEmpty() && slash != 0 && slash != key.size() - 1;
}

// Only the texts of the values are kept, and only under the store's own keys.
QMap<QString, QString> storeTable(const QSettings::SettingsMap &values)
{
    QMap<QString, QString> table;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (isStoreKey(it.key()))
            table.insert(it.key(), it.value().toString());
    }
    return table;
}

QString describe(const QMap<QString, QString> &table)
{
    QString text;
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        text += QStringLiteral("  \"%1\" = \"%2\"\n").arg(it.key(), it.value());
    return text;
}

void checkRoundTrip(const QMap<QString, QString> &table)
{
    QSettings::SettingsMap values;
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        values.insert(it.key(), it.value());
    const QByteArray text = settingsFileText(values);
    QSettings::SettingsMap read;
    const QString where =
            describe(table) + QStringLiteral("written as:\n") + QString::fromUtf8(text);
    FUZZ_CHECK(readSettingsFile(text, read), where);
    FUZZ_CHECK(storeTable(read) == table && read.size() == table.size(), where);
}

} // namespace

// The input is read twice: as keys and values in turn, separated by the byte 0xFE (which no
// UTF-8 text holds, so values may hold line breaks), and as the text of a store file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    QMap<QString, QString> table;
    const QList<QByteArray> fields = bytes.split('\xfe');
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        const QString key = QString::fromUtf8(fields.at(i));
        if (isStoreKey(key))
            table.insert(key, QString::fromUtf8(fields.at(i + 1)));
    }
    checkRoundTrip(table);

    QSettings::SettingsMap read;
    readSettingsFile(bytes, read);
    checkRoundTrip(storeTable(read));
    return 0;
}
