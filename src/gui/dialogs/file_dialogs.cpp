// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace kribed {

QStringList nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const int open = description.lastIndexOf(u'(');
        if (open > 0)
            description = description.left(open).trimmed();
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString &pattern : patterns) {
            // "*.*" means every file, with or without an extension.
            if (pattern.trimmed() == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
        }
        filters << QStringLiteral("%1 (%2)").arg(description, patterns.join(u' '));
    }
    return filters;
}

namespace {

std::optional<FileChoice> runFileDialog(QWidget *parent, const FileRequest &request, bool save)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!request.askBeforeOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = nameFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialFolder.isEmpty())
        dialog.setDirectory(request.initialFolder);
    if (!request.proposedName.isEmpty())
        dialog.selectFile(request.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    FileChoice choice;
    choice.path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    choice.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (choice.filterIndex < 1)
        choice.filterIndex = 1;
    return choice;
}

} // namespace

std::optional<FileChoice> QtFileDialogs::openFile(const FileRequest &request)
{
    return runFileDialog(mParent, request, false);
}

std::optional<FileChoice> QtFileDialogs::saveFile(const FileRequest &request)
{
    return runFileDialog(mParent, request, true);
}

std::optional<DisplayFontChoice> QtFileDialogs::chooseFont(const DisplayFontChoice &initial)
{
    FontScriptDialog dialog(mParent);
    dialog.setChoice(initial);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

bool QtFileDialogs::choosePrinter(QPrinter &printer, int pageCount)
{
    QPrintDialog dialog(&printer, mParent);
    if (pageCount > 0)
        dialog.setMinMax(1, pageCount);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtFileDialogs::chooseItem(const QString &title, const QString &label,
                                                 const QStringList &items, int current)
{
    // A list rather than a drop-down: every table is in sight, arrows and Return choose.
    QInputDialog dialog(mParent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(label);
    dialog.setComboBoxItems(items);
    dialog.setComboBoxEditable(false);
    dialog.setOption(QInputDialog::UseListViewForComboBoxItems);
    if (current >= 0 && current < items.size())
        dialog.setTextValue(items.at(current));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace kribed
