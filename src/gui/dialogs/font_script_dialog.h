// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QFontComboBox;
class QLabel;

namespace kribed {

// What the Font command keeps of the display font: family, the script's Windows character set
// number (which picks the code page of the cells) and the size in points.
struct DisplayFontChoice
{
    QString family;
    int charSet = 0;
    int pointSize = 8;

    bool operator==(const DisplayFontChoice &other) const
    {
        return family == other.family && charSet == other.charSet && pointSize == other.pointSize;
    }
};

// The Font command's dialog: family, script and size (6 to 10 points, as the grid takes no more),
// and a sample line of the chosen script in the chosen family and size. No style: the command
// keeps the style as it is.
class FontScriptDialog : public QDialog
{
    Q_OBJECT

public:
    static constexpr int SmallestSize = 6;
    static constexpr int LargestSize = 10;

    explicit FontScriptDialog(QWidget *parent = nullptr);

    // Shows the choice; an unknown character set shows Western, a size beyond the range the
    // nearest size offered.
    void setChoice(const DisplayFontChoice &choice);
    DisplayFontChoice choice() const;

private:
    void showSample();

    QFontComboBox *mFamily = nullptr;
    QComboBox *mScript = nullptr;
    QComboBox *mSize = nullptr;
    QLabel *mSample = nullptr;
};

} // namespace kribed
