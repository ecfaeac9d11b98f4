// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/file_dialogs.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

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

QStringList filterExtensions(const QString &filter, int filterIndex)
{
    const QStringList parts = filter.split(u'|');
    const qsizetype at = 2 * qsizetype(filterIndex) - 1;
    if (filterIndex < 1 || at >= parts.size())
        return {};
    QStringList extensions;
    for (const QString &pattern : parts[at].split(u';', Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        if (!trimmed.startsWith(QStringLiteral("*.")))
            continue;
        const QString extension = trimmed.mid(2);
        if (!extension.isEmpty() && !extension.contains(u'*') && !extension.contains(u'?'))
            extensions << extension;
    }
    return extensions;
}

namespace {

// The extension of a file name: after its last dot, when that dot does not start the name.
QString extensionOf(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot > 0 ? fileName.mid(dot + 1) : QString();
}

bool containsNoCase(const QStringList &list, const QString &text)
{
    return list.contains(text, Qt::CaseInsensitive);
}

} // namespace

QString fileNameForFilter(const QString &path, const QString &filter, int filterIndex)
{
    const QStringList own = filterExtensions(filter, filterIndex);
    if (own.isEmpty())
        return path;
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(QDir::separator()));
    const QString fileName = path.mid(slash + 1);
    if (fileName.isEmpty())
        return path;
    const QString extension = extensionOf(fileName);
    if (!extension.isEmpty() && containsNoCase(own, extension))
        return path;
    const int entries = int(filter.count(u'|')) / 2;
    for (int other = 1; other <= entries && !extension.isEmpty(); ++other) {
        if (containsNoCase(filterExtensions(filter, other), extension))
            return path.left(path.size() - extension.size()) + own.constFirst();
    }
    return path + (path.endsWith(u'.') ? QString() : QStringLiteral(".")) + own.constFirst();
}

namespace {

// A file dialog. Saving with suffixFromFilter, the entry chosen decides the extension: the
// default suffix follows the entry, and a name typed with another extension is mended before the
// dialog asks about overwriting, so the question names the file that is written.
class RequestFileDialog : public QFileDialog
{
public:
    RequestFileDialog(QWidget *parent, const FileRequest &request)
        : QFileDialog(parent, request.title)
        , mRequest(request)
    {
        if (!request.suffixFromFilter)
            return;
        connect(this, &QFileDialog::filterSelected, this, [this](const QString &chosen) {
            const QStringList extensions = filterExtensions(mRequest.filter, filterIndexOf(chosen));
            setDefaultSuffix(extensions.isEmpty() ? mRequest.defaultSuffix
                                                  : extensions.constFirst());
        });
    }

    int filterIndexOf(const QString &nameFilter) const
    {
        return int(kribed::nameFilters(mRequest.filter).indexOf(nameFilter)) + 1;
    }

    void accept() override
    {
        const QStringList files = selectedFiles();
        if (acceptMode() == AcceptSave && mRequest.suffixFromFilter && files.size() == 1) {
            const QString mended = fileNameForFilter(files.constFirst(), mRequest.filter,
                                                     filterIndexOf(selectedNameFilter()));
            if (mended != files.constFirst())
                selectFile(mended);
        }
        QFileDialog::accept();
    }

private:
    FileRequest mRequest;
};

std::optional<FileChoice> runFileDialog(QWidget *parent, const FileRequest &request, bool save)
{
    RequestFileDialog dialog(parent, request);
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
    choice.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (choice.filterIndex < 1)
        choice.filterIndex = 1;
    QString path = dialog.selectedFiles().constFirst();
    // A dialog of the desktop's may not have let the name be mended before it closed.
    if (save && request.suffixFromFilter)
        path = fileNameForFilter(path, request.filter, choice.filterIndex);
    choice.path = QDir::toNativeSeparators(path);
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

bool FileDialogs::confirmDialog(QDialog &)
{
    return true;
}

bool QtFileDialogs::confirmDialog(QDialog &dialog)
{
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
