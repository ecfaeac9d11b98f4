// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/status_panel_widths.h"

#include <QCoreApplication>
#include <QDate>
#include <QFontMetrics>
#include <QLabel>

#include <algorithm>

namespace kribed {

namespace {

constexpr int ClassicWidths[StatusPanelCount] = {90, 65, 18, 18, 18, 75, 1000};

// The digit that is widest in the font, so numbers of any value fit.
QChar widestDigit(const QFontMetrics &metrics)
{
    QChar widest = u'0';
    for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
        if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest))
            widest = QChar(digit);
    }
    return widest;
}

// The width the label asks for to show `text` whole (its frame, margin and indent included).
int widthFor(QLabel *label, const QString &text)
{
    const QString shown = label->text();
    label->setText(text);
    const int width = label->sizeHint().width();
    label->setText(shown);
    return width;
}

} // namespace

QString widestDateText(const QLocale &locale, const QString &format, const QFont &font)
{
    const QFontMetrics metrics(font);
    QString widest;
    int widestWidth = -1;
    // A leap year, so 29 February is measured as well.
    for (QDate day(2028, 1, 1); day.year() == 2028; day = day.addDays(1)) {
        const QString text = locale.toString(day, format);
        const int width = metrics.horizontalAdvance(text);
        if (width > widestWidth) {
            widestWidth = width;
            widest = text;
        }
    }
    // Years of other digits may be wider: the year's digits are measured at their widest.
    const QChar digit = widestDigit(metrics);
    widest.replace(QStringLiteral("2028"), QString(4, digit));
    return widest;
}

void fitStatusPanels(const std::array<QLabel *, StatusPanelCount> &panels, const QLocale &locale,
                     const QString &dateFormat)
{
    const QFontMetrics metrics(panels[0]->font());
    const QChar digit = widestDigit(metrics);
    const QString records(5, digit);
    const QString fields(2, digit);
    // The panels' own texts, as the language of the interface writes them.
    const auto text = [](const char *source) {
        return QCoreApplication::translate("StatusTexts", source);
    };
    const std::array<QString, StatusPanelCount - 1> widest = {
        text("R%1 of %2").arg(records, records),
        text("C%1 of %2").arg(fields, fields),
        text("A"),
        text("F"),
        text("S"),
        widestDateText(locale, dateFormat, panels[5]->font()),
    };
    for (int index = 0; index + 1 < StatusPanelCount; ++index) {
        QLabel *panel = panels[index];
        panel->setFixedWidth(std::max(ClassicWidths[index], widthFor(panel, widest[index])));
    }
}

} // namespace kribed
