#include "support/guitest.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

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

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void freezeTimer(QObject *window)
{
    child<QTimer>(window, QStringLiteral("Timer1"))->setInterval(24 * 3600 * 1000);
}

bool writeShutdownStandIns(const QString &folder, const QString &record, int exitCode)
{
    for (const char *name : { "systemctl", "shutdown" }) {
        QFile script(QDir(folder).filePath(QLatin1String(name)));
        if (!script.open(QIODevice::WriteOnly))
            return false;
        script.write(QStringLiteral("#!/bin/sh\nprintf '%s %s\\n' \"${0##*/}\" \"$*\" >> '%1'\n"
                                    "exit %2\n")
                             .arg(record)
                             .arg(exitCode)
                             .toUtf8());
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return true;
}

} // namespace GuiTest
