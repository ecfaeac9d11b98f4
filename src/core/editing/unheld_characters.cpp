// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/unheld_characters.h"

#include <QCoreApplication>

#include "core/model/regional.h"
#include "core/platform/code_page_converter.h"

namespace kribed {

std::optional<Message> unheldCharactersWarning(QStringView text, const QByteArray &codePage)
{
    const QString unheld = unheldCharacters(text, codePage);
    if (unheld.isEmpty())
        return std::nullopt;
    const QString page = QString::fromLatin1(codePage);
    const QString names = characterNames(unheld);
    const bool one = unheld.size() == 1 || (unheld.size() == 2 && unheld.at(0).isHighSurrogate());
    const QString message =
        one ? QCoreApplication::translate(
                  "UnheldCharacters",
                  "The code page %1 of the display font cannot hold this character; it "
                  "is stored as \"?\": %2")
                  .arg(page, names)
            : QCoreApplication::translate(
                  "UnheldCharacters",
                  "The code page %1 of the display font cannot hold these characters; "
                  "each is stored as \"?\": %2")
                  .arg(page, names);
    return Message{QCoreApplication::translate("UnheldCharacters", "Warning"), message,
                   Icon::Warning, Buttons::Ok};
}

void warnOfUnheldCharacters(Prompter &prompter, QStringView text, const Regional &regional)
{
    if (const std::optional<Message> warning = unheldCharactersWarning(text, regional.codePage()))
        prompter.ask(*warning);
}

} // namespace kribed
