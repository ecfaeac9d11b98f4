// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/formats_memory.h"

#include "core/platform/file_memory.h"

#include <QSettings>

namespace kribed {

namespace {

// The desktop's formats are kept as a word no locale name can be.
const QString DesktopWord = QStringLiteral("desktop");

FileMemory formatsMemory()
{
    return FileMemory(QStringLiteral("RegionalFormats"), QStringLiteral("Formats"),
                      RememberedFormatsCount);
}

} // namespace

std::optional<FormatsChoice> rememberedFormats(QSettings &store, const QString &filePath)
{
    const std::optional<QString> kept = formatsMemory().recall(store, filePath);
    if (!kept)
        return std::nullopt;
    return FormatsChoice{*kept == DesktopWord ? QString() : *kept};
}

void rememberFormats(QSettings &store, const QString &filePath, const FormatsChoice &choice)
{
    formatsMemory().keep(store, filePath, choice.isDesktop() ? DesktopWord : choice.localeName);
}

} // namespace kribed
