// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/settings.h"

#include <QSettings>

namespace kribed {

namespace {

int ReadInteger(const QSettings &store, const QString &key, int fallback)
{
    const QVariant value = store.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toString().toInt(&ok, 10);
    return ok ? number : fallback;
}

bool ReadSwitch(const QSettings &store, const QString &key, bool fallback)
{
    return ReadInteger(store, key, fallback ? 1 : 0) != 0;
}

QString ReadText(const QSettings &store, const QString &key, const QString &fallback)
{
    const QVariant value = store.value(key);
    return value.isValid() ? value.toString() : fallback;
}

QString RecentKey(int slot)
{
    return QStringLiteral("Files/File%1").arg(slot + 1);
}

} // namespace

std::unique_ptr<QSettings> OpenSettingsStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\KRE"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("KRE"), QStringLiteral("Kribed"));
#endif
}

Settings ReadSettings(QSettings &store)
{
    Settings settings;
    settings.initialDir = ReadSwitch(store, QStringLiteral("Settings/InitialDir"), true);
    settings.saveAtInstall = ReadSwitch(store, QStringLiteral("Settings/SaveAtInstall"), true);
    settings.expertMode = ReadSwitch(store, QStringLiteral("Settings/ExpertMode"), false);

    FontSetting &font = settings.font;
    font.name = ReadText(store, QStringLiteral("Font/Name"), font.name);
    font.size = ReadInteger(store, QStringLiteral("Font/Size"), font.size);
    font.charSet = ReadInteger(store, QStringLiteral("Font/CharSet"), font.charSet);
    font.style = ReadInteger(store, QStringLiteral("Font/Style"), font.style);

    Placement &place = settings.placement;
    place.left = ReadInteger(store, QStringLiteral("FormPos/Left"), Placement::NoPlacement);
    if (place.left != Placement::NoPlacement) {
        place.top = ReadInteger(store, QStringLiteral("FormPos/Top"), place.top);
        place.width = ReadInteger(store, QStringLiteral("FormPos/Width"), place.width);
        place.height = ReadInteger(store, QStringLiteral("FormPos/Height"), place.height);
    }

    for (int slot = 0; slot < RecentFileCount; ++slot)
        settings.recentFiles[slot] = ReadText(store, RecentKey(slot), QString());
    return settings;
}

void WriteSettings(QSettings &store, const Settings &settings)
{
    const auto text = [](int number) { return QString::number(number); };
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };

    store.setValue(QStringLiteral("Settings/InitialDir"), flag(settings.initialDir));
    store.setValue(QStringLiteral("Settings/SaveAtInstall"), flag(settings.saveAtInstall));
    store.setValue(QStringLiteral("Settings/ExpertMode"), flag(settings.expertMode));

    store.setValue(QStringLiteral("Font/Name"), settings.font.name);
    store.setValue(QStringLiteral("Font/Size"), text(settings.font.size));
    store.setValue(QStringLiteral("Font/CharSet"), text(settings.font.charSet));
    store.setValue(QStringLiteral("Font/Style"), text(settings.font.style & 0x0F));

    store.setValue(QStringLiteral("FormPos/Left"), text(settings.placement.left));
    store.setValue(QStringLiteral("FormPos/Top"), text(settings.placement.top));
    store.setValue(QStringLiteral("FormPos/Width"), text(settings.placement.width));
    store.setValue(QStringLiteral("FormPos/Height"), text(settings.placement.height));

    for (int slot = 0; slot < RecentFileCount; ++slot)
        store.setValue(RecentKey(slot), settings.recentFiles[slot]);
    store.sync();
}

} // namespace kribed
