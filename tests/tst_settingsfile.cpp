#include "platform/settingsfile.h"

#include <QTemporaryDir>
#include <QTest>

class TestSettingsFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrips_data();
    void roundTrips();
    void readsWhatQtWrites_data();
    void readsWhatQtWrites();
    void qtReadsWhatItWrites_data();
    void qtReadsWhatItWrites();
    void readsHandEditedText();
    void reportsWhatItCannotRead_data();
    void reportsWhatItCannotRead();

private:
    QTemporaryDir m_folder;
};

namespace {

const QString section = QStringLiteral("物品名称及价格储存2");

void addAwkwardValues()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("chinese") << QStringLiteral("灵魂灾难");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks only") << QStringLiteral("   ");
    QTest::newRow("outer blanks") << QStringLiteral(" 魔石 ");
    QTest::newRow("ideographic space") << QStringLiteral("\u3000小红\u3000");
    QTest::newRow("equals") << QStringLiteral("a = b");
    QTest::newRow("ampersand") << QStringLiteral("&");
    QTest::newRow("markup") << QStringLiteral("<b>x</b>");
    QTest::newRow("quotes") << QStringLiteral("say \"hi\" 'there'");
    QTest::newRow("semicolons") << QStringLiteral("a;b;");
    QTest::newRow("comma") << QStringLiteral("3,000");
    QTest::newRow("comment signs") << QStringLiteral("#1 ;2");
    QTest::newRow("backslashes") << QStringLiteral("C:\\x41\\");
    QTest::newRow("at sign") << QStringLiteral("@Variant(x)");
    QTest::newRow("brackets") << QStringLiteral("[General]");
    QTest::newRow("tab") << QStringLiteral("a\tb");
    QTest::newRow("line break") << QStringLiteral("a\nb\r\n");
    QTest::newRow("control then hex digits") << QStringLiteral("\x01"
                                                               "1f\x02g");
    QTest::newRow("emoji") << QStringLiteral("🐉 龙");
    QTest::newRow("10000 characters") << QString(10000, u'价');
}

} // namespace

void TestSettingsFile::roundTrips_data()
{
    addAwkwardValues();
}

void TestSettingsFile::roundTrips()
{
    QFETCH(QString, value);
    const QSettings::SettingsMap written = {
        { section + QStringLiteral("/a1"), value },
        { QStringLiteral("使用次数/N"), QStringLiteral("3") },
        { QStringLiteral("General/x"), value },
        { QStringLiteral("general/y"), value },
        { QStringLiteral("top"), value },
    };
    QSettings::SettingsMap read;
    QVERIFY(readSettingsFile(settingsFileText(written), read));
    QCOMPARE(read, written);
}

void TestSettingsFile::readsWhatQtWrites_data()
{
    addAwkwardValues();
}

void TestSettingsFile::readsWhatQtWrites()
{
    QFETCH(QString, value);
    const QString fileName = m_folder.filePath(QString::fromLatin1(QTest::currentDataTag()));
    {
        QSettings qt(fileName, QSettings::IniFormat);
        qt.setValue(section + QStringLiteral("/a1"), value);
        qt.setValue(QStringLiteral("使用次数/N"), QStringLiteral("3"));
    }
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QSettings::SettingsMap read;
    QVERIFY(readSettingsFile(file.readAll(), read));
    QCOMPARE(read.value(section + QStringLiteral("/a1")).toString(), value);
    QCOMPARE(read.value(QStringLiteral("使用次数/N")).toString(), QStringLiteral("3"));
}

void TestSettingsFile::qtReadsWhatItWrites_data()
{
    addAwkwardValues();
}

void TestSettingsFile::qtReadsWhatItWrites()
{
    QFETCH(QString, value);
    const QString fileName = m_folder.filePath(QStringLiteral("ours-")
                                               + QString::fromLatin1(QTest::currentDataTag()));
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(settingsFileText({ { section + QStringLiteral("/a1"), value } }));
    file.close();

    QSettings qt(fileName, QSettings::IniFormat);
    QCOMPARE(qt.status(), QSettings::NoError);
    QCOMPARE(qt.value(section + QStringLiteral("/a1")).toString(), value);
}

void TestSettingsFile::readsHandEditedText()
{
    const QByteArray text = "; kept by hand\r\n"
                            "[%U4F7F%U7528%U6B21%U6570]\r\n"
                            "  N = 7  \r\n"
                            "\r\n"
                            "[物品名称及价格储存]\n"
                            "a1=灵魂灾难\n"
                            "b1=\"  3000 \"\n"
                            "a1=碳\n";
    QSettings::SettingsMap read;
    QVERIFY(readSettingsFile(text, read));
    const QSettings::SettingsMap expected = {
        { QStringLiteral("使用次数/N"), QStringLiteral("7") },
        { QStringLiteral("物品名称及价格储存/a1"), QStringLiteral("碳") },
        { QStringLiteral("物品名称及价格储存/b1"), QStringLiteral("  3000 ") },
    };
    QCOMPARE(read, expected);
}

void TestSettingsFile::reportsWhatItCannotRead_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("line without equals")
            << QByteArray("[s]\na1=x\njust words\nb1=2\n") << QStringList { "s/a1", "s/b1" };
    QTest::newRow("open section") << QByteArray("[s]\na1=x\n[t\nb1=2\n") << QStringList { "s/a1" };
    QTest::newRow("empty section") << QByteArray("[]\na1=x\n") << QStringList();
    QTest::newRow("bad escape in section")
            << QByteArray("[%U4G]\na1=x\n[s]\nb1=2\n") << QStringList { "s/b1" };
    QTest::newRow("open quote") << QByteArray("[s]\na1=\"x\nb1=2\n") << QStringList { "s/b1" };
    QTest::newRow("no key") << QByteArray("[s]\n=x\n") << QStringList();
    QTest::newRow("not utf-8") << QByteArray("[s]\na1=\xff\xfe\n") << QStringList { "s/a1" };
    QTest::newRow("binary") << QByteArray("\x00\x01\x02", 3) << QStringList();
}

void TestSettingsFile::reportsWhatItCannotRead()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, keys);
    QSettings::SettingsMap read;
    QVERIFY(!readSettingsFile(text, read));
    QCOMPARE(read.keys(), keys);
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
