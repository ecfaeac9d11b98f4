// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_locale.h"

#include <QCoreApplication>

namespace kribed {

namespace {

constexpr qsizetype ListLineWidth = 100;

QStringList findAcceptedNames()
{
    QStringList names;
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        const QString name = locale.name();
        // Several scripts of one language and country share a name; only the one QLocale gives
        // for the name can be asked for.
        if (QLocale(name).name() == name)
            names << name;
    }
    names.sort();
    names.removeDuplicates();
    return names;
}

} // namespace

QStringList acceptedLocaleNames()
{
    static const QStringList names = findAcceptedNames();
    return names;
}

std::optional<QLocale> localeFromName(const QString &name)
{
    if (!acceptedLocaleNames().contains(name))
        return std::nullopt;
    return QLocale(name);
}

QString unknownLocaleText(const QString &name)
{
    QString text =
        QCoreApplication::translate("CliOptions", "unknown locale '%1'. The accepted names are:")
            .arg(name)
        + u'\n';
    QString line;
    for (const QString &accepted : acceptedLocaleNames()) {
        if (!line.isEmpty() && line.size() + 1 + accepted.size() > ListLineWidth) {
            text += line + u'\n';
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + accepted;
    }
    return text + line;
}

} // namespace kribed
