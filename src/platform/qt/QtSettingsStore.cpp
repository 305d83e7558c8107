#include "platform/qt/QtSettingsStore.h"

#include <QSettings>
#include <QString>

namespace tapfill::platform::qt {
namespace {
QString text(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

std::string QtSettingsStore::getSetting(const std::string& application, const std::string& section,
                                        const std::string& key, const std::string& defaultValue)
{
    QSettings settings(text(application), text(application));
    settings.beginGroup(text(section));
    const QVariant value = settings.value(text(key));
    if (!value.isValid())
        return defaultValue;
    return value.toString().toStdString();
}

bool QtSettingsStore::saveSetting(const std::string& application, const std::string& section,
                                  const std::string& key, const std::string& value)
{
    QSettings settings(text(application), text(application));
    if (!settings.isWritable())
        return false;
    settings.beginGroup(text(section));
    settings.setValue(text(key), text(value));
    settings.endGroup();
    // Written now, not when the object goes: EXIT ends the process at once,
    // and a failure has to be known here to be reported.
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace tapfill::platform::qt
