// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "help/helpwindow.h"

#include "core/helptext.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/launcher.h"
#include "platform/platform.h"
#include "widgets/clickablelabel.h"
#include "widgets/layoutcontrols.h"
#include "widgets/songfont.h"
#include "widgets/textcolour.h"
#include "widgets/twips.h"
#include "widgets/windowplacement.h"

#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

namespace {

QLabel *createTextLine(const QString &name, const QString &text, int top, QWidget *parent)
{
    return createLabel(name, text, twipsRect(120, top, 4335, 255), parent);
}

} // namespace

HelpWindow::HelpWindow(Platform &platform, const QString &programFile, QWidget *parent)
    : QWidget(parent), m_platform(platform)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("帮助"));
    // A tool window: no taskbar entry, no minimise or maximise button.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(4680), twipsToPixels(4410));

    const QString address = downloadAddress();

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("RichTextBox1"));
    m_text->setGeometry(twipsRect(120, 120, 4455, 2535));
    m_text->setReadOnly(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_text->setTabChangesFocus(true);
    m_text->setAccessibleName(QStringLiteral("帮助"));
    m_text->setPlainText(helpText(address, kilobytesText(QFileInfo(programFile).size())));

    createTextLine(QStringLiteral("Label8"), QStringLiteral("唯一认可的下载地址："), 2760, this);

    auto *link = new ClickableLabel(address, this);
    link->setObjectName(QStringLiteral("Label9"));
    link->setGeometry(twipsRect(120, 3000, 4335, 255));
    link->setAlignment(Qt::AlignCenter);
    setTextColour(link, Qt::blue);
    QFont linkFont = songFont(9);
    linkFont.setUnderline(true);
    link->setFont(linkFont);
    link->setToolTip(QStringLiteral("点击访问"));
    link->setAccessibleDescription(QStringLiteral("唯一认可的下载地址，点击在浏览器中打开"));
    connect(link, &ClickableLabel::clicked, this, &HelpWindow::openAddress);

    createTextLine(QStringLiteral("Label10"), QStringLiteral("其它地址下载本软件请谨慎使用！"),
                   3240, this);

    m_closeButton = createButton(QStringLiteral("Command1"), QStringLiteral("关闭"),
                                 twipsRect(2880, 3840, 1335, 375), this);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::hide);

    // Drawn over the right end of the address line.
    m_copyButton = createButton(QStringLiteral("Command2"), QStringLiteral("复制"),
                                twipsRect(3720, 2880, 735, 375), this);
    m_copyButton->raise();
    connect(m_copyButton, &QPushButton::clicked, this, &HelpWindow::copyAddress);

    setTabOrder(m_closeButton, m_copyButton);
    setTabOrder(m_copyButton, m_text);
    m_closeButton->setFocus();

    centreOnScreen(this);
}

void HelpWindow::copyAddress()
{
    m_platform.clipboard.setText(downloadAddress());
    m_platform.dialogs.showMessage(QStringLiteral("复制成功！"), QStringLiteral("复制"));
}

void HelpWindow::openAddress()
{
    if (!m_platform.launcher.openUrl(QUrl(downloadAddress())))
        m_platform.dialogs.showMessage(QStringLiteral("无法打开浏览器！"), QStringLiteral("提示"));
}
