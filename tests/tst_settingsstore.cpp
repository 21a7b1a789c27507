// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/settingsstore.h"
#include "platform/usersettingsstore.h"
#include "store/pricestore.h"
#include "support/guitest.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// What QSettings reads from the file, by key, types and all, once it has set values in it
// itself: from copies under names of their own, as QSettings keeps what it read of a name.
QVariantMap qsettingsReading(const QString &fileName, const QVariantMap &values = {})
{
    static int copies = 0;
    const QString copy = QStringLiteral("%1.%2").arg(fileName).arg(++copies);
    if (!writeFile(copy, contents(fileName)))
        return {};
    QVariantMap read;
    {
        QSettings settings(copy, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), *it);
        for (const QString &key : settings.allKeys())
            read.insert(key, settings.value(key));
    }
    return values.isEmpty() ? read : qsettingsReading(copy);
}

// Values of another program, as QSettings writes them.
QByteArray otherProgramsValues(const QString &fileName)
{
    {
        QSettings settings(fileName, QSettings::IniFormat);
        settings.setValue("other/map", QVariantMap { { "n", 5 }, { "list", QStringList { "a" } } });
        settings.setValue("other/when", QDateTime({ 2026, 12, 8 }, { 12, 0 }, Qt::UTC));
        settings.setValue("other/size", QSize(3, 4));
    }
    return contents(fileName);
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// A damaged binary value has QSettings reserve room for the items it claims, 20 GB and more.
// A release build gets that as address space it never touches, or is refused it, and Qt then
// reads an empty list; AddressSanitizer would instead write gigabytes of its shadow for it. So
// it refuses such sizes here, as a machine with less memory does.
extern "C" const char *__asan_default_options()
{
    return "allocator_may_return_null=1:max_allocation_size_mb=2048";
}
#endif

// The settings store: QSettings keeps the file, and the guard before it.
class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keepsWhatQSettingsReads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("readAtStart");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<bool>("damaged");
        // Each name is a row's, written one at a time: one that cannot be written would have
        // held back the others.
        QTest::newRow("names with a comma and an at sign")
                << QByteArray("[s]\na1=x\n") << "x"
                << QStringList { "QQ群,@小明", "x, @y", "a,@", "\u0001控制", "@@", "\"引号\"" }
                << false;
        QTest::newRow("text Qt 5 wrote with escapes")
                << QByteArray("[s]\na1=\\x7075\\x9b42\\x707e\\x96be\n") << "灵魂灾难"
                << QStringList { "碳" } << false;
        const QByteArray others = otherProgramsValues(m_folder.filePath("others"));
        QTest::newRow("other programs' values beside a line without a value")
                << "[s]\na1=x\nstray line\n" + others << "x" << QStringList { "碳" } << true;
        QTest::newRow("other programs' values after a byte-order mark")
                << "\xef\xbb\xbf[s]\na1=x\n" + others << "x" << QStringList { "碳" } << true;
        QFile seed(
                QFINDTESTDATA("fuzz-corpus/fuzz_settingsfile/binary-value-asking-for-gigabytes"));
        QVERIFY(seed.open(QIODevice::ReadOnly));
        QTest::newRow("a damaged binary value asking for gigabytes")
                << seed.readAll() + "[s]\na1=\"x\"\n"
                << "x" << QStringList { "碳" } << true;
    }

    // The store reads what QSettings reads. Each of its names saved, each save succeeds, and the
    // file then reads as when QSettings itself sets them: everything else as before, types and
    // all. A store QSettings reads only in part is kept aside first, once.
    void keepsWhatQSettingsReads()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, readAtStart);
        QFETCH(QStringList, names);
        QFETCH(bool, damaged);
        const QString fileName = m_folder.filePath(QTest::currentDataTag());
        QVERIFY(writeFile(fileName, text));
        QVariantMap set;
        for (int row = 0; row < names.size(); ++row)
            set.insert(QStringLiteral("s/a%1").arg(row + 1), names.at(row));
        const QVariantMap expected = qsettingsReading(fileName, set);
        SettingsStore store(fileName, QSettings::IniFormat);
        QCOMPARE(store.value("s", "a1", "none"), readAtStart);
        for (int row = 0; row < names.size(); ++row) {
            store.setValue("s", QStringLiteral("a%1").arg(row + 1), names.at(row));
            QVERIFY(store.commit());
            QCOMPARE(store.takeKeptCopy().isEmpty(), !damaged || row > 0);
        }
        QCOMPARE(qsettingsReading(fileName), expected);
        QCOMPARE(contents(fileName + ".bak"), damaged ? text : QByteArray());
        // Read afresh, in another copy of the program.
        QVERIFY(QFile::rename(fileName, fileName + " moved"));
        SettingsStore again(fileName + " moved", QSettings::IniFormat);
        for (int row = 0; row < names.size(); ++row)
            QCOMPARE(again.value("s", QStringLiteral("a%1").arg(row + 1), ""), names.at(row));
    }

    void findsTheConfigurationFolder()
    {
        const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
        auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", saved); });
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir::tempPath() + "/config/"));
        QCOMPARE(userConfigurationFolder(), QDir::tempPath() + "/config");
        // A relative path, as the XDG rules say, is ignored.
        qputenv("XDG_CONFIG_HOME", "config");
        QCOMPARE(userConfigurationFolder(), QDir::homePath() + "/.config");
    }

    void keepsTheOldFileWhenItCannotWrite_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("unreadable");
        for (const char *kind : { "folder", "pipe", "link to a pipe", "too large" })
            QTest::newRow(kind) << QString(kind) << true;
        for (const char *kind :
             { "beneath a file", "locked elsewhere", "lock a pipe", "lock a link to a device",
               "lock too large", "link into a read-only disk", "full disk", "damaged, full disk" })
            QTest::newRow(kind) << QString(kind) << false;
    }

    // A store that is not a plain file is neither waited on, nor read, nor written over; nor is
    // one larger than QSettings writes in a few seconds. A commit that fails leaves the old file
    // and nothing beside it, and waits for a lock briefly.
    void keepsTheOldFileWhenItCannotWrite()
    {
        QFETCH(QString, kind);
        QFETCH(bool, unreadable);
        const bool onDisk = kind.endsWith("disk");
        const bool locked = kind.startsWith("lock");
        QTemporaryDir folder;
        const QString diskOrFile = folder.filePath("place");
        const QString fileName =
                (kind.contains("full") || kind.startsWith("beneath") ? diskOrFile : folder.path())
                + "/store.conf";
        QVERIFY(kind != "folder" || QDir(folder.path()).mkdir("store.conf"));
        QVERIFY(kind != "beneath a file" || writeFile(diskOrFile, ""));
        QVERIFY(kind != "too large"
                || (writeFile(fileName, "[s]\na1=x\n")
                    && QFile(fileName).resize(SettingsStore::largestFile + 1)));
        const QString lockName = fileName + ".lock";
        if (kind == "locked elsewhere")
            QVERIFY(writeFile(lockName, "4242\nOrmek商人计算器\nanother-computer\n"));
        // A sparse file: it takes no room.
        QVERIFY(kind != "lock too large"
                || (writeFile(lockName, "") && QFile(lockName).resize(4LL << 30)));
#ifdef Q_OS_UNIX
        // A small file system of its own, to fill or make read-only.
        const QStringList tmpfs = { "-t", "tmpfs", "-o", "size=1m", "tmpfs", diskOrFile };
        if (onDisk && (!QDir().mkdir(diskOrFile) || QProcess::execute("mount", tmpfs) != 0))
            QSKIP("cannot mount a small file system here (needs root)");
        auto unmount = qScopeGuard([&] {
            if (onDisk)
                QProcess::execute("umount", { diskOrFile });
        });
        const QString pipe = kind == "link to a pipe" ? folder.filePath("pipe") : fileName;
        QVERIFY(!kind.contains("pipe") || locked || QProcess::execute("mkfifo", { pipe }) == 0);
        QVERIFY(kind != "link to a pipe" || QFile::link(pipe, fileName));
        QVERIFY(kind != "lock a pipe" || QProcess::execute("mkfifo", { lockName }) == 0);
        QVERIFY(kind != "lock a link to a device" || QFile::link("/dev/zero", lockName));
        QVERIFY(!kind.startsWith("link into") || QFile::link(diskOrFile + "/store.conf", fileName));
        QVERIFY(!onDisk
                || writeFile(diskOrFile + "/store.conf",
                             kind.startsWith("damaged") ? QByteArray(8000, '?') : "[s]\na1=x\n"));
#else
        if (!(kind == "folder" || kind == "locked elsewhere" || kind == "too large"
              || kind == "lock too large" || kind == "beneath a file"))
            QSKIP("no pipes, links or small file systems here");
#endif
        QFile filler(diskOrFile + "/filler");
        if (kind.contains("full")) {
            // Full but for two pages: room for a lock file and a small file, no more.
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'x')) == 4096) { }
            QVERIFY(filler.resize(filler.size() - 8192));
        }
        if (kind.contains("read-only"))
            QCOMPARE(QProcess::execute("mount", { "-o", "remount,ro", diskOrFile }), 0);
        const auto state = [&] {
            return QFileInfo(fileName).dir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                    << QString::number(QFileInfo(fileName).size())
                    << (unreadable ? QByteArray() : contents(fileName));
        };
        const QStringList before = state();

        SettingsStore store(fileName, QSettings::IniFormat);
        store.setLockTimeout(0);
        QCOMPARE(store.isUnreadable(), unreadable);
        const QString value(2000, u'碳');
        store.setValue("s", "a1", value);
        QVERIFY(!store.commit());
        QCOMPARE(state(), before);
        QVERIFY(store.takeKeptCopy().isEmpty());
        QCOMPARE(store.value("s", "a1", ""), value);

        // Once the lock or the room is there, the next commit writes what failed.
        if (kind.contains("full") || locked) {
            QVERIFY(locked ? QFile::remove(lockName) : filler.remove());
            QVERIFY(store.commit());
            QCOMPARE(SettingsStore(fileName, QSettings::IniFormat).value("s", "a1", ""), value);
        }
    }

    // Two stores on one file, as two copies of the program have: each writes only what it set,
    // and counts from what is stored when it writes. The file keeps its mode; a damaged one is
    // first copied aside, as private as the file, to a name no earlier copy has.
    void keepsWhatIsNotItsOwn()
    {
        const QString fileName = m_folder.filePath("shared.conf");
        const QByteArray damaged = "[s]\nx=1\nN=5\nb1 3000\n[o]\nsize=@Size(3 4)\n";
        QVERIFY(writeFile(fileName, damaged) && writeFile(fileName + ".bak", "OLD\n"));
        // Not the mode a new file gets: others may not read it.
        QVERIFY(QFile::setPermissions(fileName,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadGroup));
        const QFileDevice::Permissions permissions = QFile::permissions(fileName);
        SettingsStore first(fileName, QSettings::IniFormat);
        SettingsStore second(fileName, QSettings::IniFormat);
        first.setValue("s", "a", "碳");
        second.setValue("s", "b", "2");
        for (SettingsStore *store : { &first, &second }) {
            store->updateValue("s", "N", [](const std::optional<QString> &n) {
                return QString::number(n.value_or("0").toInt() + 1);
            });
        }
        QVERIFY(first.commit());
        QCOMPARE(first.takeKeptCopy(), first.location() + ".2.bak");
        QVERIFY(second.commit());
        QVERIFY(second.takeKeptCopy().isEmpty());
        QCOMPARE(first.value("s", "b", ""), "2");
        const QVariantMap all = { { "o/size", QSize(3, 4) },
                                  { "s/N", "7" },
                                  { "s/a", "碳" },
                                  { "s/b", "2" },
                                  { "s/x", "1" } };
        QCOMPARE(qsettingsReading(fileName), all);
        QCOMPARE(QFile::permissions(fileName), permissions);
        QCOMPARE(QFile::permissions(fileName + ".2.bak"), permissions);
        QCOMPARE(contents(fileName + ".2.bak"), damaged);
        QCOMPARE(contents(fileName + ".bak"), "OLD\n");
        // Read again once the file is gone, through the price store as loading a preset does,
        // it holds nothing.
        QVERIFY(QFile::remove(fileName));
        PriceStore(second).reload();
        QCOMPARE(second.value("s", "a", "none"), "none");
    }

    // The store of Windows, the registry, with a key of string values for each section;
    // elsewhere QSettings' native format is a file.
    void keepsValuesInTheNativeStore()
    {
#ifdef Q_OS_WIN
        const QString location = "HKEY_CURRENT_USER\\Software\\Ormek商人计算器 测试";
        auto remove = qScopeGuard([&] { QProcess::execute("reg", { "delete", location, "/f" }); });
#else
        const QString location = m_folder.filePath("native.ini");
#endif
        SettingsStore native(location, QSettings::NativeFormat);
        PriceStore prices(native);
        // The automatic table and two slots, each apart from the others; each commit writes what
        // was set since the last.
        QMap<int, PriceTable> tables;
        for (int slot : { automaticTable, 1, 2 }) {
            tables[slot].fill({ QString::number(slot), QString::number(slot) });
            prices.setTable(slot, tables[slot]);
        }
        tables[1][0] = { "引号\"与=等号\n两行", QString(10000, u'9') };
        prices.setTable(1, tables[1]);
        prices.countRun();
        QVERIFY(prices.table(1) == tables[1]);
        QVERIFY(prices.commit() && prices.commit());
        for (auto it = tables.cbegin(); it != tables.cend(); ++it)
            QVERIFY(prices.table(it.key()) == it.value());
        QCOMPARE(prices.runCount(), "1");
        QCOMPARE(native.value(PriceStore::section(3), "a1", "设置"), "设置");
        QVERIFY(!native.isUnreadable());
        // A first run fills in only what no other copy has stored.
        PriceTable builtIn;
        builtIn.fill({ "默认", "7" });
        prices.setMissingEntries(2, builtIn);
        prices.setMissingEntries(3, builtIn);
        QVERIFY(prices.commit());
        QVERIFY(prices.table(2) == tables[2]);
        QVERIFY(prices.table(3) == builtIn);
#ifdef Q_OS_WIN
        // Seen from outside: a key for each section, and the slot's own.
        QCOMPARE(QProcess::execute("reg", { "query", location + "\\使用次数", "/v", "N" }), 0);
        const QString slotKey = location + "\\" + PriceStore::section(1);
        QCOMPARE(QProcess::execute("reg", { "query", slotKey, "/v", "b1" }), 0);
#else
        // A write that cannot be made is told.
        SettingsStore beneathAFile(location + "/below.ini", QSettings::NativeFormat);
        beneathAFile.setValue("s", "a1", "1");
        QVERIFY(!beneathAFile.commit());
#endif
    }

private:
    QTemporaryDir m_folder;
};

ORMEK_GUI_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
