// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "presets/previewwindow.h"

#include "core/presetslot.h"
#include "core/rowtexts.h"
#include "widgets/fittedtext.h"
#include "widgets/textcolour.h"
#include "widgets/twips.h"
#include "widgets/windowplacement.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

PreviewWindow::PreviewWindow(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Form3"));
    // A tool window stays out of the taskbar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(twipsToPixels(2175), twipsToPixels(4425));

    for (int row = 1; row <= priceTableRows; ++row) {
        auto *line = new QLabel(this);
        line->setObjectName(QStringLiteral("Label") + QString::number(row));
        line->setTextFormat(Qt::PlainText);
        line->setAlignment(Qt::AlignCenter);
        setTextColour(line, Qt::red);
        line->setGeometry(twipsRect(240, 240 + 390 * (row - 1), 1815, 255));
        m_lines[row - 1] = line;
    }

    m_loadButton = new QPushButton(QStringLiteral("调用此方案"), this);
    m_loadButton->setObjectName(QStringLiteral("Command1"));
    m_loadButton->setGeometry(twipsRect(240, 3840, 1695, 495));
    connect(m_loadButton, &QPushButton::clicked, this, &PreviewWindow::loadShownSlot);

    centreOnScreen(this);
}

void PreviewWindow::showTable(int slot, const PriceTable &table)
{
    for (int i = 0; i < priceTableRows; ++i) {
        QLabel *line = m_lines[i];
        const QString text = table[i].name + QStringLiteral(" = ") + table[i].price;
        const FittedText fitted =
                fitText(text, line->font(), line->width(), line->font().pointSize());
        line->setText(fitted.text);
        line->setToolTip(fitted.elided ? plainToolTip(readableLength(text)) : QString());
    }
    m_loadButton->setText(presetButtonCaption(slot));
    setWindowTitle(presetCaption(slot));
}

void PreviewWindow::loadShownSlot()
{
    // The load tells its outcome in a box, under which this window may be closed.
    const QPointer<PreviewWindow> alive(this);
    if (const int slot = presetSlotOfButtonCaption(m_loadButton->text()))
        Q_EMIT loadRequested(slot);
    if (alive)
        hide();
}
