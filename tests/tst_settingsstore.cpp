// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/filesettingsstore.h"
#include "platform/nativesettingsstore.h"
#include "platform/usersettingsstore.h"
#include "store/pricestore.h"
#include "support/guitest.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

// What QSettings itself reads from the text, by key, types and all.
QVariantMap qsettingsReading(const QByteArray &text, const QString &fileName)
{
    if (!writeFile(fileName, text))
        return {};
    const QSettings settings(fileName, QSettings::IniFormat);
    QVariantMap values;
    for (const QString &key : settings.allKeys())
        values.insert(key, settings.value(key));
    return values;
}

} // namespace

// The settings store: its file's text, writing it so that no value is lost unnoticed, the registry.
class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsAsQSettingsReads_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<SettingsValues>("values");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("comments after a section and a value")
                << QByteArray("[%U4F7F%U7528%U6B21%U6570] ; run counter\nN=5\n[s]\na1=mine1\n"
                              "b1=3000 ; soul price\n")
                << SettingsValues { { "使用次数/N", "5" }, { "s/a1", "mine1" }, { "s/b1", "3000" } }
                << false;
        QTest::newRow("other programs' values")
                << QByteArray("[o]\nnul=\\0x\nat=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\0\\x5)\n"
                              "list=a, b, c\nsize=@Size(3 4)\n")
                << SettingsValues { { "o/nul", QString(QChar(0)) + "x" }, { "o/list", "a, b, c" } }
                << false;
        QTest::newRow("a line without a value")
                << QByteArray("[s]\na1=x\njust words\nb1=2\n")
                << SettingsValues { { "s/a1", "x" }, { "s/b1", "2" } } << true;
        QTest::newRow("a semicolon in a section name")
                << QByteArray("[sec;semi]\nk2=2\n") << SettingsValues { { "sec/k2", "2" } } << true;
        QTest::newRow("not utf-8")
                << QByteArray("[s]\na1=\xff\n") << SettingsValues { { "s/a1", "\ufffd" } } << false;
        // Its own line changed, the rest would read otherwise: QSettings writes it all.
        QTest::newRow("a value continued on the next line")
                << QByteArray("[%U7269%U54C1%U540D%U79F0%U53CA%U4EF7%U683C%U50A8%U5B58]\n"
                              "a1=old\\\nx\n")
                << SettingsValues { { "物品名称及价格储存/a1", "oldx" } } << false;
    }

    // The program reads what QSettings reads. Written again with a value of its own, the text
    // gives QSettings every other value as before, types and all, and keeps the other lines of
    // a text QSettings reads whole; a text QSettings could read only in part is said to be
    // damaged, to be kept aside before it is written over.
    void readsAsQSettingsReads()
    {
        QFETCH(QByteArray, text);
        QFETCH(SettingsValues, values);
        QFETCH(bool, damaged);
        SettingsValues read;
        QCOMPARE(readSettingsFile(text, read),
                 damaged ? SettingsFileReading::Damaged : SettingsFileReading::Read);
        QCOMPARE(read, values);

        const QString tag = QTest::currentDataTag();
        QVariantMap expected = qsettingsReading(text, m_folder.filePath(tag + " before"));
        expected.insert("物品名称及价格储存/a1", "新");
        const std::optional<SettingsFileText> written =
                settingsFileWithValues(text, { { "物品名称及价格储存/a1", "新" } });
        QVERIFY(written);
        QCOMPARE(qsettingsReading(written->bytes, m_folder.filePath(tag + " after")), expected);
        QCOMPARE(written->rewritten, damaged || tag.startsWith("a value continued"));
        QVERIFY(written->rewritten || written->bytes.startsWith(text));
    }

    // A binary value whose sizes would have QSettings ask for gigabytes is never decoded, and
    // its line stays as it is.
    void leavesBinaryValuesAlone()
    {
        const QByteArray hostile = "[o]\nat=@Variant(\\0\\0\\0\\x\x0b"
                                   "2\\0\\0\\0\\0\\x5)\n[s]\na1=x\n";
        SettingsValues read;
        QCOMPARE(readSettingsFile(hostile, read), SettingsFileReading::Read);
        QCOMPARE(read, SettingsValues({ { "s/a1", "x" } }));
        const std::optional<SettingsFileText> written =
                settingsFileWithValues(hostile, { { "s/a1", "y" } });
        QVERIFY(written && !written->rewritten);
        // Its own line as QSettings writes it, which on Windows ends in CR LF.
        QCOMPARE(QByteArray(written->bytes).replace("\r\n", "\n"),
                 QByteArray(hostile).replace("a1=x", "a1=y"));
        QCOMPARE(withoutEncodedValues("a=@@x, @Size(1 2)\nb=\"@Variant(x)\"\nc=y, \\x40\n"),
                 "a=@@x, @Size(1 2)\nb=@Invalid()\nc=@Invalid()\n");
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
        for (const char *kind : { "folder", "pipe", "beneath a file", "too large",
                                  "no temporary folder, read-only disk" })
            QTest::newRow(kind) << QString(kind) << true;
        for (const char *kind :
             { "locked elsewhere", "lock a pipe", "lock a link to a device", "lock too large",
               "link into a read-only disk", "full disk", "damaged, full disk" })
            QTest::newRow(kind) << QString(kind) << false;
    }

    // A store that is not a plain file is neither waited on, nor read, nor written over; a commit
    // that fails leaves the old file and nothing beside it, and waits for a lock briefly.
    void keepsTheOldFileWhenItCannotWrite()
    {
        QFETCH(QString, kind);
        QFETCH(bool, unreadable);
        const bool onDisk = kind.endsWith("disk");
        const bool locked = kind.startsWith("lock");
        QTemporaryDir folder;
        const QString diskOrFile = folder.filePath("place");
        const QString fileName =
                (kind.contains("full") || kind.startsWith("beneath") || kind.startsWith("no temp")
                         ? diskOrFile
                         : folder.path())
                + "/store.conf";
        QVERIFY(kind != "folder" || QDir(folder.path()).mkdir("store.conf"));
        QVERIFY(kind != "beneath a file" || writeFile(diskOrFile, ""));
        QVERIFY(kind != "too large" || writeFile(fileName, QByteArray(64 * 1024 * 1024 + 1, '\n')));
        const QString lockName = fileName + ".lock";
        if (kind == "locked elsewhere")
            QVERIFY(writeFile(lockName, "4242\nOrmek商人计算器\nanother-computer\n"));
        // A sparse file: it takes no room.
        QVERIFY(kind != "lock too large"
                || (writeFile(lockName, "") && QFile(lockName).resize(4LL << 30)));
#ifdef Q_OS_UNIX
        // A small file system of its own, to fill or make read-only.
        const QStringList tmpfs = { "-t", "tmpfs", "-o", "size=64k", "tmpfs", diskOrFile };
        if (onDisk && (!QDir().mkdir(diskOrFile) || QProcess::execute("mount", tmpfs) != 0))
            QSKIP("cannot mount a small file system here (needs root)");
        auto unmount = qScopeGuard([&] {
            if (onDisk)
                QProcess::execute("umount", { diskOrFile });
        });
        QVERIFY(kind != "pipe" || QProcess::execute("mkfifo", { fileName }) == 0);
        QVERIFY(kind != "lock a pipe" || QProcess::execute("mkfifo", { lockName }) == 0);
        QVERIFY(kind != "lock a link to a device" || QFile::link("/dev/zero", lockName));
        QVERIFY(!kind.startsWith("link") || QFile::link(diskOrFile + "/store.conf", fileName));
        QVERIFY(!onDisk
                || writeFile(fileName, kind.startsWith("damaged") ? QByteArray(8000, '?') : "x=1"));
#else
        if (!(kind == "folder" || kind == "locked elsewhere" || kind == "too large"
              || kind == "lock too large"))
            QSKIP("no pipes, links or small file systems here");
#endif
        QFile filler(diskOrFile + "/filler");
        if (kind.contains("full")) {
            // Full but for two pages: room for a lock file and a small file, no more.
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            filler.write(QByteArray(64 * 1024, 'x'));
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

        // Nowhere to read the file: not in the temporary folder, nor beside the file.
        const QByteArray temporary = qgetenv("TMPDIR");
        auto restore = qScopeGuard([&] { qputenv("TMPDIR", temporary); });
        if (kind.startsWith("no temp"))
            qputenv("TMPDIR", QFile::encodeName(fileName));
        FileSettingsStore store(fileName);
        store.setLockTimeout(0);
        QCOMPARE(store.isUnreadable(), unreadable);
        // A damaged file is larger than the room left for its copy; its small new text fits.
        const QString value = kind.startsWith("damaged") ? "碳" : QString(2000, u'碳');
        store.setValue("s", "a1", value);
        QVERIFY(!store.commit());
        QCOMPARE(state(), before);
        QVERIFY(store.takeKeptCopy().isEmpty());
        QCOMPARE(store.value("s", "a1", ""), value);

        // Once the lock or the room is there, the next commit writes what failed.
        if (kind.contains("full") || locked) {
            QVERIFY(locked ? QFile::remove(lockName) : filler.remove());
            QVERIFY(store.commit());
            QCOMPARE(FileSettingsStore(fileName).value("s", "a1", ""), value);
        }
    }

    // Two stores on one file, as two instances of the program have: each writes only what it
    // set, and counts from what is stored when it writes. Keys of other programs stay, the mode
    // and the group too, and lines it cannot read are first copied aside, as private as the
    // file, to a name no earlier copy has.
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
#ifdef Q_OS_UNIX
        // Another group than the user's own, where the user may give it one (root may).
        const bool otherGroup = ::chown(QFile::encodeName(fileName), uid_t(-1), 100) == 0;
#endif
        FileSettingsStore first(fileName);
        FileSettingsStore second(fileName);
        first.setValue("s", "a", "碳");
        second.setValue("s", "b", "2");
        for (FileSettingsStore *store : { &first, &second }) {
            store->updateValue("s", "N", [](const std::optional<QString> &n) {
                return QString::number(n.value_or("0").toInt() + 1);
            });
        }
        QVERIFY(second.commit());
        QCOMPARE(second.takeKeptCopy(), second.location() + ".2.bak");
        QVERIFY(first.commit());
        QVERIFY(first.takeKeptCopy().isEmpty());
        QCOMPARE(first.value("s", "b", ""), "2");
        const QVariantMap all = { { "o/size", QSize(3, 4) },
                                  { "s/N", "7" },
                                  { "s/a", "碳" },
                                  { "s/b", "2" },
                                  { "s/x", "1" } };
        QCOMPARE(qsettingsReading(contents(fileName), m_folder.filePath("shared.ini")), all);
        QCOMPARE(QFile::permissions(fileName), permissions);
        QCOMPARE(QFile::permissions(fileName + ".2.bak"), permissions);
#ifdef Q_OS_UNIX
        QVERIFY(!otherGroup || QFileInfo(fileName).groupId() == 100);
#endif
        QCOMPARE(contents(fileName + ".2.bak"), damaged);
        QCOMPARE(contents(fileName + ".bak"), "OLD\n");
        // With no temporary folder to be had, QSettings' scratch copies go beside the file.
        const QByteArray temporary = qgetenv("TMPDIR");
        auto restore = qScopeGuard([&] { qputenv("TMPDIR", temporary); });
        qputenv("TMPDIR", QFile::encodeName(fileName));
        FileSettingsStore third(fileName);
        QVERIFY(!third.isUnreadable());
        third.setValue("s", "c", "3");
        QVERIFY(third.commit());
        QCOMPARE(third.value("s", "b", ""), "2");
        restore.dismiss();
        qputenv("TMPDIR", temporary);
        QCOMPARE(QDir(m_folder.path())
                         .entryList({ ".ormek-scratch-*" }, QDir::AllEntries | QDir::Hidden),
                 QStringList());
        // Through the price store, as loading or viewing a preset reloads: the fake store has
        // nothing to reload.
        PriceStore(second).reload();
        QCOMPARE(second.value("s", "a", ""), "碳");
        // Read again once the file is gone, it holds nothing.
        QVERIFY(QFile::remove(fileName));
        second.reload();
        QCOMPARE(second.value("s", "a", "none"), "none");
    }

    // The store of Windows, the registry, with a key of string values for each section;
    // elsewhere the same class keeps a file.
    void keepsValuesInTheNativeStore()
    {
#ifdef Q_OS_WIN
        const QString location = "HKEY_CURRENT_USER\\Software\\Ormek商人计算器 测试";
        auto remove = qScopeGuard([&] { QProcess::execute("reg", { "delete", location, "/f" }); });
#else
        const QString location = m_folder.filePath("native.ini");
#endif
        NativeSettingsStore native(location);
        PriceStore prices(native);
        // The automatic table and two slots, each apart from the others; each commit writes what
        // was set since the last, and each read asks the store itself.
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
        NativeSettingsStore beneathAFile(location + "/below.ini");
        beneathAFile.setValue("s", "a1", "1");
        QVERIFY(!beneathAFile.commit());
#endif
    }

private:
    QTemporaryDir m_folder;
};

ORMEK_GUI_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
