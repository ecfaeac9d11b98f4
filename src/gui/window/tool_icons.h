// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QIcon>
#include <QPalette>
#include <QString>

class QStyle;

namespace kribed {

// An icon by its freedesktop name (document-open, edit-cut, ...): the desktop theme's icon of
// that name, else the bundled picture drawn in the palette's text colour.
QIcon themedIcon(const QString &iconName, const QPalette &palette = QPalette());

// The bundled picture alone (null when there is none of that name): its text-coloured shapes
// take the palette's window-text colour, so they stay visible on a dark palette.
QIcon bundledIcon(const QString &iconName, const QPalette &palette);

// The program's own picture (the installed kribed.svg, drawn the same way).
QIcon appIcon();

// A style for menus whose toggles show check boxes: on a dark palette each box gets a frame
// halfway between the menu's text and its background, where the style would draw it dark on
// dark; otherwise it draws as the application's style does. Owned by `owner`.
QStyle *readableMenuCheckStyle(QObject *owner);

} // namespace kribed
