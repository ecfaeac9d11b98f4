// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/dialogs/file_dialogs.h"

#include <QList>
#include <QStringList>

namespace kribed::test {

// File, font and print dialogs answered from a script. Each expected dialog names its kind and
// title; a dialog that was not expected, or differs from the next expected one, is a failure that
// failures() reports (and is answered with Cancel).
class ScriptedFileDialogs : public FileDialogs
{
public:
    enum class Kind { Open, Save, Font, Print };

    // An empty path answers Cancel.
    void ExpectOpen(const QString &title, const QString &path, int filterIndex = 1);
    void ExpectSave(const QString &title, const QString &path, int filterIndex = 1);
    void ExpectFont(const QFont &answer);
    void ExpectFontCancel();
    void ExpectPrint(bool accept);

    std::optional<FileChoice> openFile(const FileRequest &request) override;
    std::optional<FileChoice> saveFile(const FileRequest &request) override;
    std::optional<QFont> chooseFont(const QFont &initial, int maxPointSize) override;
    bool choosePrinter(QPrinter &printer, int pageCount) override;

    // The requests of the file dialogs shown so far, in order.
    const QList<FileRequest> &Requests() const { return mRequests; }
    // The font the last font dialog was preset with, and its largest size.
    const QFont &LastFontPreset() const { return mFontPreset; }
    int LastMaxPointSize() const { return mMaxPointSize; }
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
    };
    std::optional<Expected> next(Kind kind, const QString &title);
    std::optional<FileChoice> AnswerFile(Kind kind, const FileRequest &request);

    QList<Expected> mExpected;
    QList<FileRequest> mRequests;
    QFont mFontPreset;
    int mMaxPointSize = 0;
    QStringList mFailures;
};

} // namespace kribed::test

#define KRIBED_VERIFY_DIALOGS(dialogs) \
    QVERIFY2((dialogs).failures().isEmpty(), qPrintable((dialogs).failures()))
