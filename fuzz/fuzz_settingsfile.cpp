// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// QSettings is the judge of the store file: the program reads from any text the keys and values
// QSettings reads, and calls damaged what QSettings could read only in part; written again
// with a value of the program's, the text gives QSettings every other key with the same value
// and type, or else it reads as it does when QSettings itself sets that value. (QSettings
// itself changes a few when it writes: numbers stored as "@Variant(...)" become their text, a
// list with an item it writes as "@String(...)" a list of variants, and keys that are empty,
// of a section "[]" or hold half a surrogate pair are lost.) A store on any file, or on what is not
// a file, writes a value over a file it can read (copying a damaged one first); it writes nothing
// over a folder, a pipe or a device, and never waits on them.

#include "fuzzinput.h"
#include "platform/filesettingsstore.h"
#include "platform/settingsfile.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// In memory (see LLVMFuzzerInitialize), as every store commit waits for its bytes to reach the
// disk.
const QTemporaryDir &scratchFolder()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-store-XXXXXX"));
    return folder;
}

struct Reading
{
    QVariantMap values;
    bool damaged = false;
};

// What QSettings reads from the text, after it has set the value of key when there is one; in
// a file of a name of its own each time, as QSettings keeps what it read of a file name.
Reading qsettingsReading(const QByteArray &text, const QString &key = QString(),
                         const QString &value = QString())
{
    static int files = 0;
    const QString fileName =
            scratchFolder().filePath(QStringLiteral("oracle-%1.conf").arg(files++));
    QFile file(fileName);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(text) == text.size(), fileName);
    file.close();
    if (!key.isEmpty()) {
        {
            QSettings settings(fileName, QSettings::IniFormat);
            settings.setValue(key, value);
        }
        // Read under another name: under this one QSettings would give what it holds in memory.
        FUZZ_CHECK(file.open(QIODevice::ReadOnly), fileName);
        const QByteArray written = file.readAll();
        file.close();
        QFile::remove(fileName);
        return qsettingsReading(withoutEncodedValues(written));
    }
    Reading reading;
    {
        const QSettings settings(fileName, QSettings::IniFormat);
        for (const QString &key : settings.allKeys())
            reading.values.insert(key, settings.value(key));
        reading.damaged = settings.status() == QSettings::FormatError;
    }
    QFile::remove(fileName);
    return reading;
}

// Equal, and of one type; NaN equals itself.
bool same(const QVariant &a, const QVariant &b)
{
    auto bytes = [](const QVariant &value) {
        QByteArray data;
        QDataStream stream(&data, QIODevice::WriteOnly);
        stream << value;
        return data;
    };
    return a.metaType() == b.metaType() && (a == b || bytes(a) == bytes(b));
}

bool sameValues(const QVariantMap &a, const QVariantMap &b)
{
    if (a.keys() != b.keys())
        return false;
    for (auto it = a.cbegin(); it != a.cend(); ++it) {
        if (!same(*it, b.value(it.key())))
            return false;
    }
    return true;
}

QString describe(const QVariantMap &values)
{
    QString text;
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        text += QStringLiteral("\n  %1 = %2 %3")
                        .arg(it.key(), QString::fromLatin1(it->typeName()),
                             it->toString().replace(QChar(0), QStringLiteral("\\0")));
    return text;
}

void checkAgainstQSettings(const QByteArray &text)
{
    // QSettings itself is never given binary values to decode: it would trust their sizes.
    const Reading oracle = qsettingsReading(withoutEncodedValues(text));
    QString where = QStringLiteral("text \"%1\", QSettings reads:%2")
                            .arg(QString::fromLatin1(text.toHex()), describe(oracle.values));
    SettingsValues read;
    const SettingsFileReading reading = readSettingsFile(text, read);
    FUZZ_CHECK(reading != SettingsFileReading::Failed, where);
    FUZZ_CHECK((reading == SettingsFileReading::Damaged) == oracle.damaged, where);
    SettingsValues texts;
    for (auto it = oracle.values.cbegin(); it != oracle.values.cend(); ++it) {
        if (it->typeId() == QMetaType::QString)
            texts.insert(it.key(), it->toString());
        else if (it->typeId() == QMetaType::QStringList)
            texts.insert(it.key(), it->toStringList().join(QStringLiteral(", ")));
    }
    FUZZ_CHECK(read == texts, where);

    const QString key = QStringLiteral("物品名称及价格储存/a1");
    const std::optional<SettingsFileText> written = settingsFileWithValues(text, { { key, "碳" } });
    FUZZ_CHECK(written, where);
    const Reading after = qsettingsReading(withoutEncodedValues(written->bytes));
    const Reading own = qsettingsReading(withoutEncodedValues(text), key, QStringLiteral("碳"));
    where += QStringLiteral("\nwritten as \"%1\", read as:%2")
                     .arg(QString::fromLatin1(written->bytes.toHex()), describe(after.values));
    QVariantMap expected = oracle.values;
    expected.insert(key, QStringLiteral("碳"));
    // Only a text QSettings wrote whole may read otherwise.
    const bool keptAll = !after.damaged && sameValues(after.values, expected);
    FUZZ_CHECK(keptAll || written->rewritten, where);
    const bool asQSettingsWrites =
            after.damaged == own.damaged && sameValues(after.values, own.values);
    FUZZ_CHECK(keptAll || asQSettingsWrites, where);
    FUZZ_CHECK(after.values.value(key) == QStringLiteral("碳"), where);
}

enum class Kind { File, Folder, Pipe, LinkToPipe, Device, Count };

// A store at each kind of node, the file holding bytes.
void checkStore(Kind kind, const QByteArray &bytes)
{
    const QString folder = scratchFolder().filePath(QStringLiteral("store"));
    const QString fileName = folder + QStringLiteral("/store.conf");
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    const QByteArray name = QFile::encodeName(fileName);
    const QByteArray pipe = QFile::encodeName(folder + QStringLiteral("/pipe"));
    switch (kind) {
    case Kind::File: {
        QFile file(fileName);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), fileName);
        break;
    }
    case Kind::Folder:
        QDir().mkpath(fileName);
        break;
    case Kind::Pipe:
        ::mkfifo(name.constData(), 0600);
        break;
    case Kind::LinkToPipe:
        ::mkfifo(pipe.constData(), 0600);
        QFile::link(QFile::decodeName(pipe), fileName);
        break;
    case Kind::Device:
        // A private node of /dev/zero, where the fuzzer may make one.
        if (::mknod(name.constData(), S_IFCHR | 0600, makedev(1, 5)) != 0)
            return;
        break;
    case Kind::Count:
        return;
    }

    FileSettingsStore store(fileName);
    const QString where = QStringLiteral("kind %1, bytes \"%2\"").arg(int(kind)).arg(bytes.toHex());
    SettingsValues values;
    // A file written whole is kept aside first.
    const bool keptAside = !bytes.isEmpty()
            && (readSettingsFile(bytes, values) == SettingsFileReading::Damaged
                || settingsFileWithValues(
                           bytes,
                           { { QStringLiteral("物品名称及价格储存/a1"), QStringLiteral("碳") } })
                           ->rewritten);
    FUZZ_CHECK(store.isUnreadable() == (kind != Kind::File), where);
    store.setValue(QStringLiteral("物品名称及价格储存"), QStringLiteral("a1"),
                   QStringLiteral("碳"));
    FUZZ_CHECK(store.commit() == (kind == Kind::File), where);
    FUZZ_CHECK(QFileInfo(fileName).isFile() == (kind == Kind::File), where);
    if (kind != Kind::File)
        return;
    FUZZ_CHECK(store.takeKeptCopy().isEmpty() != keptAside, where);
    FUZZ_CHECK(FileSettingsStore(fileName).value(QStringLiteral("物品名称及价格储存"),
                                                 QStringLiteral("a1"), QString())
                       == QStringLiteral("碳"),
               where);
}

} // namespace

// The scratch copies that QSettings reads and writes go to memory too.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (QDir(QStringLiteral("/dev/shm")).exists())
        qputenv("TMPDIR", "/dev/shm");
    return 0;
}

// The input is the text of a store file; its first byte also picks the kind of node of the
// store the program finds, which holds the rest.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkAgainstQSettings(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const quint8 kind = FuzzInput::take<quint8>(data, size);
    checkStore(Kind(kind % int(Kind::Count)),
               QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
