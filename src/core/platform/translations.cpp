// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kribed {

namespace {

const QString english = QStringLiteral("en");

// "de-DE", "de_AT" and "de" all ask for German.
QString baseLanguage(const QString &uiLanguage)
{
    return uiLanguage.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

bool loadInto(const QString &fileName, const QString &directory)
{
    // Owned by the application: it lives as long as the texts it serves.
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(fileName, directory)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

QString &installedLanguage()
{
    static QString language = english;
    return language;
}

} // namespace

QStringList availableLanguages()
{
    return {english, QStringLiteral("de")};
}

QString chooseLanguage(const QString &requested, const QStringList &uiLanguages)
{
    const QStringList available = availableLanguages();
    if (!requested.isEmpty())
        return available.contains(requested.toLower()) ? requested.toLower() : QString();
    for (const QString &uiLanguage : uiLanguages) {
        const QString language = baseLanguage(uiLanguage);
        if (available.contains(language))
            return language;
        if (language == QLatin1String("c"))
            return english;
    }
    return english;
}

QString languageArgument(const QStringList &arguments)
{
    const QString option = QStringLiteral("--language");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--"))
            break;
        if (argument == option && i + 1 < arguments.size())
            return arguments.at(i + 1);
        if (argument.startsWith(option + u'='))
            return argument.mid(option.size() + 1);
    }
    return QString();
}

QString startLanguage(const QStringList &arguments)
{
    const QStringList desktop = QLocale::system().uiLanguages();
    const QString language = chooseLanguage(languageArgument(arguments), desktop);
    return language.isEmpty() ? chooseLanguage(QString(), desktop) : language;
}

bool installTranslations(const QString &language)
{
    installedLanguage() = language;
    // English texts are the sources; English only needs its plural forms ("1 record").
    if (language == english)
        return loadInto(QStringLiteral("kribed_en"), QStringLiteral(":/i18n"));
    const bool ours = loadInto(QStringLiteral("kribed_") + language, QStringLiteral(":/i18n"));
    // Qt's own texts (the buttons of message boxes) are a help, not a need: a missing file leaves
    // them English.
    loadInto(QStringLiteral("qtbase_") + language,
             QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return ours;
}

QString interfaceLanguage()
{
    return installedLanguage();
}

} // namespace kribed
