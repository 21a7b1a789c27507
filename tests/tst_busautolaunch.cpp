#include "platform/busautolaunchblocker.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const char busAddress[] = "DBUS_SESSION_BUS_ADDRESS";
}

// Without a session bus the program keeps libdbus from starting one, and gives the programs it
// starts the environment it was given.
class TestBusAutolaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void blocksOnlyWithoutBus_data();
    void blocksOnlyWithoutBus();
};

void TestBusAutolaunch::initTestCase()
{
    QLocale::setDefault(QLocale::c());
}

void TestBusAutolaunch::blocksOnlyWithoutBus_data()
{
    QTest::addColumn<QByteArray>("userAddress"); // empty: not set
    QTest::addColumn<QString>("atBusPath");
    QTest::addColumn<bool>("blocks");
    QTest::newRow("no bus anywhere") << QByteArray() << "nothing" << true;
    QTest::newRow("a file where the socket belongs") << QByteArray() << "file" << true;
    QTest::newRow("the user's bus socket") << QByteArray() << "socket" << false;
    QTest::newRow("an address given")
            << QByteArray("unix:path=/somewhere/bus") << "nothing" << false;
}

void TestBusAutolaunch::blocksOnlyWithoutBus()
{
    QFETCH(QByteArray, userAddress);
    QFETCH(QString, atBusPath);
    QFETCH(bool, blocks);

    QTemporaryDir runtimeFolder;
    const QByteArray busPath = QFile::encodeName(runtimeFolder.filePath(QStringLiteral("bus")));
    int listening = -1;
    if (atBusPath == u"file") {
        QFile file(QFile::decodeName(busPath));
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (atBusPath == u"socket") {
        listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, busPath.constData(), sizeof address.sun_path);
        QCOMPARE(::bind(listening, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    if (userAddress.isEmpty())
        qunsetenv(busAddress);
    else
        qputenv(busAddress, userAddress);

    BusAutolaunchBlocker blocker;
    const QByteArray whileStarting = qgetenv(busAddress);
    QCOMPARE(whileStarting != userAddress, blocks);
    if (blocks) // libdbus only autolaunches when the address is not set at all
        QVERIFY(!whileStarting.isEmpty());
    blocker.restoreEnvironment();
    QCOMPARE(qEnvironmentVariableIsSet(busAddress), !userAddress.isEmpty());
    QCOMPARE(qgetenv(busAddress), userAddress);

    if (listening != -1)
        ::close(listening);
}

QTEST_GUILESS_MAIN(TestBusAutolaunch)
#include "tst_busautolaunch.moc"
