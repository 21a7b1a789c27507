// SPDX-FileCopyrightText: 2026 Ormek商人计算器项目
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CAPTIONFRAME_H
#define CAPTIONFRAME_H

#include <QWidget>

// A frame around a group of controls with its caption set into the top border line, as
// Windows draws a group box. The controls keep the positions the layout gives them, measured
// from the frame's top left corner; the caption, drawn at the top left, stays clear of them.
class CaptionFrame : public QWidget
{
    Q_OBJECT

public:
    explicit CaptionFrame(const QString &caption, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};

#endif // CAPTIONFRAME_H
