// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "shutdown/schedulerwindow.h"

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "widgets/captionframe.h"
#include "widgets/layoutcontrols.h"
#include "widgets/textcolour.h"
#include "widgets/twips.h"
#include "widgets/windowplacement.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>

namespace {

QLabel *createStatusLine(const QString &name, const QString &text, int top, const QColor &colour,
                         const QString &description, QWidget *parent)
{
    // 195 twips high, not 255: centred in the room above the next rule, the text stays off it
    // even in a font with a tall line.
    QLabel *label = createLabel(name, text, twipsRect(120, top, 4095, 195), parent);
    label->setAlignment(Qt::AlignCenter);
    setTextColour(label, colour);
    label->setAccessibleDescription(description);
    return label;
}

// The list "00", "01", … up to count − 1, showing "00".
QComboBox *createTwoDigitCombo(const QString &name, int count, int left, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (int i = 0; i < count; ++i)
        combo->addItem(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    // At the height of the countdown boxes, clear of the frame's caption.
    combo->setGeometry(twipsRect(left, 240, 615, 300));
    return combo;
}

void resetCombo(QComboBox *combo)
{
    combo->setCurrentIndex(0);
    combo->setEditText(QStringLiteral("00"));
}

} // namespace

SchedulerWindow::SchedulerWindow(Platform &platform, QWidget *parent)
    : TickingWindow(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("自动关机"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(4410), twipsToPixels(3090));

    m_systemTimeLabel =
            createStatusLine(QStringLiteral("Label10"), QStringLiteral("系统时间：00时00分00秒"),
                             60, QColor(0, 0, 0), QStringLiteral("系统时间"), this);
    m_targetLabel =
            createStatusLine(QStringLiteral("Label7"), QStringLiteral("关机时间：00时00分00秒"),
                             360, QColor(255, 0, 0), QStringLiteral("关机时间"), this);
    m_remainingLabel = createStatusLine(
            QStringLiteral("Label8"), QStringLiteral("距离关机时间还剩：00小时00分00秒"), 600,
            QColor(192, 0, 192), QStringLiteral("距离关机的剩余时间"), this);
    m_secondsLabel =
            createStatusLine(QStringLiteral("Label9"), QStringLiteral("距离关机时间秒数：0秒"), 840,
                             QColor(0, 0, 255), QStringLiteral("距离关机的剩余秒数"), this);
    createLines();
    createClockTimeFrame();
    createCountdownFrame();

    m_closeButton = createButton(QStringLiteral("Command3"), QStringLiteral("关闭"),
                                 twipsRect(1560, 2520, 1215, 375), this);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::hide);

    QWidget *const order[] = { m_clockEntries[0],      m_clockEntries[1],     m_clockStartButton,
                               m_countdownStartButton, m_countdownEntries[0], m_countdownEntries[1],
                               m_countdownEntries[2],  m_clockEntries[2],     m_closeButton };
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    m_clockEntries[0]->setFocus();

    connect(ticker(), &QTimer::timeout, this, &SchedulerWindow::updateSchedule);

    centreOnScreen(this);
}

void SchedulerWindow::createLines()
{
    const std::pair<const char *, int> lines[] = {
        { "Line4", 310 }, { "Line1", 555 }, { "Line2", 795 }, { "Line3", 1035 }
    };
    for (const auto &[name, top] : lines) {
        auto *line = new QFrame(this);
        line->setObjectName(QLatin1String(name));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(0, twipsToPixels(top), twipsToPixels(4500), 2);
    }
}

void SchedulerWindow::createClockTimeFrame()
{
    auto *frame = new CaptionFrame(QStringLiteral("指定时间关机"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(twipsRect(120, 1080, 4215, 615));

    const struct
    {
        const char *combo;
        int count;
        int left;
        const char *unitLabel;
        QString unit;
        QString name;
        QString description;
    } parts[] = {
        { "Combo1", 24, 120, "Label2", QStringLiteral("时"), QStringLiteral("关机时刻小时"),
          QStringLiteral("关机时刻的小时") },
        { "Combo2", 60, 1080, "Label3", QStringLiteral("分"), QStringLiteral("关机时刻分钟"),
          QStringLiteral("关机时刻的分钟") },
        { "Combo3", 60, 2040, "Label4", QStringLiteral("秒"), QStringLiteral("关机时刻秒"),
          QStringLiteral("关机时刻的秒") },
    };
    for (size_t i = 0; i < std::size(parts); ++i) {
        QComboBox *combo = createTwoDigitCombo(QLatin1String(parts[i].combo), parts[i].count,
                                               parts[i].left, frame);
        combo->setAccessibleName(parts[i].name);
        combo->setAccessibleDescription(parts[i].description);
        // Screen readers reach the typed text through the combo box's own line edit.
        combo->lineEdit()->setAccessibleName(parts[i].name);
        combo->lineEdit()->setAccessibleDescription(parts[i].description);
        m_clockEntries[i] = combo;
        createLabel(QLatin1String(parts[i].unitLabel), parts[i].unit,
                    twipsRect(parts[i].left + 720, 285, 255, 255), frame);
    }

    m_clockStartButton = createButton(QStringLiteral("Command1"), QStringLiteral("开始"),
                                      twipsRect(3120, 110, 1095, 495), frame);
    connect(m_clockStartButton, &QPushButton::clicked, this, &SchedulerWindow::startClockTime);
}

void SchedulerWindow::createCountdownFrame()
{
    auto *frame = new CaptionFrame(QStringLiteral("倒计时关机"), this);
    frame->setObjectName(QStringLiteral("Frame2"));
    frame->setGeometry(twipsRect(120, 1800, 4215, 615));

    const struct
    {
        const char *box;
        int left;
        const char *unitLabel;
        QRect unitGeometry;
        QString unit;
        QString name;
        QString description;
    } parts[] = {
        { "Text1", 120, "Label6", twipsRect(720, 285, 375, 255), QStringLiteral("小时"),
          QStringLiteral("倒计时小时"), QStringLiteral("倒计时的小时数") },
        { "Text2", 1080, "Label5", twipsRect(1800, 285, 255, 255), QStringLiteral("分"),
          QStringLiteral("倒计时分钟"), QStringLiteral("倒计时的分钟数") },
        { "Text3", 2040, "Label1", twipsRect(2760, 285, 255, 255), QStringLiteral("秒"),
          QStringLiteral("倒计时秒数"), QStringLiteral("倒计时的秒数") },
    };
    for (size_t i = 0; i < std::size(parts); ++i) {
        auto *box = new QLineEdit(frame);
        box->setObjectName(QLatin1String(parts[i].box));
        box->setGeometry(twipsRect(parts[i].left, 240, 615, 270));
        box->setAccessibleName(parts[i].name);
        box->setAccessibleDescription(parts[i].description);
        m_countdownEntries[i] = box;
        createLabel(QLatin1String(parts[i].unitLabel), parts[i].unit, parts[i].unitGeometry, frame);
    }

    m_countdownStartButton = createButton(QStringLiteral("Command2"), QStringLiteral("开始"),
                                          twipsRect(3120, 110, 1095, 495), frame);
    connect(m_countdownStartButton, &QPushButton::clicked, this, &SchedulerWindow::startCountdown);
}

void SchedulerWindow::startClockTime()
{
    const TimeEntries entries { m_clockEntries[0]->currentText(), m_clockEntries[1]->currentText(),
                                m_clockEntries[2]->currentText() };
    if (!acceptStart(scheduleClockTime(entries, m_platform.clock.now(), QLocale())))
        return;
    for (QComboBox *combo : m_clockEntries)
        resetCombo(combo);
}

void SchedulerWindow::startCountdown()
{
    const TimeEntries entries { m_countdownEntries[0]->text(), m_countdownEntries[1]->text(),
                                m_countdownEntries[2]->text() };
    const Clock &clock = m_platform.clock;
    if (!acceptStart(
                scheduleCountdown(entries, clock.now(), clock.elapsedMilliseconds(), QLocale())))
        return;
    for (QLineEdit *box : m_countdownEntries)
        box->clear();
}

bool SchedulerWindow::acceptStart(const ScheduleStart &start)
{
    const QString title = QStringLiteral("提示");
    switch (start.outcome) {
    case ScheduleStart::EmptyCountdown:
        m_platform.dialogs.showMessage(QStringLiteral("请输入倒计时！"), title);
        return false;
    case ScheduleStart::InvalidTime:
        m_platform.dialogs.showMessage(QStringLiteral("请输入有效的时间！"), title);
        return false;
    case ScheduleStart::Started:
        break;
    }
    m_schedule = start.schedule;
    m_targetLabel->setText(start.targetText);
    startTicking();
    return true;
}

void SchedulerWindow::updateSchedule()
{
    if (!isRunning())
        return;
    const ScheduleTick tick = scheduleTick(m_schedule, m_platform.clock.now(),
                                           m_platform.clock.elapsedMilliseconds());
    // Disarmed before anything else happens, so that a schedule falls due once.
    if (tick.due)
        stopTicking();

    m_systemTimeLabel->setText(tick.systemTimeText);
    m_secondsLabel->setText(tick.secondsText);
    m_remainingLabel->setText(tick.remainingText);
    setWindowTitle(tick.caption);

    if (tick.due)
        Q_EMIT scheduleDue();
}
