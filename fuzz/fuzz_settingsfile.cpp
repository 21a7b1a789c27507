// Any table of values written to the store file reads back the same, and so does whatever was
// read from any file once it is written again. A store on any file, or on what is not a file,
// gives back what it read and writes a value over a file it can read (copying a damaged one
// first); it writes nothing over a folder, a pipe or a device, and never waits on them.

#include "fuzzinput.h"
#include "platform/filesettingsstore.h"
#include "platform/settingsfile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

// The keys a store can hold: a key under the top-level section, or "section/key", neither part
// empty; with sectioned, only the latter, as the program's own keys are.
SettingsValues storeTable(const SettingsValues &values, bool sectioned = false)
{
    SettingsValues table;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        if (!it.key().isEmpty() && slash != 0 && slash != it.key().size() - 1
            && (slash > 0 || !sectioned))
            table.insert(it.key(), it.value());
    }
    return table;
}

void checkRoundTrip(const SettingsValues &table)
{
    const QByteArray text = settingsFileText(table);
    SettingsValues read;
    QString where = QStringLiteral("written as:\n") + QString::fromUtf8(text);
    FUZZ_CHECK(readSettingsFile(text, read) && read == table, where);
}

enum class Kind { File, Folder, Pipe, LinkToPipe, Device, Count };

// A store at each kind of node, the file holding bytes.
void checkStore(Kind kind, const QByteArray &bytes)
{
    // In memory where there is room, as every store commit waits for its bytes to reach the disk.
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                        ? QStringLiteral("/dev/shm/fuzz-store-XXXXXX")
                                        : QDir::tempPath() + QStringLiteral("/fuzz-store-XXXXXX"));
    const QString fileName = folder.filePath(QStringLiteral("store.conf"));
    QDir(folder.path()).removeRecursively();
    QDir().mkpath(folder.path());
    const QByteArray name = QFile::encodeName(fileName);
    const QByteArray pipe = QFile::encodeName(folder.filePath(QStringLiteral("pipe")));
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
    const bool readable = readSettingsFile(bytes, values);
    FUZZ_CHECK(store.isUnreadable() == (kind != Kind::File), where);
    store.setValue(QStringLiteral("物品名称及价格储存"), QStringLiteral("a1"),
                   QStringLiteral("碳"));
    FUZZ_CHECK(store.commit() == (kind == Kind::File), where);
    FUZZ_CHECK(QFileInfo(fileName).isFile() == (kind == Kind::File), where);
    if (kind != Kind::File)
        return;
    const QString copy = store.takeKeptCopy();
    FUZZ_CHECK(copy.isEmpty() == readable, where);
    SettingsValues written;
    QFile file(fileName);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly) && readSettingsFile(file.readAll(), written), where);
    values.insert(QStringLiteral("物品名称及价格储存/a1"), QStringLiteral("碳"));
    FUZZ_CHECK(storeTable(written, true) == storeTable(values, true), where);
}

} // namespace

// The input is read three times: as keys and values in turn, separated by the byte 0xFE (which
// no UTF-8 text holds, so values may hold line breaks); as the text of a store file; and, its
// first byte picking the kind of node, as the store the program finds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    SettingsValues table;
    const QList<QByteArray> fields = bytes.split('\xfe');
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2)
        table.insert(QString::fromUtf8(fields.at(i)), QString::fromUtf8(fields.at(i + 1)));
    checkRoundTrip(storeTable(table));

    SettingsValues read;
    readSettingsFile(bytes, read);
    checkRoundTrip(storeTable(read));

    const quint8 kind = FuzzInput::take<quint8>(data, size);
    checkStore(Kind(kind % int(Kind::Count)), bytes.mid(1));
    return 0;
}
