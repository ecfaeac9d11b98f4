// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/dialogs/file_dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace kribed::test {

// File, font and print dialogs answered from a script. Each expected dialog names its kind and
// title; a dialog that was not expected, or differs from the next expected one, is a failure that
// failures() reports (and is answered with Cancel).
class ScriptedFileDialogs : public FileDialogs
{
public:
    enum class Kind { Open, Save, Font, Print, Item };

    // An empty path answers Cancel.
    void expectOpen(const QString &title, const QString &path, int filterIndex = 1);
    void expectSave(const QString &title, const QString &path, int filterIndex = 1);
    // The font's family and size, with the script of the character set number.
    void expectFont(const QFont &answer, int charSet = 0);
    void expectFontCancel();
    void expectPrint(bool accept);
    // The item chosen from a list dialog of that title; empty answers Cancel.
    void expectItem(const QString &title, const QString &item);

    std::optional<FileChoice> openFile(const FileRequest &request) override;
    std::optional<FileChoice> saveFile(const FileRequest &request) override;
    std::optional<DisplayFontChoice> chooseFont(const DisplayFontChoice &initial) override;
    bool choosePrinter(QPrinter &printer, int pageCount) override;
    std::optional<QString> chooseItem(const QString &title, const QString &label,
                                      const QStringList &items, int current) override;
    // Without a handler the dialog is taken as it stands, as by the base.
    bool confirmDialog(QDialog &dialog) override
    {
        return onConfirmDialog ? onConfirmDialog(dialog) : FileDialogs::confirmDialog(dialog);
    }
    // A test's answer to a confirmed dialog (the import preview): it may change the dialog.
    std::function<bool(QDialog &)> onConfirmDialog;

    // The requests of the file dialogs shown so far, in order.
    const QList<FileRequest> &requests() const { return mRequests; }
    // The font the last font dialog was preset with, and its largest size.
    const QFont &lastFontPreset() const { return mFontPreset; }
    int lastMaxPointSize() const { return mMaxPointSize; }
    int lastCharSetPreset() const { return mCharSetPreset; }
    // The items the last list dialog offered, and the one it had chosen at first.
    const QStringList &lastItems() const { return mItems; }
    int lastCurrentItem() const { return mCurrentItem; }
    // Empty when every expected dialog came, in order, and nothing else did.
    QString failures() const;

private:
    struct Expected
    {
        Kind kind;
        QString title;
        QString path;
        int filterIndex = 1;
        QFont font;
        bool accept = false;
        int charSet = 0;
    };
    std::optional<Expected> next(Kind kind, const QString &title);
    std::optional<FileChoice> answerFile(Kind kind, const FileRequest &request);

    QList<Expected> mExpected;
    QList<FileRequest> mRequests;
    QFont mFontPreset;
    int mMaxPointSize = 0;
    int mCharSetPreset = -1;
    QStringList mItems;
    int mCurrentItem = -1;
    QStringList mFailures;
};

} // namespace kribed::test

#define KRIBED_VERIFY_DIALOGS(dialogs) \
    QVERIFY2((dialogs).failures().isEmpty(), qPrintable((dialogs).failures()))
