#include "platform/qtsettingsstore.h"
#include "platform/settingsfile.h"
#include "support/guitest.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <unistd.h>

namespace {

QByteArray contents(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
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
    SmallDisk()
    {
        m_mounted =
                run(QStringLiteral("mount"), { "-t", "tmpfs", "-o", "size=64k", "tmpfs", path() });
    }
    ~SmallDisk()
    {
        if (m_mounted)
            run(QStringLiteral("umount"), { path() });
    }
    bool isMounted() const { return m_mounted; }
    QString path() const { return m_folder.path(); }
    bool makeReadOnly() { return run(QStringLiteral("mount"), { "-o", "remount,ro", path() }); }

private:
    QTemporaryDir m_folder;
    bool m_mounted = false;
};

const QString section = QStringLiteral("物品名称及价格储存");

} // namespace

class TestQtSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void livesInTheConfigurationFolder();
    void keepsValuesAcrossStores();
    void keepsTheOldFileInAReadOnlyFolder();
    void keepsTheOldFileOnAFullDisk();
    void setsAnUnreadableFileAside();
    void keepsAnUnreadableFileThatCannotBeCopied();

private:
    QTemporaryDir m_folder;
};

void TestQtSettingsStore::livesInTheConfigurationFolder()
{
    QtSettingsStore store;
    const QString expected =
            qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Ormek商人计算器.conf");
    QCOMPARE(store.location(), expected);
    store.setValue(QStringLiteral("使用次数"), QStringLiteral("N"), QStringLiteral("1"));
    QVERIFY(store.commit());
    QVERIFY(contents(expected).contains("N=1"));
}

void TestQtSettingsStore::keepsValuesAcrossStores()
{
    // The folders are made as needed.
    const QString fileName = m_folder.filePath(QStringLiteral("new/across.conf"));
    const QStringList values = { "",      "灵魂灾难", "   ",
                                 "a = b", "&",        "<b>x</b>",
                                 "\"q\"", "a;b",      QString(10000, u'碳') };
    QtSettingsStore writer(fileName);
    for (int i = 0; i < values.size(); ++i)
        writer.setValue(section, QString::number(i), values.at(i));
    QCOMPARE(writer.value(section, QStringLiteral("0"), QString()), values.first());
    QVERIFY(!QFile::exists(fileName));
    QVERIFY(writer.commit());

    QtSettingsStore reader(fileName);
    for (int i = 0; i < values.size(); ++i)
        QCOMPARE(reader.value(section, QString::number(i), QStringLiteral("默认")), values.at(i));
    QCOMPARE(reader.value(section, QStringLiteral("absent"), QStringLiteral("默认")),
             QStringLiteral("默认"));
    QCOMPARE(reader.value(QStringLiteral("使用次数"), QStringLiteral("0"), QStringLiteral("0")),
             QStringLiteral("0"));

    // A reader sees what is committed later.
    writer.setValue(section, QStringLiteral("0"), QStringLiteral("碳"));
    QVERIFY(writer.commit());
    QCOMPARE(reader.value(section, QStringLiteral("0"), QString()), QStringLiteral("碳"));
}

void TestQtSettingsStore::keepsTheOldFileInAReadOnlyFolder()
{
    SmallDisk disk;
    if (!disk.isMounted() && geteuid() == 0)
        QSKIP("cannot mount a file system here; as root, only a read-only mount stops a write");
    const QString fileName = disk.path() + QStringLiteral("/read-only.conf");
    QtSettingsStore store(fileName);
    store.setValue(section, QStringLiteral("a1"), QStringLiteral("灵魂灾难"));
    QVERIFY(store.commit());
    const QByteArray before = contents(fileName);

    if (disk.isMounted())
        QVERIFY(disk.makeReadOnly());
    else
        QVERIFY(QFile::setPermissions(disk.path(), QFile::ReadOwner | QFile::ExeOwner));
    store.setValue(section, QStringLiteral("a1"), QStringLiteral("碳"));
    QVERIFY(!store.commit());
    QCOMPARE(contents(fileName), before);
    if (!disk.isMounted())
        QFile::setPermissions(disk.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestQtSettingsStore::keepsTheOldFileOnAFullDisk()
{
    SmallDisk disk;
    if (!disk.isMounted())
        QSKIP("cannot mount a small file system here (needs root)");
    const QString fileName = disk.path() + QStringLiteral("/full.conf");
    QtSettingsStore store(fileName);
    store.setValue(section, QStringLiteral("a1"), QStringLiteral("灵魂灾难"));
    QVERIFY(store.commit());
    const QByteArray before = contents(fileName);

    QFile filler(disk.path() + QStringLiteral("/filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(1024, 'x');
    while (filler.write(block) == block.size()) { }
    filler.close();
    // One page left: enough for QSettings' lock file, not for the new text as well.
    QVERIFY(filler.resize(filler.size() - sysconf(_SC_PAGESIZE)));

    store.setValue(section, QStringLiteral("a1"), QString(2000, u'碳'));
    QVERIFY(!store.commit());
    QCOMPARE(contents(fileName), before);
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files), QStringList({ "filler", "full.conf" }));

    // With room again, the next commit writes what failed.
    QVERIFY(filler.remove());
    QVERIFY(store.commit());
    QCOMPARE(QtSettingsStore(fileName).value(section, QStringLiteral("a1"), QString()),
             QString(2000, u'碳'));
}

void TestQtSettingsStore::setsAnUnreadableFileAside()
{
    const QString fileName = m_folder.filePath(QStringLiteral("unreadable.conf"));
    const QByteArray damaged = "[%U7269%U54C1%U540D%U79F0%U53CA%U4EF7%U683C%U50A8%U5B58]\n"
                               "a1=碳\n"
                               "b1 3000\n";
    writeFile(fileName, damaged);

    QtSettingsStore store(fileName);
    QCOMPARE(store.value(section, QStringLiteral("a1"), QString()), QStringLiteral("碳"));
    QVERIFY(!store.takeBackupNotice());
    store.setValue(section, QStringLiteral("a2"), QStringLiteral("小红"));
    QVERIFY(store.commit());
    QCOMPARE(contents(fileName + QStringLiteral(".bak")), damaged);
    QVERIFY(store.takeBackupNotice());
    QVERIFY(!store.takeBackupNotice());

    QSettings::SettingsMap values;
    QVERIFY(readSettingsFile(contents(fileName), values));
    QCOMPARE(values.value(section + QStringLiteral("/a1")).toString(), QStringLiteral("碳"));
    QCOMPARE(values.value(section + QStringLiteral("/a2")).toString(), QStringLiteral("小红"));

    // The file is readable now: later commits keep no further copy.
    store.setValue(section, QStringLiteral("a3"), QStringLiteral("蓝冰"));
    QVERIFY(store.commit());
    QVERIFY(!store.takeBackupNotice());
    QCOMPARE(contents(fileName + QStringLiteral(".bak")), damaged);
}

void TestQtSettingsStore::keepsAnUnreadableFileThatCannotBeCopied()
{
    const QString fileName = m_folder.filePath(QStringLiteral("no-copy.conf"));
    const QByteArray damaged = "[s]\na1=x\nnot a setting\n";
    writeFile(fileName, damaged);
    // A folder where the copy would go.
    QVERIFY(QDir(m_folder.path()).mkdir(QStringLiteral("no-copy.conf.bak")));

    QtSettingsStore store(fileName);
    store.setValue(QStringLiteral("s"), QStringLiteral("a2"), QStringLiteral("y"));
    QVERIFY(!store.commit());
    QVERIFY(!store.takeBackupNotice());
    QCOMPARE(contents(fileName), damaged);
}

ORMEK_GUI_TEST_MAIN(TestQtSettingsStore)
#include "tst_qtsettingsstore.moc"
