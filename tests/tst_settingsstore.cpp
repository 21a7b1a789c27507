#include "platform/filesettingsstore.h"
#include "platform/nativesettingsstore.h"
#include "platform/settingsfile.h"
#include "platform/usersettingsstore.h"
#include "store/pricestore.h"
#include "support/guitest.h"

#include <QDir>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#endif

namespace {

const QString section = "物品名称及价格储存";

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

bool run(const QString &program, const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool ran = process.waitForFinished() && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    if (output)
        *output = process.readAllStandardOutput();
    return ran;
}

bool isRoot()
{
#ifdef Q_OS_UNIX
    return geteuid() == 0;
#else
    return false;
#endif
}

// A small file system of its own, so that a test can fill it or make it read-only.
class SmallDisk
{
public:
    SmallDisk() { m_mounted = run("mount", { "-t", "tmpfs", "-o", "size=64k", "tmpfs", path() }); }
    ~SmallDisk()
    {
        if (m_mounted)
            run("umount", { path() });
    }
    bool isMounted() const { return m_mounted; }
    QString path() const { return m_folder.path(); }
    bool makeReadOnly() { return run("mount", { "-o", "remount,ro", path() }); }
    // Fills the disk but for one page: enough for a lock file, not for a store file as well.
    bool fill(QFile &filler)
    {
        filler.setFileName(path() + "/filler");
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) { }
        filler.close();
        return filler.resize(filler.size() - 4096);
    }

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};

} // namespace

// The store: its file's text, and writing it so that no failure, no odd file and no other
// instance loses a value unnoticed; on Windows the registry.
class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrips_data();
    void roundTrips();
    void reportsWhatItCannotRead_data();
    void reportsWhatItCannotRead();
    void findsTheConfigurationFolder_data();
    void findsTheConfigurationFolder();
    void keepsTheOldFileWhenAWriteFails_data();
    void keepsTheOldFileWhenAWriteFails();
    void keepsEachDamagedFileOnce();
    void neverWritesOverWhatItCannotRead_data();
    void neverWritesOverWhatItCannotRead();
    void waitsBrieflyForALock();
    void keepsTheFileMode_data();
    void keepsTheFileMode();
    void keepsWhatAnotherInstanceWrote();
    void keepsTablesInTheNativeStore();

private:
    QTemporaryDir m_folder;
};

void TestSettingsStore::roundTrips_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << "";
    QTest::newRow("outer blanks") << " 魔石\u3000";
    QTest::newRow("equals and quotes") << "a = \"b\" 'c'";
    QTest::newRow("comma") << "3,000";
    QTest::newRow("comment signs") << "#1 ;2;";
    QTest::newRow("backslashes") << "C:\\x41\\";
    QTest::newRow("at sign") << "@Variant(x)";
    QTest::newRow("line breaks and tab") << "a\nb\r\n\t";
    QTest::newRow("control then hex digits") << "\x01"
                                                "1f\x02g";
    QTest::newRow("emoji") << "🐉 龙";
}

// Our reader and writer agree, and our reader takes what QSettings' INI format wrote.
void TestSettingsStore::roundTrips()
{
    QFETCH(QString, value);
    const SettingsValues written = {
        { section + "2/a1", value }, { "使用次数/N", "3" }, { "General/x", value },
        { "general/y", value },      { "top", value },
    };
    SettingsValues read;
    QVERIFY(readSettingsFile(settingsFileText(written), read));
    QCOMPARE(read, written);

    const QString qts = m_folder.filePath(QString("qt-") + QTest::currentDataTag());
    QSettings(qts, QSettings::IniFormat).setValue(section + "/a1", value);
    read.clear();
    QVERIFY(readSettingsFile(contents(qts), read));
    QCOMPARE(read.value(section + "/a1"), value);
}

void TestSettingsStore::reportsWhatItCannotRead_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("line without equals")
            << QByteArray("[s]\na1=x\njust words\nb1=2\n") << QStringList { "s/a1", "s/b1" };
    QTest::newRow("bad escape in section")
            << QByteArray("[%U4G]\na1=x\n[s]\nb1=2\n") << QStringList { "s/b1" };
    QTest::newRow("open quote") << QByteArray("[s]\na1=\"x\nb1=2\n") << QStringList { "s/b1" };
    QTest::newRow("not utf-8") << QByteArray("[s]\na1=\xff\xfe\n") << QStringList { "s/a1" };
    QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3) << QStringList();
}

void TestSettingsStore::reportsWhatItCannotRead()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, keys);
    SettingsValues read;
    QVERIFY(!readSettingsFile(text, read));
    QCOMPARE(read.keys(), keys);
}

void TestSettingsStore::findsTheConfigurationFolder_data()
{
    QTest::addColumn<QString>("configHome");
    QTest::addColumn<bool>("taken");
    QTest::newRow("absolute") << QDir::tempPath() + "/config/" << true;
    QTest::newRow("relative, as the XDG rules say to ignore") << "config" << false;
    QTest::newRow("empty") << "" << false;
}

void TestSettingsStore::findsTheConfigurationFolder()
{
    QFETCH(QString, configHome);
    QFETCH(bool, taken);
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", saved); });
    qputenv("XDG_CONFIG_HOME", configHome.toUtf8());
    QCOMPARE(userConfigurationFolder(),
             taken ? QDir::cleanPath(configHome) : QDir::homePath() + "/.config");
}

void TestSettingsStore::keepsTheOldFileWhenAWriteFails_data()
{
    QTest::addColumn<bool>("full");
    QTest::addColumn<bool>("damaged");
    QTest::newRow("read-only") << false << false;
    QTest::newRow("full disk") << true << false;
    QTest::newRow("damaged file, no room for its copy") << true << true;
}

void TestSettingsStore::keepsTheOldFileWhenAWriteFails()
{
    QFETCH(bool, full);
    QFETCH(bool, damaged);
#ifndef Q_OS_UNIX
    QSKIP("no small file system to fill or make read-only here");
#endif
    SmallDisk disk;
    // As root, only a read-only mount stops a write.
    if (!disk.isMounted() && (full || isRoot()))
        QSKIP("cannot mount a small file system here (needs root)");
    const QString fileName = disk.path() + "/settings.conf";
    FileSettingsStore store(fileName);
    store.setValue(section, "a1", "灵魂灾难");
    QVERIFY(store.commit());
    // Larger than the room left for its copy.
    if (damaged)
        QVERIFY(writeFile(fileName, contents(fileName) + QByteArray(8000, '?') + '\n'));
    const QByteArray before = contents(fileName);

    QFile filler;
    if (full)
        QVERIFY(disk.fill(filler));
    else if (disk.isMounted())
        QVERIFY(disk.makeReadOnly());
    else
        QVERIFY(QFile::setPermissions(disk.path(), QFile::ReadOwner | QFile::ExeOwner));
    store.setValue(section, "a1", QString(2000, u'碳'));
    QVERIFY(!store.commit());
    QCOMPARE(contents(fileName), before);
    QCOMPARE(QDir(disk.path()).entryList({ "*.conf*" }, QDir::Files),
             QStringList { "settings.conf" });
    QVERIFY(store.takeKeptCopy().isEmpty());
    if (!disk.isMounted())
        QFile::setPermissions(disk.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // With room again, the next commit writes what failed.
    if (full) {
        QVERIFY(filler.remove());
        QVERIFY(store.commit());
        QCOMPARE(FileSettingsStore(fileName).value(section, "a1", QString()), QString(2000, u'碳'));
    }
}

// A file read only in part is copied before it is first written over, to a name no earlier
// copy has.
void TestSettingsStore::keepsEachDamagedFileOnce()
{
    const QString fileName = m_folder.filePath("damaged.conf");
    const QByteArray damaged = "[%U7269%U54C1%U540D%U79F0%U53CA%U4EF7%U683C%U50A8%U5B58]\n"
                               "a1=碳\n"
                               "b1 3000\n";
    QVERIFY(writeFile(fileName, damaged));
    QVERIFY(writeFile(fileName + ".bak", "OLD\n"));

    FileSettingsStore store(fileName);
    QCOMPARE(store.value(section, "a1", QString()), "碳");
    store.setValue(section, "a2", "小红");
    QVERIFY(store.commit());
    QCOMPARE(store.takeKeptCopy(), fileName + ".2.bak");
    QVERIFY(store.takeKeptCopy().isEmpty());
    QCOMPARE(contents(fileName + ".2.bak"), damaged);
    QCOMPARE(contents(fileName + ".bak"), "OLD\n");

    SettingsValues values;
    QVERIFY(readSettingsFile(contents(fileName), values));
    QCOMPARE(values.value(section + "/a1"), "碳");
    QCOMPARE(values.value(section + "/a2"), "小红");

    // The file is readable now: later commits keep no further copy.
    store.setValue(section, "a3", "蓝冰");
    QVERIFY(store.commit());
    QVERIFY(store.takeKeptCopy().isEmpty());
    QCOMPARE(QDir(m_folder.path()).entryList({ "damaged.conf*" }).size(), 3);
}

void TestSettingsStore::neverWritesOverWhatItCannotRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("folder") << "folder";
    QTest::newRow("larger than any store") << "large";
    QTest::newRow("pipe") << "pipe";
    QTest::newRow("link to a pipe") << "link";
    QTest::newRow("endless device") << "device";
    QTest::newRow("file it may not read") << "no access";
}

// Reading never blocks on such a store, nor reads it without end; nothing is written over it.
void TestSettingsStore::neverWritesOverWhatItCannotRead()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString fileName = folder.filePath("store.conf");
    if (kind == "folder") {
        QVERIFY(QDir(folder.path()).mkdir("store.conf"));
    } else if (kind == "large") {
        QFile file(fileName);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(65 * 1024 * 1024));
    } else {
#ifdef Q_OS_UNIX
        const QByteArray node = QFile::encodeName(folder.filePath("node"));
        if (kind == "pipe" || kind == "link")
            QCOMPARE(::mkfifo(kind == "pipe" ? QFile::encodeName(fileName) : node, 0600), 0);
        if (kind == "link")
            QVERIFY(QFile::link(QFile::decodeName(node), fileName));
        // A private node of /dev/zero: reading it never ends.
        if (kind == "device" && ::mknod(QFile::encodeName(fileName), S_IFCHR | 0600, makedev(1, 5)))
            QSKIP("cannot make a device node here (needs root)");
        if (kind == "no access") {
            if (isRoot())
                QSKIP("root may read any file");
            QVERIFY(writeFile(fileName, "[s]\nx=1\n"));
            QVERIFY(QFile::setPermissions(fileName, {}));
        }
#else
        QSKIP("no pipes, devices or file modes here");
#endif
    }
    const QFileInfo before(fileName);

    FileSettingsStore store(fileName);
    QVERIFY(store.isUnreadable());
    QCOMPARE(store.value(section, "a1", "设置"), "设置");
    store.setValue(section, "a1", "碳");
    QVERIFY(!store.commit());
    QVERIFY(store.isUnreadable());
    QCOMPARE(store.value(section, "a1", "设置"), "碳");
    const QFileInfo after(fileName);
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.isFile(), before.isFile());
    QCOMPARE(after.size(), before.size());
    QVERIFY(store.takeKeptCopy().isEmpty());
    QCOMPARE(QDir(folder.path()).entryList({ "*.bak", "*.lock" }), QStringList());
}

// A lock that another program holds, here on another computer, holds a commit up for a moment
// at most; what it could not write waits for the next commit.
void TestSettingsStore::waitsBrieflyForALock()
{
    const QString fileName = m_folder.filePath("locked.conf");
    QVERIFY(writeFile(fileName + ".lock", "4242\nOrmek商人计算器\nanother-computer\n"));
    FileSettingsStore store(fileName);
    store.setLockTimeout(0);
    store.setValue(section, "a1", "碳");
    QVERIFY(!store.commit());
    QVERIFY(!QFile::exists(fileName));

    QVERIFY(QFile::remove(fileName + ".lock"));
    QVERIFY(store.commit());
    QCOMPARE(FileSettingsStore(fileName).value(section, "a1", QString()), "碳");
    QVERIFY(!QFile::exists(fileName + ".lock"));
}

void TestSettingsStore::keepsTheFileMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("private") << 0600;
    QTest::newRow("group may read") << 0640;
    QTest::newRow("read-only, written by root") << 0444;
}

void TestSettingsStore::keepsTheFileMode()
{
#ifdef Q_OS_UNIX
    QFETCH(int, mode);
    if (!(mode & 0200) && !isRoot())
        QSKIP("only root writes over a read-only file");
    const QString fileName = m_folder.filePath(QString("mode-%1.conf").arg(mode, 0, 8));
    QVERIFY(writeFile(fileName, "[s]\nx=1\n"));
    QCOMPARE(::chmod(QFile::encodeName(fileName), mode_t(mode)), 0);
    FileSettingsStore store(fileName);
    store.setValue("s", "x", "2");
    QVERIFY(store.commit());
    struct stat status = {};
    QCOMPARE(::stat(QFile::encodeName(fileName), &status), 0);
    QCOMPARE(int(status.st_mode & 0777), mode);
#else
    QSKIP("no file modes here");
#endif
}

// Two stores on one file, as two instances of the program have: each writes only what it set,
// and counts from what is stored when it writes.
void TestSettingsStore::keepsWhatAnotherInstanceWrote()
{
    const QString fileName = m_folder.filePath("shared.conf");
    QVERIFY(writeFile(fileName, "[其它程序]\nx=1\n[使用次数]\nN=5\n"));
    FileSettingsStore first(fileName);
    FileSettingsStore second(fileName);
    const auto countRun = [](const QString &stored) {
        return QString::number(stored.toInt() + 1);
    };
    first.setValue(section, "a1", "甲");
    first.updateValue("使用次数", "N", countRun);
    second.setValue(section, "a2", "乙");
    second.updateValue("使用次数", "N", countRun);
    QVERIFY(second.commit());
    QCOMPARE(first.value(section, "a2", "设置"), "设置");
    QVERIFY(first.commit());
    QCOMPARE(first.value(section, "a2", "设置"), "乙");

    SettingsValues values;
    QVERIFY(readSettingsFile(contents(fileName), values));
    QCOMPARE(values,
             SettingsValues({ { section + "/a1", "甲" },
                              { section + "/a2", "乙" },
                              { "使用次数/N", "7" },
                              { "其它程序/x", "1" } }));
    QCOMPARE(second.value(section, "a1", "设置"), "设置");
    second.reload();
    QCOMPARE(second.value(section, "a1", "设置"), "甲");
}

// The store of Windows, the registry, through the tables the program keeps there; elsewhere
// the same class keeps a file.
void TestSettingsStore::keepsTablesInTheNativeStore()
{
#ifdef Q_OS_WIN
    const QString testKey = "HKCU\\Software\\Ormek商人计算器 测试";
    const QString key = QString(testKey).replace("HKCU", "HKEY_CURRENT_USER");
    auto removeKey = qScopeGuard([&] { run("reg", { "delete", testKey, "/f" }); });
#else
    const QString key = m_folder.filePath("native.ini");
#endif
    PriceTable automatic = defaultPriceTable();
    automatic[0] = { "引号\"与=等号", QString(10000, u'9') };
    automatic[1] = { "两行\n文字", "3000" };
    PriceTable preset = defaultPriceTable();
    preset[0].name = "方案二的名字";
    {
        NativeSettingsStore native(key);
        PriceStore prices(native);
        prices.setTable(automaticTable, automatic);
        prices.setTable(2, preset);
        prices.countRun();
        QVERIFY(prices.commit());
    }
    NativeSettingsStore native(key);
    PriceStore prices(native);
    QVERIFY(prices.table(automaticTable) == automatic);
    QVERIFY(prices.table(2) == preset);
    PriceTable unset;
    unset.fill({ "设置", "0" });
    QVERIFY(prices.table(1) == unset);
    QCOMPARE(prices.runCount(), "1");
    QVERIFY(!native.isUnreadable());

#ifdef Q_OS_WIN
    // Seen from outside, as string values in one key per section.
    QByteArray output;
    QVERIFY(run("reg", { "query", testKey + "\\使用次数", "/v", "N" }, &output));
    QVERIFY2(output.simplified().contains("N REG_SZ 1"), output.constData());
    const QString exported = m_folder.filePath("exported.reg");
    QVERIFY(run("reg", { "export", testKey, QDir::toNativeSeparators(exported), "/y" }));
    const QByteArray bytes = contents(exported);
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(bytes.constData()),
                                            bytes.size() / 2);
    QVERIFY2(text.contains("\\物品名称及价格储存2]"), qPrintable(text));
    QVERIFY(text.contains("\"a1\"=\"方案二的名字\""));
    QVERIFY(text.contains("\"a1\"=\"引号\\\"与=等号\""));
#endif
}

ORMEK_GUI_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
