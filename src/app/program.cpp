#include "app/program.h"

#include "app/mainwindow.h"
#include "platform/platform.h"

#include <QScreen>
#include <QStyle>

Program::Program(Platform &platform, QObject *parent) : QObject(parent), m_platform(platform) { }

Program::~Program()
{
    delete m_mainWindow.data();
}

MainWindow *Program::mainWindow() const
{
    return m_mainWindow;
}

void Program::start()
{
    m_mainWindow = new MainWindow(m_platform);
    m_mainWindow->setAttribute(Qt::WA_DeleteOnClose);
    m_mainWindow->adjustSize();
    m_mainWindow->setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                  m_mainWindow->size(),
                                                  m_mainWindow->screen()->availableGeometry()));
    m_mainWindow->show();
}
