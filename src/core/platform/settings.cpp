// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/settings.h"

#include <QSettings>

namespace kribed {

namespace {

int readInteger(const QSettings &store, const QString &key, int fallback)
{
    const QVariant value = store.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toString().toInt(&ok, 10);
    return ok ? number : fallback;
}

bool readSwitch(const QSettings &store, const QString &key, bool fallback)
{
    return readInteger(store, key, fallback ? 1 : 0) != 0;
}

QString readText(const QSettings &store, const QString &key, const QString &fallback)
{
    const QVariant value = store.value(key);
    return value.isValid() ? value.toString() : fallback;
}

QString recentKey(int slot)
{
    return QStringLiteral("Files/File%1").arg(slot + 1);
}

} // namespace

std::unique_ptr<QSettings> openSettingsStore()
{
#ifdef Q_OS_WIN
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\KRE"),
                                       QSettings::NativeFormat);
#else
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("KRE"), QStringLiteral("Kribed"));
#endif
}

Settings readSettings(QSettings &store)
{
    Settings settings;
    settings.initialDir = readSwitch(store, QStringLiteral("Settings/InitialDir"), true);
    settings.saveAtInstall = readSwitch(store, QStringLiteral("Settings/SaveAtInstall"), true);
    settings.expertMode = readSwitch(store, QStringLiteral("Settings/ExpertMode"), false);
    settings.printFitToPageWidth = readSwitch(store, QStringLiteral("Print/FitToPageWidth"), false);
    settings.printRepeatFieldNames =
        readSwitch(store, QStringLiteral("Print/RepeatFieldNames"), true);

    FontSetting &font = settings.font;
    font.name = readText(store, QStringLiteral("Font/Name"), font.name);
    font.size = readInteger(store, QStringLiteral("Font/Size"), font.size);
    font.charSet = readInteger(store, QStringLiteral("Font/CharSet"), font.charSet);
    font.style = readInteger(store, QStringLiteral("Font/Style"), font.style);

    Placement &place = settings.placement;
    place.left = readInteger(store, QStringLiteral("FormPos/Left"), Placement::NoPlacement);
    if (place.left != Placement::NoPlacement) {
        place.top = readInteger(store, QStringLiteral("FormPos/Top"), place.top);
        place.width = readInteger(store, QStringLiteral("FormPos/Width"), place.width);
        place.height = readInteger(store, QStringLiteral("FormPos/Height"), place.height);
    }

    for (int slot = 0; slot < RecentFileCount; ++slot)
        settings.recentFiles[slot] = readText(store, recentKey(slot), QString());
    return settings;
}

void writeSettings(QSettings &store, const Settings &settings)
{
    const auto text = [](int number) { return QString::number(number); };
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };

    store.setValue(QStringLiteral("Settings/InitialDir"), flag(settings.initialDir));
    store.setValue(QStringLiteral("Settings/SaveAtInstall"), flag(settings.saveAtInstall));
    store.setValue(QStringLiteral("Settings/ExpertMode"), flag(settings.expertMode));
    store.setValue(QStringLiteral("Print/FitToPageWidth"), flag(settings.printFitToPageWidth));
    store.setValue(QStringLiteral("Print/RepeatFieldNames"), flag(settings.printRepeatFieldNames));

    store.setValue(QStringLiteral("Font/Name"), settings.font.name);
    store.setValue(QStringLiteral("Font/Size"), text(settings.font.size));
    store.setValue(QStringLiteral("Font/CharSet"), text(settings.font.charSet));
    store.setValue(QStringLiteral("Font/Style"), text(settings.font.style & 0x0F));

    store.setValue(QStringLiteral("FormPos/Left"), text(settings.placement.left));
    store.setValue(QStringLiteral("FormPos/Top"), text(settings.placement.top));
    store.setValue(QStringLiteral("FormPos/Width"), text(settings.placement.width));
    store.setValue(QStringLiteral("FormPos/Height"), text(settings.placement.height));

    for (int slot = 0; slot < RecentFileCount; ++slot)
        store.setValue(recentKey(slot), settings.recentFiles[slot]);
    store.sync();
}

} // namespace kribed
