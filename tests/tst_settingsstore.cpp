// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/settingsstore.h"
#include "platform/usersettingsstore.h"
#include "presets/savedtables.h"
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

// What QSettings reads from the file, types and all, once it has set values in it itself: in
// copies under names of their own, as QSettings keeps what it read of a name.
QVariantMap qsettingsReading(const QString &fileName, const QVariantMap &values = {})
{
    static int copies = 0;
    const QString copy = QStringLiteral("%1.%2").arg(fileName).arg(++copies);
    QVariantMap read;
    if (writeFile(copy, contents(fileName))) {
        QSettings settings(copy, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), *it);
        for (const QString &key : settings.allKeys())
            read.insert(key, settings.value(key));
    }
    return values.isEmpty() ? read : qsettingsReading(copy);
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// A damaged binary value has QSettings reserve room for the items it claims, 20 GB and more. A
// release build gets that as address space it never touches, or is refused it, and Qt then
// reads an empty list; AddressSanitizer would write gigabytes of its shadow memory for it
// instead. So it refuses such sizes here, as a machine with less memory does.
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
        // Each name is saved by itself: one that cannot be written held back all others.
        QTest::newRow("names with a comma and an at sign")
                << QByteArray("[s]\na1=x\n") << "x"
                << QStringList { "QQ群,@小明", "x, @y", "a,@", "\u0001控制", "@@", "\"引号\"" }
                << false;
        QTest::newRow("text Qt 5 wrote with escapes")
                << QByteArray("[s]\na1=\\x7075\\x9b42\\x707e\\x96be\n") << "灵魂灾难"
                << QStringList { "碳" } << false;
        const QString others = m_folder.filePath("others");
        {
            QSettings settings(others, QSettings::IniFormat);
            settings.setValue("other/map", QVariantMap { { "n", 5 }, { "list", QStringList {} } });
            settings.setValue("other/when", QDateTime({ 2026, 12, 8 }, { 12, 0 }, Qt::UTC));
            settings.setValue("other/size", QSize(3, 4));
        }
        QTest::newRow("other programs' values beside a line without a value")
                << "[s]\na1=x\nstray line\n" + contents(others) << "x" << QStringList { "碳" }
                << true;
        QTest::newRow("other programs' values after a byte-order mark")
                << "\xef\xbb\xbf[s]\na1=x\n" + contents(others) << "x" << QStringList { "碳" }
                << true;
        QTest::newRow("a damaged binary value asking for gigabytes")
                << contents(QFINDTESTDATA(
                           "fuzz-corpus/fuzz_settingsfile/binary-value-asking-for-gigabytes"))
                        + "[s]\na1=\"x\"\n"
                << "x" << QStringList { "碳" } << true;
    }

    // The store reads what QSettings reads. Each of its names saved, each save succeeds, and the
    // file then reads as when QSettings itself sets them: everything else as before, types and
    // all, in a file that keeps its mode. A file QSettings reads only in part is first copied
    // aside, once, as private as the file, to a name no earlier copy has.
    void keepsWhatQSettingsReads()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, readAtStart);
        QFETCH(QStringList, names);
        QFETCH(bool, damaged);
        const QString fileName = m_folder.filePath(QTest::currentDataTag());
        QVERIFY(writeFile(fileName, text) && writeFile(fileName + ".bak", "OLD"));
        QVERIFY(QFile::setPermissions(fileName,
                                      QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadGroup));
        const QFileDevice::Permissions mode = QFile::permissions(fileName);
        QVariantMap set;
        for (int row = 0; row < names.size(); ++row)
            set.insert(QStringLiteral("s/a%1").arg(row + 1), names.at(row));
        const QVariantMap expected = qsettingsReading(fileName, set);
        SettingsStore store(fileName, QSettings::IniFormat);
        QCOMPARE(store.value("s", "a1", "none"), readAtStart);
        for (int row = 0; row < names.size(); ++row) {
            store.setValue("s", QStringLiteral("a%1").arg(row + 1), names.at(row));
            QVERIFY(store.commit());
            QCOMPARE(store.takeKeptCopy(), damaged && row == 0 ? fileName + ".2.bak" : QString());
        }
        QCOMPARE(qsettingsReading(fileName), expected);
        QCOMPARE(QFile::permissions(fileName), mode);
        QCOMPARE(contents(fileName + ".2.bak"), damaged ? text : QByteArray());
        QCOMPARE(QFile::permissions(fileName + ".2.bak"),
                 damaged ? mode : QFileDevice::Permissions());
        // Read afresh, as another copy of the program does.
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
        for (const char *kind : { "locked elsewhere", "lock a pipe", "lock a link to a device",
                                  "lock too large", "full disk", "damaged, full disk" })
            QTest::newRow(kind) << QString(kind) << false;
    }

    // A store that is not a plain file is neither waited on, nor read, nor written over; nor is
    // one larger than QSettings writes in a few seconds. A commit that fails leaves the old file
    // and nothing beside it, and waits for a lock briefly; the next writes what failed.
    void keepsTheOldFileWhenItCannotWrite()
    {
        QFETCH(QString, kind);
        QFETCH(bool, unreadable);
        const bool onDisk = kind.endsWith("disk");
        const bool locked = kind.startsWith("lock");
        QTemporaryDir folder;
        const QString fileName = folder.filePath(onDisk ? "disk/store.conf" : "store.conf");
        const QString lockName = fileName + ".lock";
        QVERIFY(kind != "folder" || QDir().mkdir(fileName));
        QVERIFY(kind != "too large"
                || (writeFile(fileName, "[s]\na1=x\n")
                    && QFile(fileName).resize(SettingsStore::largestFile + 1)));
        QVERIFY(kind != "locked elsewhere"
                || writeFile(lockName, "4242\nOrmek商人计算器\nanother-computer\n"));
        // A sparse file: it takes no room.
        QVERIFY(kind != "lock too large"
                || (writeFile(lockName, "") && QFile(lockName).resize(4LL << 30)));
#ifdef Q_OS_UNIX
        // A small file system of its own, to fill.
        const QString disk = folder.filePath("disk");
        const QStringList tmpfs = { "-t", "tmpfs", "-o", "size=1m", "tmpfs", disk };
        if (onDisk && (!QDir().mkdir(disk) || QProcess::execute("mount", tmpfs) != 0))
            QSKIP("cannot mount a small file system here (needs root)");
        auto unmount = qScopeGuard([&] {
            if (onDisk)
                QProcess::execute("umount", { disk });
        });
        const QString pipe = folder.filePath(kind == "link to a pipe" ? "pipe" : "store.conf");
        QVERIFY(!kind.endsWith("pipe") || locked || QProcess::execute("mkfifo", { pipe }) == 0);
        QVERIFY(kind != "link to a pipe" || QFile::link(pipe, fileName));
        QVERIFY(kind != "lock a pipe" || QProcess::execute("mkfifo", { lockName }) == 0);
        QVERIFY(kind != "lock a link to a device" || QFile::link("/dev/zero", lockName));
        QVERIFY(!onDisk
                || writeFile(fileName,
                             kind.startsWith("damaged") ? QByteArray(8000, '?') : "[s]\na1=x\n"));
#else
        if (!(kind == "folder" || kind == "locked elsewhere" || kind.startsWith("too")
              || kind == "lock too large"))
            QSKIP("no pipes, links or small file systems here");
#endif
        QFile filler(folder.filePath("disk/filler"));
        // Full but for two pages: room for the lock and a small file, not for all QSettings
        // writes: it would put a truncated file in place of the store, and report no error.
        if (kind.contains("full")) {
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(4096, 'x')) == 4096) { }
            QVERIFY(filler.resize(filler.size() - 8192));
        }
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
        if (kind.contains("full") || locked) {
            QVERIFY(locked ? QFile::remove(lockName) : filler.remove());
            QVERIFY(store.commit());
            QCOMPARE(SettingsStore(fileName, QSettings::IniFormat).value("s", "a1", ""), value);
        }
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
        SavedTables prices(native);
        PriceTable table;
        table.fill({ "名", "1" });
        table[0] = { "引号\"与=等号\n两行", QString(10000, u'9') };
        prices.setTable(1, table);
        prices.countRun();
        QVERIFY(prices.commit() && prices.commit());
        QVERIFY(SavedTables(native).table(1) == table);
        QCOMPARE(SettingsStore(location, QSettings::NativeFormat).value("使用次数", "N", ""), "1");
        QVERIFY(!native.isUnreadable());
#ifdef Q_OS_WIN
        // Seen from outside: a key for each section, and the slot's own.
        QCOMPARE(QProcess::execute("reg", { "query", location + "\\使用次数", "/v", "N" }), 0);
        const QString slotKey = location + "\\" + SavedTables::section(1);
        QCOMPARE(QProcess::execute("reg", { "query", slotKey, "/v", "b1" }), 0);
#else
        // A write QSettings cannot make is told.
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
