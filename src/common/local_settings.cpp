#include "common/local_settings.h"

#include <QDate>
#include <QSettings>

namespace morlenta {

LocalSettings::LocalSettings()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Dravik"), QStringLiteral("Morlenta")))
{
}

LocalSettings::LocalSettings(const QString &path)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

LocalSettings::~LocalSettings() = default;

bool LocalSettings::contains(const QString &name) const
{
    return settings_->contains(name);
}

QVariant LocalSettings::value(const QString &name, const QVariant &fallback) const
{
    return settings_->value(name, fallback);
}

void LocalSettings::setValue(const QString &name, const QVariant &value)
{
    settings_->setValue(name, value);
}

void LocalSettings::remove(const QString &name)
{
    settings_->remove(name);
}

QString LocalSettings::text(const QString &name, const QString &fallback) const
{
    return settings_->value(name, fallback).toString();
}

bool LocalSettings::flag(const QString &name, bool fallback) const
{
    const QVariant v = settings_->value(name);
    if (!v.isValid())
        return fallback;
    const QString s = v.toString().trimmed().toLower();
    if (s == QLatin1String("true") || s == QLatin1String("1"))
        return true;
    if (s == QLatin1String("false") || s == QLatin1String("0"))
        return false;
    return fallback;
}

std::optional<double> LocalSettings::number(const QString &name) const
{
    const QVariant v = settings_->value(name);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toString().trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

std::optional<QDate> LocalSettings::date(const QString &name) const
{
    const QVariant v = settings_->value(name);
    if (!v.isValid())
        return std::nullopt;
    const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? std::optional<QDate>(d) : std::nullopt;
}

void LocalSettings::sync()
{
    settings_->sync();
}

QString LocalSettings::fileName() const
{
    return settings_->fileName();
}

} // namespace morlenta
