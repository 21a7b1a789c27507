#include "support/guitest.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

namespace GuiTest {

void prepareEnvironment()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing a test does may reach the user's own settings.
    static QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome.path()));
    qputenv("HOME", QFile::encodeName(configHome.path()));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

void guardAgainstModalBoxes()
{
    auto *watchdog = new QTimer(qApp);
    QObject::connect(watchdog, &QTimer::timeout, [] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        const QByteArray what = "a real modal box was shown: " + box->windowTitle().toUtf8();
        box->close();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
    });
    watchdog->start(200);
}

} // namespace GuiTest
