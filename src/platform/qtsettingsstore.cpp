#include "platform/qtsettingsstore.h"

QtSettingsStore::QtSettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Ormek商人计算器"))
{
    m_settings.setFallbacksEnabled(false);
}

QString QtSettingsStore::value(const QString &section, const QString &key,
                               const QString &defaultValue) const
{
    return m_settings.value(section + u'/' + key, defaultValue).toString();
}

void QtSettingsStore::setValue(const QString &section, const QString &key, const QString &value)
{
    m_settings.setValue(section + u'/' + key, value);
}

bool QtSettingsStore::commit()
{
    m_settings.sync();
    return m_settings.status() == QSettings::NoError;
}
