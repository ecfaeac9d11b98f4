// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "scripted_file_dialogs.h"

namespace kribed::test {

namespace {

QString kindName(ScriptedFileDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedFileDialogs::Kind::Open: return QStringLiteral("open");
    case ScriptedFileDialogs::Kind::Save: return QStringLiteral("save");
    case ScriptedFileDialogs::Kind::Font: return QStringLiteral("font");
    case ScriptedFileDialogs::Kind::Print: return QStringLiteral("print");
    case ScriptedFileDialogs::Kind::Item: return QStringLiteral("list");
    }
    return {};
}

} // namespace

void ScriptedFileDialogs::expectOpen(const QString &title, const QString &path, int filterIndex)
{
    mExpected.append({Kind::Open, title, path, filterIndex, {}, false});
}

void ScriptedFileDialogs::expectSave(const QString &title, const QString &path, int filterIndex)
{
    mExpected.append({Kind::Save, title, path, filterIndex, {}, false});
}

void ScriptedFileDialogs::expectFont(const QFont &answer, int charSet)
{
    mExpected.append({Kind::Font, {}, {}, 1, answer, true, charSet});
}

void ScriptedFileDialogs::expectFontCancel()
{
    mExpected.append({Kind::Font, {}, {}, 1, {}, false});
}

void ScriptedFileDialogs::expectPrint(bool accept)
{
    mExpected.append({Kind::Print, {}, {}, 1, {}, accept});
}

void ScriptedFileDialogs::expectItem(const QString &title, const QString &item)
{
    mExpected.append({Kind::Item, title, item, 1, {}, !item.isEmpty()});
}

std::optional<ScriptedFileDialogs::Expected> ScriptedFileDialogs::next(Kind kind,
                                                                       const QString &title)
{
    if (mExpected.isEmpty()) {
        mFailures << QStringLiteral("unexpected %1 dialog \"%2\"").arg(kindName(kind), title);
        return std::nullopt;
    }
    const Expected expected = mExpected.takeFirst();
    if (expected.kind != kind
        || (kind != Kind::Font && kind != Kind::Print && expected.title != title)) {
        mFailures << QStringLiteral("expected %1 dialog \"%2\", got %3 dialog \"%4\"")
                         .arg(kindName(expected.kind), expected.title, kindName(kind), title);
        return std::nullopt;
    }
    return expected;
}

std::optional<FileChoice> ScriptedFileDialogs::answerFile(Kind kind, const FileRequest &request)
{
    mRequests.append(request);
    const std::optional<Expected> expected = next(kind, request.title);
    if (!expected || expected->path.isEmpty())
        return std::nullopt;
    return FileChoice{expected->path, expected->filterIndex};
}

std::optional<FileChoice> ScriptedFileDialogs::openFile(const FileRequest &request)
{
    return answerFile(Kind::Open, request);
}

std::optional<FileChoice> ScriptedFileDialogs::saveFile(const FileRequest &request)
{
    return answerFile(Kind::Save, request);
}

std::optional<DisplayFontChoice> ScriptedFileDialogs::chooseFont(const DisplayFontChoice &initial)
{
    mFontPreset = QFont(initial.family, initial.pointSize);
    mCharSetPreset = initial.charSet;
    mMaxPointSize = FontScriptDialog::LargestSize;
    const std::optional<Expected> expected = next(Kind::Font, {});
    if (!expected || !expected->accept)
        return std::nullopt;
    return DisplayFontChoice{expected->font.family(), expected->charSet,
                             expected->font.pointSize()};
}

bool ScriptedFileDialogs::choosePrinter(QPrinter &, int)
{
    const std::optional<Expected> expected = next(Kind::Print, {});
    return expected && expected->accept;
}

std::optional<QString> ScriptedFileDialogs::chooseItem(const QString &title, const QString &,
                                                       const QStringList &items, int current)
{
    mItems = items;
    mCurrentItem = current;
    const std::optional<Expected> expected = next(Kind::Item, title);
    if (!expected || !expected->accept)
        return std::nullopt;
    return expected->path;
}

QString ScriptedFileDialogs::failures() const
{
    QStringList all = mFailures;
    for (const Expected &missing : mExpected)
        all << QStringLiteral("%1 dialog never shown: \"%2\"")
                   .arg(kindName(missing.kind), missing.title);
    return all.join(u'\n');
}

} // namespace kribed::test
