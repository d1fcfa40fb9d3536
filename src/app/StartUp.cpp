#include "StartUp.h"

#include <QCoreApplication>

#include <fontconfig/fontconfig.h>

EarlyStartUp::EarlyStartUp()
    : m_fontConfiguration([] { FcInit(); })
{
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
}

EarlyStartUp::~EarlyStartUp()
{
    finish();
}

void EarlyStartUp::finish()
{
    if (m_fontConfiguration.joinable())
        m_fontConfiguration.join();
}
