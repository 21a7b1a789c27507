#include "platform/filesettingsstore.h"
#include "store/pricestore.h"
#include "support/guitest.h"

#include <QProcess>
#include <QTemporaryDir>
#include <csignal>

// Ends the program with a Unix signal after an unsaved change, sends the signal again while it
// ends, and looks for the change in the store afterwards.
class TestSignalSave : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void savesBeforeEnding_data();
    void savesBeforeEnding();
};

void TestSignalSave::savesBeforeEnding_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGHUP") << SIGHUP;
    QTest::newRow("SIGINT") << SIGINT;
}

void TestSignalSave::savesBeforeEnding()
{
    QFETCH(int, signalNumber);
    QTemporaryDir config;
    QTemporaryDir standIns;
    const QString fileName = config.filePath(QStringLiteral("Ormek商人计算器.conf"));
    {
        FileSettingsStore store(fileName);
        PriceStore prices(store);
        prices.setTable(automaticTable, defaultPriceTable());
        prices.countRun();
        QVERIFY(prices.commit());
    }

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("HOME"), config.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Recording stand-ins for the shutdown commands first on PATH: nothing the program starts
    // can reach the real ones.
    const QString record = GuiTest::writeShutdownStandIns(standIns.path());
    QVERIFY(!record.isEmpty());
    environment.insert("PATH", standIns.path() + u':' + qEnvironmentVariable("PATH"));

    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(SIGNAL_SAVE_CHILD), { QStringLiteral("7777") });
    QVERIFY(program.waitForStarted());
    QByteArray output;
    auto waitFor = [&](const QByteArray &line) {
        while (!output.contains(line) && program.waitForReadyRead(20000))
            output += program.readAllStandardOutput();
        return output.contains(line);
    };
    QVERIFY2(waitFor("ready\n"), output.constData());
    QCOMPARE(::kill(program.processId(), signalNumber), 0);
    QVERIFY2(waitFor("ending\n"), output.constData());
    QCOMPARE(::kill(program.processId(), signalNumber), 0);
    program.write("\n");
    program.closeWriteChannel();
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);

    FileSettingsStore store(fileName);
    PriceStore prices(store);
    PriceTable expected = defaultPriceTable();
    expected[0].price = QStringLiteral("7777");
    QVERIFY(prices.table(automaticTable) == expected);
    QCOMPARE(prices.runCount(), QStringLiteral("2"));
    QVERIFY(!QFile::exists(record));
}

QTEST_GUILESS_MAIN(TestSignalSave)
#include "tst_signalsave.moc"
