#include "platform/qtsettingsstore.h"
#include "platform/settingsfile.h"
#include "support/guitest.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <unistd.h>

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

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
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

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};

} // namespace

// The store file: its text, written so that no failure loses the old file unnoticed.
class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrips_data();
    void roundTrips();
    void reportsWhatItCannotRead_data();
    void reportsWhatItCannotRead();
    void keepsValuesInTheConfigurationFolder();
    void keepsTheOldFileWhenAWriteFails_data();
    void keepsTheOldFileWhenAWriteFails();
    void setsAnUnreadableFileAside();
    void keepsAnUnreadableFileThatCannotBeCopied();

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
    const QSettings::SettingsMap written = {
        { section + "2/a1", value }, { "使用次数/N", "3" }, { "General/x", value },
        { "general/y", value },      { "top", value },
    };
    QSettings::SettingsMap read;
    QVERIFY(readSettingsFile(settingsFileText(written), read));
    QCOMPARE(read, written);

    const QString qts = m_folder.filePath(QString("qt-") + QTest::currentDataTag());
    QSettings(qts, QSettings::IniFormat).setValue(section + "/a1", value);
    read.clear();
    QVERIFY(readSettingsFile(contents(qts), read));
    QCOMPARE(read.value(section + "/a1").toString(), value);
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
    QSettings::SettingsMap read;
    QVERIFY(!readSettingsFile(text, read));
    QCOMPARE(read.keys(), keys);
}

void TestSettingsStore::keepsValuesInTheConfigurationFolder()
{
    QtSettingsStore store;
    const QString expected = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Ormek商人计算器.conf";
    QCOMPARE(store.location(), expected);
    store.setValue("使用次数", "N", "1");
    QVERIFY(store.commit());
    QVERIFY(contents(expected).contains("N=1"));

    // Folders are made as needed; a reader sees what is committed later.
    const QString fileName = m_folder.filePath("new/across.conf");
    QtSettingsStore writer(fileName);
    QtSettingsStore reader(fileName);
    writer.setValue(section, "a1", "灵魂灾难");
    QVERIFY(!QFile::exists(fileName));
    QVERIFY(writer.commit());
    QCOMPARE(reader.value(section, "a1", "默认"), "灵魂灾难");
    QCOMPARE(reader.value(section, "absent", "默认"), "默认");
}

void TestSettingsStore::keepsTheOldFileWhenAWriteFails_data()
{
    QTest::addColumn<bool>("full");
    QTest::newRow("read-only") << false;
    QTest::newRow("full disk") << true;
}

void TestSettingsStore::keepsTheOldFileWhenAWriteFails()
{
    QFETCH(bool, full);
    SmallDisk disk;
    // As root, only a read-only mount stops a write.
    if (!disk.isMounted() && (full || geteuid() == 0))
        QSKIP("cannot mount a small file system here (needs root)");
    const QString fileName = disk.path() + "/settings.conf";
    QtSettingsStore store(fileName);
    store.setValue(section, "a1", "灵魂灾难");
    QVERIFY(store.commit());
    const QByteArray before = contents(fileName);

    QFile filler(disk.path() + "/filler");
    if (full) {
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size()) { }
        filler.close();
        // One page left: enough for QSettings' lock file, not for the new text as well.
        QVERIFY(filler.resize(filler.size() - sysconf(_SC_PAGESIZE)));
    } else if (disk.isMounted()) {
        QVERIFY(disk.makeReadOnly());
    } else {
        QVERIFY(QFile::setPermissions(disk.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    store.setValue(section, "a1", QString(2000, u'碳'));
    QVERIFY(!store.commit());
    QCOMPARE(contents(fileName), before);
    QCOMPARE(QDir(disk.path()).entryList({ "*.conf*" }, QDir::Files),
             QStringList { "settings.conf" });
    if (!disk.isMounted())
        QFile::setPermissions(disk.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // With room again, the next commit writes what failed.
    if (full) {
        QVERIFY(filler.remove());
        QVERIFY(store.commit());
        QCOMPARE(QtSettingsStore(fileName).value(section, "a1", QString()), QString(2000, u'碳'));
    }
}

void TestSettingsStore::setsAnUnreadableFileAside()
{
    const QString fileName = m_folder.filePath("unreadable.conf");
    const QByteArray damaged = "[%U7269%U54C1%U540D%U79F0%U53CA%U4EF7%U683C%U50A8%U5B58]\n"
                               "a1=碳\n"
                               "b1 3000\n";
    QVERIFY(writeFile(fileName, damaged));

    QtSettingsStore store(fileName);
    QCOMPARE(store.value(section, "a1", QString()), "碳");
    QVERIFY(!store.takeBackupNotice());
    store.setValue(section, "a2", "小红");
    QVERIFY(store.commit());
    QCOMPARE(contents(fileName + ".bak"), damaged);
    QVERIFY(store.takeBackupNotice());
    QVERIFY(!store.takeBackupNotice());

    QSettings::SettingsMap values;
    QVERIFY(readSettingsFile(contents(fileName), values));
    QCOMPARE(values.value(section + "/a1").toString(), "碳");
    QCOMPARE(values.value(section + "/a2").toString(), "小红");

    // The file is readable now: later commits keep no further copy.
    store.setValue(section, "a3", "蓝冰");
    QVERIFY(store.commit());
    QVERIFY(!store.takeBackupNotice());
    QCOMPARE(contents(fileName + ".bak"), damaged);
}

void TestSettingsStore::keepsAnUnreadableFileThatCannotBeCopied()
{
    const QString fileName = m_folder.filePath("no-copy.conf");
    const QByteArray damaged = "[s]\na1=x\nnot a setting\n";
    QVERIFY(writeFile(fileName, damaged));
    // A folder where the copy would go.
    QVERIFY(QDir(m_folder.path()).mkdir("no-copy.conf.bak"));

    QtSettingsStore store(fileName);
    store.setValue("s", "a2", "y");
    QVERIFY(!store.commit());
    QVERIFY(!store.takeBackupNotice());
    QCOMPARE(contents(fileName), damaged);
}

ORMEK_GUI_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
