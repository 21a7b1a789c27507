// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

// The store on any file, and on what is not a file. On a plain file of any bytes, the store reads
// what QSettings reads, a commit succeeds, and the file then reads as when QSettings itself sets
// the value, types and all; a file QSettings reads only in part is first copied aside, byte for
// byte. On a folder, a pipe, a link to a pipe or a device the store is unreadable, the commit
// fails at once, and nothing is waited on or written.

#include "fuzzinput.h"
#include "platform/settingsstore.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// In memory (see LLVMFuzzerInitialize), as every commit waits for its bytes to reach the disk.
const QTemporaryDir &scratchFolder()
{
    static QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/fuzz-store-XXXXXX"));
    return folder;
}

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Reading
{
    QVariantMap values;
    bool damaged = false;
};

// What QSettings reads from the bytes, after it has set key to value itself when there is a
// key; each time in a file of a name of its own, as QSettings keeps what it read of a name.
Reading qsettingsReading(const QByteArray &bytes, const QString &key = QString(),
                         const QString &value = QString())
{
    static int files = 0;
    const QString fileName =
            scratchFolder().filePath(QStringLiteral("oracle-%1.conf").arg(files++));
    QFile file(fileName);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), fileName);
    file.close();
    Reading reading;
    {
        QSettings settings(fileName, QSettings::IniFormat);
        if (!key.isEmpty())
            settings.setValue(key, value);
        for (const QString &name : settings.allKeys())
            reading.values.insert(name, settings.value(name));
        reading.damaged = settings.status() == QSettings::FormatError;
    }
    if (!key.isEmpty())
        reading = qsettingsReading(contents(fileName));
    QFile::remove(fileName);
    return reading;
}

// Equal, and of one type; NaN equals itself.
bool same(const QVariantMap &a, const QVariantMap &b)
{
    auto bytes = [](const QVariantMap &values) {
        QByteArray data;
        QDataStream stream(&data, QIODevice::WriteOnly);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            stream << it.key() << it->metaType().id() << *it;
        return data;
    };
    return a.keys() == b.keys() && bytes(a) == bytes(b);
}

enum class Kind { File, Folder, Pipe, LinkToPipe, Device, Count };

void checkStore(Kind kind, const QByteArray &bytes)
{
    static int stores = 0;
    const QString folder = scratchFolder().filePath(QStringLiteral("store-%1").arg(stores++));
    const QString fileName = folder + QStringLiteral("/store.conf");
    QDir().mkpath(folder);
    auto remove = qScopeGuard([&folder] { QDir(folder).removeRecursively(); });
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

    const QString where = QStringLiteral("kind %1, bytes \"%2\"").arg(int(kind)).arg(bytes.toHex());
    const QString section = QStringLiteral("物品名称及价格储存");
    const QString key = section + QStringLiteral("/a1");
    const bool file = kind == Kind::File;
    const Reading before = file ? qsettingsReading(bytes) : Reading();
    SettingsStore store(fileName, QSettings::IniFormat);
    FUZZ_CHECK(store.isUnreadable() == !file, where);
    const QVariant read = before.values.value(key);
    if (read.typeId() == QMetaType::QString)
        FUZZ_CHECK(store.value(section, QStringLiteral("a1"), QString()) == read.toString(), where);
    store.setValue(section, QStringLiteral("a1"), QStringLiteral("碳"));
    FUZZ_CHECK(store.commit() == file, where);
    FUZZ_CHECK(QFileInfo(fileName).isFile() == file, where);
    if (!file)
        return;
    const bool keptAside = !bytes.isEmpty() && before.damaged;
    FUZZ_CHECK(store.takeKeptCopy().isEmpty() != keptAside, where);
    FUZZ_CHECK(contents(fileName + QStringLiteral(".bak")) == (keptAside ? bytes : QByteArray()),
               where);
    const Reading after = qsettingsReading(contents(fileName));
    FUZZ_CHECK(same(after.values, qsettingsReading(bytes, key, QStringLiteral("碳")).values),
               where);
    FUZZ_CHECK(after.values.value(key) == QStringLiteral("碳"), where);
}

} // namespace

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
// A damaged binary value has QSettings reserve room for the items it claims, 20 GB and more,
// which a release build gets as untouched address space or is refused, and then reads an empty
// list. Refused here too, before libFuzzer's limit on a single allocation reports it.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=2048";
}
#endif
#endif

// QSettings' files go to memory too.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (QDir(QStringLiteral("/dev/shm")).exists())
        qputenv("TMPDIR", "/dev/shm");
    return 0;
}

// The input is the text of a store file; its first byte also picks another kind of node.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkStore(Kind::File, QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    checkStore(Kind(FuzzInput::take<quint8>(data, size) % int(Kind::Count)), QByteArray());
    return 0;
}
