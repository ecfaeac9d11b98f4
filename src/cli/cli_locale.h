// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace kribed {

// The names --locale takes: every locale name QLocale knows that gives that very locale back
// ("de_DE", "en_US", "C"), sorted.
QStringList acceptedLocaleNames();

// The locale of an accepted name; none for any other text. QLocale itself turns an unknown name
// into the C locale without a word, which would read a German file as an English one.
std::optional<QLocale> localeFromName(const QString &name);

// The usage error for a name that is not accepted, with the accepted names in lines of at most
// about a hundred characters.
QString unknownLocaleText(const QString &name);

} // namespace kribed
