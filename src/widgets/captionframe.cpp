// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/captionframe.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// From the frame's left edge to the caption, and from the caption to each end of the border
// line it interrupts.
constexpr int captionIndent = 8;
constexpr int captionGap = 2;

// Screen readers present the frame as QGroupBox is presented: a group named by its caption.
QAccessibleInterface *accessibleCaptionFrame(const QString &className, QObject *object)
{
    if (className == QLatin1String("CaptionFrame") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Grouping);
    return nullptr;
}

} // namespace

CaptionFrame::CaptionFrame(const QString &caption, QWidget *parent)
    : QWidget(parent), m_caption(caption)
{
    static const bool accessible = (QAccessible::installFactory(accessibleCaptionFrame), true);
    Q_UNUSED(accessible);
    setAccessibleName(caption);
}

void CaptionFrame::paintEvent(QPaintEvent *)
{
    // The caption is as high as its glyphs, not as the font's line: a CJK font such as Noto
    // has a line far taller than its ideographs, which would push the border line below the
    // controls that sit just under it.
    const QFontMetrics metrics = fontMetrics();
    const QRect glyphs = metrics.tightBoundingRect(m_caption);
    const QRect caption(captionIndent, 0, metrics.horizontalAdvance(m_caption), glyphs.height());

    // The etched line, two pixels thick, runs through the caption's middle: its lower pixel
    // on the caption's middle row.
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, qMax((caption.height() - 1) / 2 - 1, 0), 0, 0);
    frame.frameShape = QFrame::Box;
    frame.state |= QStyle::State_Sunken;
    frame.lineWidth = 1;
    frame.midLineWidth = 0;

    QPainter painter(this);
    if (!m_caption.isEmpty())
        painter.setClipRegion(QRegion(rect()) - caption.adjusted(-captionGap, 0, captionGap, 0));
    style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
    painter.setClipping(false);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(caption.left(), caption.top() - glyphs.top(), m_caption);
}
