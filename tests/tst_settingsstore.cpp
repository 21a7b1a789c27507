// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/settingsstore.h"
#include "platform/usersettingsstore.h"
#include "presets/savedtables.h"
#include "support/guitest.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Grown to size, when given, as a sparse file: it takes no room.
bool writeFile(const QString &fileName, const QByteArray &bytes, qint64 size = -1)
{
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
            && (size < 0 || file.resize(size));
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

// Makes what keeps the store from being written, under that name.
using Make = bool (*)(const QString &name);

qint64 diskFree = 1LL << 40;

struct StoreOnADisk : SettingsStore
{
    using SettingsStore::SettingsStore;
    qint64 freeSpace(const QString &) const override { return diskFree; }
};

} // namespace

Q_DECLARE_METATYPE(Make)

#if defined(__SANITIZE_ADDRESS__)
// A damaged binary value has QSettings reserve room for the items it claims, 20 GB and more:
// refused here, as on a machine with less memory, as AddressSanitizer would write its shadow.
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
        const QStringList one = { "碳" };
        // Each name is saved by itself: one that cannot be written held back all others.
        QTest::newRow("names with a comma and an at sign")
                << QByteArray("[s]\na1=x\n") << "x"
                << QStringList { "QQ群,@小明", "x, @y", "a,@", "\u0001控制", "@@", "\"引号\"" }
                << false;
        QTest::newRow("text Qt 5 wrote with escapes")
                << QByteArray("[s]\na1=\\x7075\\x9b42\\x707e\\x96be\n") << "灵魂灾难" << one
                << false;
        QTest::newRow("a list written by hand")
                << QByteArray("[s]\na1=x, y\n") << "x, y" << one << false;
        const QString others = m_folder.filePath("others");
        {
            QSettings settings(others, QSettings::IniFormat);
            settings.setValue("other/map", QVariantMap { { "n", 5 }, { "list", QStringList {} } });
            settings.setValue("other/when", QDateTime({ 2026, 12, 8 }, { 12, 0 }, Qt::UTC));
            settings.setValue("other/size", QSize(3, 4));
        }
        QTest::newRow("other programs' values beside a line without a value")
                << "[s]\na1=x\nstray line\n" + contents(others) << "x" << one << true;
        QTest::newRow("other programs' values after a byte-order mark, written later")
                << "\xef\xbb\xbf[s]\na1=x\n" + contents(others) << QString() << one << true;
        QTest::newRow("a damaged binary value asking for gigabytes")
                << contents(QFINDTESTDATA(
                           "fuzz-corpus/fuzz_settingsfile/binary-value-asking-for-gigabytes"))
                        + "[s]\na1=\"x\"\n"
                << "x" << one << true;
    }

    // The store reads what QSettings reads and saves each name as QSettings does, keeping the mode;
    // a file QSettings reads only in part is copied aside once, as private, to a name of its own.
    void keepsWhatQSettingsReads()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, readAtStart);
        QFETCH(QStringList, names);
        QFETCH(bool, damaged);
        const QString fileName = m_folder.filePath(QTest::currentDataTag());
        SettingsStore store(fileName, QSettings::IniFormat);
        QVERIFY(writeFile(fileName, text) && writeFile(fileName + ".bak", "OLD"));
        QVERIFY(QFile::setPermissions(fileName,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFile::Permissions mode = QFile::permissions(fileName);
        QVariantMap set;
        for (int row = 0; row < names.size(); ++row)
            set.insert(QStringLiteral("s/a%1").arg(row + 1), names.at(row));
        const QVariantMap expected = qsettingsReading(fileName, set);
        // Nothing read at start: other programs wrote the file after the store read it.
        if (!readAtStart.isEmpty())
            store.reload();
        QCOMPARE(store.value("s", "a1", ""), readAtStart);
        for (int row = 0; row < names.size(); ++row) {
            store.setValue("s", QStringLiteral("a%1").arg(row + 1), names.at(row));
            QVERIFY(store.commit());
            QCOMPARE(store.takeKeptCopy(), damaged && row == 0 ? fileName + ".2.bak" : QString());
        }
        QCOMPARE(qsettingsReading(fileName), expected);
        QCOMPARE(QFile::permissions(fileName), mode);
        QCOMPARE(contents(fileName + ".2.bak"), damaged ? text : QByteArray());
        QCOMPARE(QFile::permissions(fileName + ".2.bak"), damaged ? mode : QFile::Permissions());
    }

    void findsTheConfigurationFolder()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(QDir::tempPath() + "/config/"));
        QCOMPARE(userConfigurationFolder(), QDir::tempPath() + "/config");
        // A relative path, as the XDG rules say, is ignored.
        qputenv("XDG_CONFIG_HOME", "config");
        QCOMPARE(userConfigurationFolder(), QDir::homePath() + "/.config");
    }

    void keepsTheOldFileWhenItCannotWrite_data()
    {
        QTest::addColumn<Make>("make");
        QTest::addColumn<bool>("atLock"); // made at the store, or at its lock
        QTest::addColumn<bool>("fullDisk"); // with room for the lock and a small file alone
        QTest::newRow("folder") << Make([](auto n) { return QDir().mkdir(n); }) << false << false;
        QTest::newRow("too large")
                << Make([](auto n) { return writeFile(n, "", SettingsStore::largestFile + 1); })
                << false << false;
        QTest::newRow("locked elsewhere")
                << Make([](auto n) { return writeFile(n, "4242\nOrmek商人计算器\nPC 2\n"); })
                << true << false;
        QTest::newRow("lock too large")
                << Make([](auto n) { return writeFile(n, "", 4LL << 30); }) << true << false;
        QTest::newRow("full disk")
                << Make([](auto n) { return writeFile(n, "[s]\na1=x\n"); }) << false << true;
        QTest::newRow("damaged, full disk")
                << Make([](auto n) { return writeFile(n, "?"); }) << false << true;
#ifdef Q_OS_UNIX
        static const Make pipe = [](auto n) {
            return ::mkfifo(QFile::encodeName(n), 0600) == 0;
        };
        QTest::newRow("pipe") << pipe << false << false;
        QTest::newRow("lock a pipe") << pipe << true << false;
        QTest::newRow("link to a pipe")
                << Make([](auto n) { return pipe(n + "pipe") && QFile::link(n + "pipe", n); })
                << false << false;
        QTest::newRow("lock a link to a device")
                << Make([](auto n) { return QFile::link("/dev/zero", n); }) << true << false;
#endif
    }

    // A store not a plain file, or too large, is neither waited on, read nor written over; a failed
    // commit leaves the folder as it was, and the next, the obstacle gone, writes what failed.
    void keepsTheOldFileWhenItCannotWrite()
    {
        QFETCH(Make, make);
        QFETCH(bool, atLock);
        QFETCH(bool, fullDisk);
        const bool unreadable = !atLock && !fullDisk;
        QTemporaryDir folder;
        const QString fileName = folder.filePath("store.conf");
        const QString obstacle = fileName + (atLock ? ".lock" : "");
        QVERIFY(make(obstacle));
        diskFree = fullDisk ? 8192 : 1LL << 40;
        const auto state = [&] {
            return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                    << QString::number(QFileInfo(fileName).size())
                    << (unreadable ? QByteArray() : contents(fileName));
        };
        const QStringList before = state();

        StoreOnADisk store(fileName, QSettings::IniFormat);
        store.setLockTimeout(0);
        QCOMPARE(store.isUnreadable(), unreadable);
        const QString value(2000, u'碳');
        store.setValue("s", "a1", value);
        QVERIFY(!store.commit());
        QCOMPARE(state(), before);
        QVERIFY(store.takeKeptCopy().isEmpty());
        QCOMPARE(store.value("s", "a1", ""), value);
        diskFree = 1LL << 40;
        QVERIFY(fullDisk || QFile::remove(obstacle) || QDir().rmdir(obstacle));
        QVERIFY(store.commit());
        QCOMPARE(SettingsStore(fileName, QSettings::IniFormat).value("s", "a1", ""), value);
    }

    // On Windows the registry, with a key of string values for each section; elsewhere a file.
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
        const QString slot = location + "\\" + SavedTables::section(1);
        QCOMPARE(QProcess::execute("reg", { "query", slot, "/v", "b1" }), 0);
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
