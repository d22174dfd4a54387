#pragma once

#include "GuiTestSupport.h"

#include "core/app/LangText.h"
#include "core/effects/ModeItem.h"
#include "core/layout/Lamp.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/ModeEditorSheet.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace lumaro::gui::test {

// Dialog tests run on the shipped English texts and answer every message
// box without a window.
class EffectsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CLangText::SetLanguageFilePath(fs::path(LUMARO_SOURCE_DIR) / "data" / "Mullanguage" / "English.ini");
        log.Install(prompts);
    }

    static QString Text(const char* key) { return QString::fromStdString(GetLangText(key)); }

    CPrompts prompts;
    CPromptLog log;
};

// A mode editor sheet over a project of its own, in an install folder with
// a small "ColorData.sav" and a language file in which every key the sheet
// and its pages use reads "text of KEY", so a test sees which text was shown;
// other keys read as in English.
class ModeEditorTest : public ::testing::Test {
protected:
    void SetUp() override;

    static QString Text(const char* key) { return QString::fromStdString(GetLangText(key)); }
    // Line g + 1 of the colour file: colour group g.
    std::string GroupLine(int group) const;

    CTestInstall install;
    CPrompts prompts;
    CPromptLog log;
    CLayoutDocument document;
    std::unique_ptr<CModeEditorSheet> sheet;
};

// count lamps in one row from x = first on.
inline std::vector<CLamp> LampRow(int first, int count, int y = 5)
{
    std::vector<CLamp> lamps;
    for (int i = 0; i < count; ++i)
        lamps.emplace_back(first + i, y, i, 0, 1, 1);
    return lamps;
}

inline CModeItem Mode(const std::string& type, const std::string& name)
{
    CModeItem mode;
    mode.type = type;
    mode.name = name;
    return mode;
}

// Shows widget and returns a grab of it, saved as name.png as well when
// LUMARO_SCREENSHOT_DIR names a folder.
QImage Screenshot(QWidget* widget, const QString& name);
// The grab covers the whole widget and shows more than a plain background.
void ExpectPainted(const QImage& grab, const QWidget& widget);
// Some pixel of area (in widget coordinates) has exactly colour.
bool ShowsColour(const QImage& grab, const QRect& area, const QColor& colour);

} // namespace lumaro::gui::test
