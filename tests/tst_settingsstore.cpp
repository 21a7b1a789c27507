#include "platform/filesettingsstore.h"
#include "platform/nativesettingsstore.h"
#include "platform/usersettingsstore.h"
#include "support/guitest.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStringDecoder>
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

// The text that QSettings' INI format writes for the values.
QByteArray qsettingsText(const SettingsValues &values, const QString &fileName)
{
    {
        QSettings settings(fileName, QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
    }
    return contents(fileName);
}

} // namespace

// The settings store: its file's text, writing it so that no value is lost unnoticed, the registry.
class TestSettingsStore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsWhatAPersonWrites_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<SettingsValues>("values");
        QTest::addColumn<bool>("readable");
        const SettingsValues written = { { "top", "" },
                                         { "General/x", " 魔石 " },
                                         { "使用次数/N", "3,000" },
                                         { "键/k_-.\u00ff\x01é", "a = \"b\" 'c'" },
                                         { "s/a1", "#1 ;2;" },
                                         { "s/a2", "C:\\x41\\" },
                                         { "s/a3", "@Variant(x)" },
                                         { "s/a4", "a\nb\r\n\tc" },
                                         { "s/a5", "\0011f\002g" },
                                         { "s/a6", "🐉 龙" } };
        QTest::newRow("written by QSettings")
                << qsettingsText(written, m_folder.filePath("qsettings.ini")) << written << true;
        QTest::newRow("blanks and comments")
                << QByteArray("; note\n[s]\n  a1 \t= x y \t\r\n# b1=1\n\nb1=\n")
                << SettingsValues { { "s/a1", "x y" }, { "s/b1", "" } } << true;
        QTest::newRow("escapes") << QByteArray("[s]\na1=\\q\\t\\\\\nb1=\\x9f8d\\x41\n")
                                 << SettingsValues { { "s/a1", "q\t\\" }, { "s/b1", "\u9f8dA" } }
                                 << true;
        QTest::newRow("lines that make no sense")
                << QByteArray("[s]\na1=x\njust words\nx%U4G00=1\nb1=x\\\nc1=\\xg\nd1=\\x12345\n"
                              "e1=\"x\nf1=2\n")
                << SettingsValues { { "s/a1", "x" }, { "s/f1", "2" } } << false;
        QTest::newRow("bad escape in a section") << QByteArray("[%U4G]\na1=x\n[s]\nb1=2\n")
                                                 << SettingsValues { { "s/b1", "2" } } << false;
        QTest::newRow("unclosed section") << QByteArray("[s]\na1=x\n[t\nb1=2\n")
                                          << SettingsValues { { "s/a1", "x" } } << false;
        QTest::newRow("not utf-8")
                << QByteArray("[s]\na1=\xff\n") << SettingsValues { { "s/a1", "\ufffd" } } << false;
    }

    // A file edited by hand may hold anything: what makes sense is read, and whether all did.
    // Written back, the values read are the very text that QSettings writes for them.
    void readsWhatAPersonWrites()
    {
        QFETCH(QByteArray, text);
        QFETCH(SettingsValues, values);
        QFETCH(bool, readable);
        SettingsValues read;
        QCOMPARE(readSettingsFile(text, read), readable);
        QCOMPARE(read, values);
        QCOMPARE(settingsFileText(values),
                 qsettingsText(values, m_folder.filePath(QTest::currentDataTag())));
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
        for (const char *kind : { "folder", "larger than any store", "pipe", "locked elsewhere",
                                  "read-only disk", "full disk", "damaged file, full disk" })
            QTest::newRow(kind) << QString(kind);
    }

    // A store that is not a plain file is neither waited on, nor read without end, nor written
    // over; a commit that fails leaves the old file and nothing beside it, and waits for a
    // lock a moment at most.
    void keepsTheOldFileWhenItCannotWrite()
    {
        QFETCH(QString, kind);
        const bool unreadable = kind == "folder" || kind == "pipe" || kind.startsWith("larger");
        const bool onDisk = kind.endsWith("disk");
        const bool locked = kind.startsWith("locked");
        QTemporaryDir folder;
        const QString fileName = folder.filePath("store.conf");
        if (kind == "folder")
            QVERIFY(QDir(folder.path()).mkdir("store.conf"));
        if (kind == "larger than any store")
            QVERIFY(writeFile(fileName, "") && QFile::resize(fileName, 65 * 1024 * 1024));
        if (locked)
            QVERIFY(writeFile(fileName + ".lock", "4242\nOrmek商人计算器\nanother-computer\n"));
#ifdef Q_OS_UNIX
        // A small file system of its own, to fill or make read-only.
        const QStringList tmpfs = { "-t", "tmpfs", "-o", "size=64k", "tmpfs", folder.path() };
        if (onDisk && QProcess::execute("mount", tmpfs) != 0)
            QSKIP("cannot mount a small file system here (needs root)");
        auto unmount = qScopeGuard([&] {
            if (onDisk)
                QProcess::execute("umount", { folder.path() });
        });
        if (kind == "pipe")
            QCOMPARE(QProcess::execute("mkfifo", { fileName }), 0);
        // A damaged file is larger than the room left for its copy.
        QVERIFY(!onDisk
                || writeFile(fileName, kind.startsWith("damaged") ? QByteArray(8000, '?') : "x=1"));
#else
        if (onDisk || kind == "pipe")
            QSKIP("no pipes or small file systems here");
#endif
        QFile filler(folder.filePath("filler"));
        if (kind.contains("full")) {
            // Full but for one page: room for a lock file, not for a store file as well.
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(1024, 'x')) == 1024) { }
            QVERIFY(filler.resize(filler.size() - 4096));
        }
        if (kind == "read-only disk")
            QCOMPARE(QProcess::execute("mount", { "-o", "remount,ro", folder.path() }), 0);
        const auto state = [&] {
            return QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot)
                    << QString::number(QFileInfo(fileName).size())
                    << (unreadable ? QByteArray() : contents(fileName));
        };
        const QStringList before = state();

        FileSettingsStore store(fileName);
        store.setLockTimeout(0);
        QCOMPARE(store.isUnreadable(), unreadable);
        store.setValue("s", "a1", QString(2000, u'碳'));
        QVERIFY(!store.commit());
        QCOMPARE(state(), before);
        QVERIFY(store.takeKeptCopy().isEmpty());

        // Once the lock or the room is there, the next commit writes what failed.
        if (kind.contains("full") || locked) {
            QVERIFY(locked ? QFile::remove(fileName + ".lock") : filler.remove());
            QVERIFY(store.commit());
            QCOMPARE(FileSettingsStore(fileName).value("s", "a1", ""), QString(2000, u'碳'));
        }
    }

    // Two stores on one file, as two instances of the program have: each writes only what it
    // set, and counts from what is stored when it writes. Other programs' keys stay, the mode
    // too, and lines it cannot read are first copied aside, to a name no earlier copy has.
    void keepsWhatIsNotItsOwn()
    {
        const QString fileName = m_folder.filePath("shared.conf");
        const QByteArray damaged = "[其它程序]\nx=1\n[使用次数]\nN=5\nb1 3000\n";
        QVERIFY(writeFile(fileName, damaged) && writeFile(fileName + ".bak", "OLD\n"));
        QVERIFY(QFile::setPermissions(fileName,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const QFileDevice::Permissions permissions = QFile::permissions(fileName);
        FileSettingsStore first(fileName);
        FileSettingsStore second(fileName);
        first.setValue("s", "a1", "甲");
        second.setValue("s", "a2", "乙");
        for (FileSettingsStore *store : { &first, &second })
            store->updateValue("使用次数", "N",
                               [](const QString &n) { return QString::number(n.toInt() + 1); });
        QVERIFY(second.commit());
        QCOMPARE(second.takeKeptCopy(), fileName + ".2.bak");
        QVERIFY(first.commit());
        QVERIFY(first.takeKeptCopy().isEmpty());
        QCOMPARE(first.value("s", "a2", ""), "乙");
        QCOMPARE(contents(fileName),
                 settingsFileText({ { "s/a1", "甲" },
                                    { "s/a2", "乙" },
                                    { "使用次数/N", "7" },
                                    { "其它程序/x", "1" } }));
        QCOMPARE(QFile::permissions(fileName), permissions);
        QCOMPARE(contents(fileName + ".2.bak"), damaged);
        QCOMPARE(contents(fileName + ".bak"), "OLD\n");
        second.reload();
        QCOMPARE(second.value("s", "a1", ""), "甲");
    }

    // The store of Windows, the registry, with a key of string values for each section;
    // elsewhere the same class keeps a file. Each read asks the store itself.
    void keepsValuesInTheNativeStore()
    {
#ifdef Q_OS_WIN
        const QString location = "HKEY_CURRENT_USER\\Software\\Ormek商人计算器 测试";
        auto remove = qScopeGuard([&] { QProcess::execute("reg", { "delete", location, "/f" }); });
#else
        const QString location = m_folder.filePath("native.ini");
#endif
        const QString section = "物品名称及价格储存2";
        const QString name = "引号\"与=等号\n两行";
        NativeSettingsStore native(location);
        native.setValue(section, "a1", name);
        native.updateValue("使用次数", "N", [](const QString &n) { return n + "1"; });
        QVERIFY(native.commit());
        QCOMPARE(native.value(section, "a1", ""), name);
        QCOMPARE(native.value("使用次数", "N", ""), "1");
        QVERIFY(!native.isUnreadable());
#ifdef Q_OS_WIN
        const QString exported = QDir::toNativeSeparators(m_folder.filePath("exported.reg"));
        QCOMPARE(QProcess::execute("reg", { "export", location, exported, "/y" }), 0);
        const QString text = QStringDecoder(QStringDecoder::Utf16).decode(contents(exported));
        QVERIFY2(text.contains("\\物品名称及价格储存2]") && text.contains("\"N\"=\"1\""),
                 qPrintable(text));
#endif
    }

private:
    QTemporaryDir m_folder;
};

ORMEK_GUI_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
