// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FAKEPLATFORM_H
#define FAKEPLATFORM_H

#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/platform.h"
#include "platform/settingsstore.h"
#include "platform/singleinstance.h"
#include "platform/sleepinhibitor.h"
#include "platform/trayandtaskbar.h"

#include <QList>
#include <QMap>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>
#include <utility>

// Fakes of the operating system's services, which tests set up and look into.

// An in-memory store by "section/key", written at once; a commit can be made to fail.
class FakeSettingsStore : public SettingsStore
{
public:
    void reload() override { }
    void save() override { Q_EMIT saved(commit()); }
    bool isUnreadable() const override { return unreadable; }
    QString location() const override { return QStringLiteral("/fake/store.conf"); }
    QString takeKeptCopy() override { return std::exchange(keptCopy, QString()); }

    QMap<QString, QString> values;
    bool commitSucceeds = true;
    bool unreadable = false;
    int commits = 0;
    // Set to have the next takeKeptCopy() report a damaged store kept aside there.
    QString keptCopy;

protected:
    std::optional<QString> storedText(const QString &path) const override
    {
        return values.contains(path) ? std::optional(values.value(path)) : std::nullopt;
    }
    Outcome write(const PendingValues &pending, bool) override
    {
        ++commits;
        if (commitSucceeds)
            apply(
                    pending, [this](const QString &path) { return storedText(path); },
                    [this](const QString &path, const QString &text) { values[path] = text; });
        return { commitSucceeds, false, false, {} };
    }
};

// Records every box as "prompt|title" instead of showing it; questions take queued answers.
class FakeDialogs : public Dialogs
{
public:
    void showMessage(const QString &prompt, const QString &title) override
    {
        messages << prompt + u'|' + title;
        if (onMessage)
            onMessage();
    }
    QString askText(const QString &prompt, const QString &title) override
    {
        questions << prompt + u'|' + title;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }

    int askChoice(const QString &prompt, const QString &title, const QStringList &choices) override
    {
        questions << prompt + u'|' + title + u'|' + choices.join(u'/');
        const qsizetype chosen =
                choices.indexOf(answers.isEmpty() ? QString() : answers.takeFirst());
        return chosen < 0 ? int(choices.size()) - 1 : int(chosen);
    }

    // The next answers: a text, or the choice's button; without one a question is cancelled.
    QStringList answers;
    QStringList messages;
    QStringList questions;
    std::function<void()> onMessage;
};

// Records what would have been started. Outcomes wait until the test finishes them.
class FakeLauncher : public Launcher
{
public:
    void start(const QString &, const QStringList &, Outcome outcome) override
    {
        starts.append(std::move(outcome));
    }
    bool openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        return openUrlSucceeds;
    }
    // Reports the outcome of the oldest start that has none yet.
    void finishNext(bool succeeded) { starts.at(m_finished++)(succeeded); }

    QList<Outcome> starts;
    QList<QUrl> openedUrls;
    bool openUrlSucceeds = true;

private:
    int m_finished = 0;
};

class FakeClipboard : public Clipboard
{
public:
    void setText(const QString &newText) override { text = newText; }
    QString text;
};

// A clock that stands still until a test moves it. Setting current alone steps the date and
// time as a user or a time server would, without any time passing.
class FakeClock : public Clock
{
public:
    QDateTime now() const override { return current; }
    qint64 elapsedMilliseconds() const override { return elapsed; }
    void advance(int seconds)
    {
        current = current.addSecs(seconds);
        elapsed += seconds * qint64(1000);
    }

    QDateTime current { QDate(2026, 12, 6), QTime(10, 0, 0) };
    qint64 elapsed = 123456789;
};

class FakeSleepInhibitor : public SleepInhibitor
{
public:
    void hold() override { held = true; }
    void release() override { held = false; }
    bool held = false;
};

// A notification area, when hasTray, whose icon a test looks at and clicks through its commands.
class FakeTrayAndTaskbar : public TrayAndTaskbar
{
public:
    void alert(QWidget *window) override { alerted << window; }
    bool hasTray() const override { return tray; }
    void setTrayCommands(std::function<void()> show, std::function<void()> cancel) override
    {
        showCommand = std::move(show);
        cancelCommand = std::move(cancel);
    }
    void showTrayIcon(const QString &toolTip) override { icon = toolTip; }
    void hideTrayIcon() override { icon.reset(); }

    bool tray = true;
    QList<QWidget *> alerted;
    // The icon's tool tip while it shows.
    std::optional<QString> icon;
    std::function<void()> showCommand;
    std::function<void()> cancelCommand;
};

// Another copy is a test's call of called.
class FakeSingleInstance : public SingleInstance
{
public:
    bool call() override
    {
        ++calls;
        return false;
    }
    bool listen(std::function<void()> onCall) override
    {
        called = std::move(onCall);
        return true;
    }
    void stopListening() override { called = nullptr; }

    int calls = 0;
    std::function<void()> called;
};

// All services faked, for one test.
struct FakePlatform
{
    FakeSettingsStore store;
    FakeDialogs dialogs;
    FakeLauncher launcher;
    FakeClipboard clipboard;
    FakeClock clock;
    FakeSleepInhibitor sleepInhibitor;
    FakeTrayAndTaskbar trayAndTaskbar;
    FakeSingleInstance singleInstance;
    Platform platform { store, dialogs,        launcher,       clipboard,
                        clock, sleepInhibitor, trayAndTaskbar, singleInstance };

    // The same fakes but for one real service.
    Platform with(SettingsStore &other)
    {
        return { other, dialogs,        launcher,       clipboard,
                 clock, sleepInhibitor, trayAndTaskbar, singleInstance };
    }
    Platform with(Dialogs &other)
    {
        return { store, other,          launcher,       clipboard,
                 clock, sleepInhibitor, trayAndTaskbar, singleInstance };
    }
    Platform with(SleepInhibitor &other)
    {
        return {
            store, dialogs, launcher, clipboard, clock, other, trayAndTaskbar, singleInstance
        };
    }
    Platform with(SingleInstance &other)
    {
        return {
            store, dialogs, launcher, clipboard, clock, sleepInhibitor, trayAndTaskbar, other
        };
    }
};

#endif // FAKEPLATFORM_H
