// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow/mainwindow.h"

#include "core/clocktext.h"
#include "core/presetslot.h"
#include "core/pricetext.h"
#include "core/rowtexts.h"
#include "core/total.h"
#include "mainwindow/itemrow.h"
#include "mainwindow/quantitykeyfilter.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/platform.h"
#include "widgets/captionframe.h"
#include "widgets/clickablelabel.h"
#include "widgets/layoutcontrols.h"
#include "widgets/songfont.h"
#include "widgets/textcolour.h"
#include "widgets/twips.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

MainWindow::MainWindow(Platform &platform, QWidget *parent)
    : QMainWindow(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Ormek商人计算器"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);

    createMenus();
    createWidgets();

    m_totalTimer = new QTimer(this);
    m_totalTimer->setObjectName(QStringLiteral("Timer1"));
    connect(m_totalTimer, &QTimer::timeout, this, &MainWindow::updateTotal);
    m_totalTimer->start(500);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("Timer2"));
    connect(m_clockTimer, &QTimer::timeout, this, &MainWindow::updateClock);
    m_clockTimer->start(1000);
}

MainWindow::~MainWindow() = default;

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();

    struct PresetMenu
    {
        const char *name;
        const char *prefix;
        QString title;
        void (MainWindow::*request)(int);
    };
    const PresetMenu presetMenus[] = {
        { "BCFA", "BC", QStringLiteral("保存方案"), &MainWindow::savePresetRequested },
        { "DQFA", "DQ", QStringLiteral("读取方案"), &MainWindow::loadPresetRequested },
        { "CKFA", "CK", QStringLiteral("查看方案"), &MainWindow::viewPresetRequested },
    };
    for (const PresetMenu &preset : presetMenus) {
        QMenu *menu = bar->addMenu(preset.title);
        menu->setObjectName(QLatin1String(preset.name));
        for (int slot = 1; slot <= presetSlotCount; ++slot) {
            QAction *action = menu->addAction(presetCaption(slot));
            action->setObjectName(QLatin1String(preset.prefix) + QString::number(slot));
            const auto request = preset.request;
            connect(action, &QAction::triggered, this, [this, request, slot] {
                Q_EMIT(this->*request)(slot);
            });
        }
        if (qstrcmp(preset.name, "DQFA") == 0) {
            QAction *reset = menu->addAction(QStringLiteral("初始化价格表"));
            reset->setObjectName(QStringLiteral("CSH"));
            connect(reset, &QAction::triggered, this, &MainWindow::resetRequested);
        }
    }

    QAction *help = bar->addAction(QStringLiteral("帮助"));
    help->setObjectName(QStringLiteral("halp"));
    connect(help, &QAction::triggered, this, &MainWindow::helpRequested);
}

void MainWindow::createWidgets()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(twipsToPixels(3675), twipsToPixels(5295));
    setCentralWidget(client);

    auto *rule = new QFrame(client);
    rule->setObjectName(QStringLiteral("Line1"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    rule->setGeometry(0, 0, twipsToPixels(3720), 2);

    m_statusLabel = createLabel(QStringLiteral("Label6"), QStringLiteral("欢迎使用！"),
                                twipsRect(120, 100, 3495, 255), client);
    m_statusLabel->setAlignment(Qt::AlignCenter);
    setTextColour(m_statusLabel, Qt::red);
    m_statusLabel->setAccessibleDescription(QStringLiteral("状态"));

    createLabel(QStringLiteral("Label1"), QStringLiteral("物品名"), twipsRect(600, 360, 615, 255),
                client);
    createLabel(QStringLiteral("Label2"), QStringLiteral("单价"), twipsRect(1680, 360, 495, 255),
                client);
    createLabel(QStringLiteral("Label3"), QStringLiteral("输入数量"),
                twipsRect(2595, 360, 975, 255), client);

    auto *keyFilter = new QuantityKeyFilter(this);
    for (int number = 1; number <= priceTableRows; ++number) {
        auto row = std::make_unique<ItemRow>(number, client);
        row->quantityBox()->installEventFilter(keyFilter);
        connect(row->nameButton(), &QPushButton::clicked, this,
                [this, number] { editName(number); });
        connect(row->editLink(), &ClickableLabel::clicked, this,
                [this, number] { editPrice(number); });
        m_rows[number - 1] = std::move(row);
    }

    m_shutdownButton = createButton(QStringLiteral("Command2"), QStringLiteral("自动关机"),
                                    twipsRect(360, 3960, 1335, 375), client);
    m_shutdownButton->setAccessibleDescription(QStringLiteral("打开自动关机设置"));
    connect(m_shutdownButton, &QPushButton::clicked, this, &MainWindow::schedulerRequested);

    m_clearButton = createButton(QStringLiteral("Command1"), QStringLiteral("清空(Esc)"),
                                 twipsRect(2040, 3960, 1335, 375), client);
    m_clearButton->setAccessibleDescription(QStringLiteral("清空所有数量"));
    connect(m_clearButton, &QPushButton::clicked, this, &MainWindow::clearQuantities);
    // Esc arrives two ways. The Esc key anywhere in the window clicks the clear button, the
    // window's cancel button, through the shortcut; an Esc character typed into a quantity box
    // (from an input method or a remote keyboard, with no key of its own) only the filter sees.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_clearButton, &QPushButton::click);
    connect(keyFilter, &QuantityKeyFilter::clearRequested, this, &MainWindow::clearQuantities);

    auto *totalFrame = new CaptionFrame(QStringLiteral("总价"), client);
    totalFrame->setObjectName(QStringLiteral("Frame1"));
    totalFrame->setGeometry(twipsRect(240, 4440, 3255, 735));
    m_totalLabel = createLabel(QStringLiteral("zj"), QStringLiteral("0"),
                               twipsRect(120, 240, 3015, 375), totalFrame);
    m_totalLabel->setAlignment(Qt::AlignCenter);
    setTextColour(m_totalLabel, Qt::red);
    QFont totalFont = unshapedSongFont(15);
    totalFont.setBold(true);
    m_totalLabel->setFont(totalFont);
    m_totalLabel->setAccessibleDescription(QStringLiteral("总价"));

    QWidget *previous = m_rows.front()->quantityBox();
    for (int i = 1; i < priceTableRows; ++i) {
        setTabOrder(previous, m_rows[i]->quantityBox());
        previous = m_rows[i]->quantityBox();
    }
    setTabOrder(previous, m_clearButton);
    setTabOrder(m_clearButton, m_shutdownButton);
    m_rows.front()->quantityBox()->setFocus();

    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

ItemRow &MainWindow::row(int number) const
{
    Q_ASSERT(number >= 1 && number <= priceTableRows);
    return *m_rows[number - 1];
}

PriceTable MainWindow::priceTable() const
{
    PriceTable table;
    for (int i = 0; i < priceTableRows; ++i)
        table[i] = { m_rows[i]->name(), m_rows[i]->price() };
    return table;
}

void MainWindow::setPriceTable(const PriceTable &table)
{
    for (int i = 0; i < priceTableRows; ++i)
        m_rows[i]->setName(table[i].name);
    for (int i = 0; i < priceTableRows; ++i)
        m_rows[i]->setPrice(table[i].price);
}

void MainWindow::updateTotal()
{
    QList<RowEntry> entries;
    entries.reserve(priceTableRows);
    for (const auto &row : m_rows) {
        const QString quantity = row->quantity();
        // A row without a quantity takes no part, whatever its price label holds.
        entries.append({ quantity, quantity.isEmpty() ? QString() : row->price() });
    }
    setTotalText(totalCaption(entries));
}

void MainWindow::setTotalText(const QString &text)
{
    if (text == m_totalLabel->text())
        return;
    // Long totals shrink the font rather than lose digits at the label's edges.
    QFont font = m_totalLabel->font();
    font.setPointSize(15);
    const int room = m_totalLabel->width() - 4;
    while (font.pointSize() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSize(font.pointSize() - 1);
    m_totalLabel->setFont(font);
    m_totalLabel->setText(text);
}

void MainWindow::updateClock()
{
    m_statusLabel->setText(QStringLiteral("系统时间：")
                           + clockText(m_platform.clock.now(), QLocale()));
}

void MainWindow::clearQuantities()
{
    for (const auto &row : m_rows)
        row->clearQuantity();
    m_rows.front()->quantityBox()->setFocus();
}

// The window may be closed while its box waits: nothing of it is touched after the box then.
void MainWindow::editName(int number)
{
    const QPointer<MainWindow> alive(this);
    const QString answer =
            m_platform.dialogs.askText(QStringLiteral("请输入物品名："), QStringLiteral("设置"));
    if (!alive || answer.isEmpty())
        return;
    row(number).setName(answer);
    Q_EMIT priceTableEdited();
}

void MainWindow::editPrice(int number)
{
    ItemRow &item = row(number);
    const QString title = QStringLiteral("设置物品单价");
    const QPointer<MainWindow> alive(this);
    const QString answer = m_platform.dialogs.askText(pricePrompt(item.name()), title);
    if (!alive || answer.isEmpty())
        return;
    const std::optional<double> price = readTypedPrice(answer, QLocale());
    if (!price) {
        m_platform.dialogs.showMessage(QStringLiteral("单价必须是数字！"), title);
        return;
    }
    item.setPrice(storedPriceText(*price));
    Q_EMIT priceTableEdited();
}

void MainWindow::setCloseCheck(std::function<bool()> check)
{
    m_closeCheck = std::move(check);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_closeCheck && !m_closeCheck()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
