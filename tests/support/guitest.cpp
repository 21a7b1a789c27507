// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/guitest.h"

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

namespace {
std::function<void(QWidget *)> boxAnswer;
// The box last handed to an answer may linger while the answer runs its own events and until
// its window's deletion comes round, which on Windows' event loop can take a while.
QPointer<QWidget> answeredBox;
QElapsedTimer answeredAt;
constexpr qint64 answerGraceMs = 5000;
} // namespace

void guardAgainstModalBoxes()
{
    auto *watchdog = new QTimer(qApp);
    QObject::connect(watchdog, &QTimer::timeout, [] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box || boxAnswer || (box == answeredBox && answeredAt.elapsed() < answerGraceMs))
            return;
        QStringList texts { box->windowTitle() };
        for (const QLabel *label : box->findChildren<QLabel *>()) {
            if (label->isVisible())
                texts << label->text();
        }
        const QByteArray what = "a real modal box was shown: " + texts.join(" | ").toUtf8();
        box->close();
        QTest::qFail(what.constData(), __FILE__, __LINE__);
    });
    watchdog->start(200);
}

void answerModalBox(std::function<void(QWidget *box)> answer)
{
    boxAnswer = std::move(answer);
    // Looks on every turn of the event loop until the box is there.
    auto *poll = new QTimer(qApp);
    poll->setInterval(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll] {
        QWidget *box = QApplication::activePopupWidget();
        if (!box)
            box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        answeredBox = box;
        answeredAt.start();
        std::exchange(boxAnswer, {})(box);
    });
    poll->start();
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

QWidget *shownWindow(const QString &objectName)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.cbegin(), windows.cend(), [&](QWidget *window) {
        return window->objectName() == objectName && window->isVisible();
    });
    return found == windows.cend() ? nullptr : *found;
}

void clickThroughWindow(const QObject *parent, const QString &name, Qt::MouseButton button)
{
    QWidget *widget = child(parent, name);
    QWidget *window = widget->window();
    QTest::mouseClick(window->windowHandle(), button, {},
                      widget->mapTo(window, widget->rect().center()));
}

int freezeTimer(QObject *window)
{
    auto *timer = child<QTimer>(window, QStringLiteral("Timer1"));
    const int interval = timer->interval();
    timer->setInterval(24 * 3600 * 1000);
    return interval;
}

void fireTimer(QObject *window, const char *timer)
{
    // Only a running timer ticks.
    QTimer *found = child<QTimer>(window, QLatin1String(timer));
    if (found->isActive())
        QMetaObject::invokeMethod(found, "timeout");
}

QString writeShutdownStandIns(const QString &folder, int exitCode)
{
    const QDir into(folder);
    QFile status(into.filePath(QStringLiteral("status")));
    if (!status.open(QIODevice::WriteOnly) || status.write(QByteArray::number(exitCode)) < 1)
        return QString();
#ifdef Q_OS_WIN
    const QString suffix = QStringLiteral(".exe");
#else
    const QString suffix;
#endif
    const QString standIn = QCoreApplication::applicationDirPath() + QStringLiteral("/standin");
    for (const char *name : { "systemctl", "shutdown" }) {
        if (!QFile::copy(standIn + suffix, into.filePath(QLatin1String(name) + suffix)))
            return QString();
    }
    return into.filePath(QStringLiteral("started"));
}

} // namespace GuiTest
