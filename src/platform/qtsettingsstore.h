#ifndef QTSETTINGSSTORE_H
#define QTSETTINGSSTORE_H

#include "platform/settingsstore.h"

#include <QSettings>

// The per-user store of the desktop: QSettings in its native format.
class QtSettingsStore : public SettingsStore
{
public:
    QtSettingsStore();

    QString value(const QString &section, const QString &key,
                  const QString &defaultValue) const override;
    void setValue(const QString &section, const QString &key, const QString &value) override;
    bool commit() override;

private:
    QSettings m_settings;
};

#endif // QTSETTINGSSTORE_H
