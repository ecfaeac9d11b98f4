// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

#include <array>
#include <memory>

class QSettings;

namespace kribed {

// The display font as the settings keep it: Windows style bits 1 bold, 2 italic, 4 underline,
// 8 strike-out; the character set number picks the code page cells are shown in.
struct FontSetting
{
    QString name = QStringLiteral("MS Sans Serif");
    int size = 8;
    int charSet = 1;
    int style = 0;
};

// The window rectangle; a left edge of NoPlacement means none was stored and the window is
// centred.
struct Placement
{
    static constexpr int NoPlacement = -99999;
    int left = NoPlacement;
    int top = 30;
    int width = 30;
    int height = 30;
};

constexpr int RecentFileCount = 5;

// Everything the program keeps between runs: read once at start, written once at exit.
struct Settings
{
    bool initialDir = true;
    bool saveAtInstall = true;
    bool expertMode = false;
    // The print's choices (Print/FitToPageWidth, Print/RepeatFieldNames).
    bool printFitToPageWidth = false;
    bool printRepeatFieldNames = true;
    FontSetting font;
    Placement placement;
    std::array<QString, RecentFileCount> recentFiles;
};

// The program's own store: the registry key Software\KRE on Windows, an INI file of organisation
// "KRE", application "Kribed" elsewhere.
std::unique_ptr<QSettings> openSettingsStore();

// A missing value, or a number or switch whose text is not a decimal integer, reads as its default.
Settings readSettings(QSettings &store);
// Writes every value, changed or not, each as a string; switches as "1" or "0".
void writeSettings(QSettings &store, const Settings &settings);

} // namespace kribed
