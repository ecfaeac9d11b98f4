// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>
#include <QStringList>

namespace kribed {

// The languages the program speaks; English is the source text and needs no translator.
QStringList availableLanguages();

// The language to speak: the one asked for on the command line, else the first of the user's
// interface languages that is available, else English. An empty result means the asked-for
// language is unknown.
QString chooseLanguage(const QString &requested, const QStringList &uiLanguages);

// The value of --language on a command line ("--language de" or "--language=de"), empty without
// one. Read before the command-line parser runs, so that the parser's own texts (help, mistakes)
// already come in that language.
QString languageArgument(const QStringList &arguments);

// The language a program starts in: the one --language asks for, else the user's. An unknown
// code gives the user's here, so the command-line parser reports it as a mistake in that.
QString startLanguage(const QStringList &arguments);

// Installs our translator and Qt's own for the language into the running application. English
// installs only its catalogue of plural forms (the texts written with %n), so the program keeps
// its English texts and says "1 record". False when a translation of a language we claim to
// speak could not be loaded.
bool installTranslations(const QString &language);

// The language the interface speaks: the one installTranslations was last given, English before.
// Texts made of the toolkit's own words (month names) are made in it.
QString interfaceLanguage();

} // namespace kribed
