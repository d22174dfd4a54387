#pragma once

#include "core/effects/ColourData.h"
#include "core/effects/ModeItem.h"

#include <QColor>
#include <QObject>

#include <array>
#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QListWidget;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace lumaro::gui {

struct CPrompts;

// A colour list box and what the colour buttons do to it, shared by the
// colour list page of the mode editor and the scene editor's colour list
// dialog, whose buttons carry the same ids. The lines are the list: each
// shows "%4dR%4dG%4dB" on its own colour and is read back by character
// position. The controls are made on the owner, which lays them out and
// gives the gradient controls ids where its dialog has keys for them.
class CColourListEditor : public QObject {
    Q_OBJECT
public:
    // The list's id on both pages.
    static constexpr int kListId = 1101;
    using ColourChooser = std::function<std::optional<QColor>()>;

    CColourListEditor(QWidget* owner, CPrompts& prompts, ColourChooser chooseColour);

    // The system colour dialog; nullopt on Cancel.
    static std::optional<QColor> SystemColourDialog(QWidget* owner);

    QListWidget* List() const { return m_list; }
    QSpinBox* GradientCount() const { return m_count; }
    QCheckBox* GradientInsert() const { return m_insert; }
    QRadioButton* SineButton() const { return m_sine; }
    QRadioButton* CosineButton() const { return m_cosine; }
    void SetCurve(CColourData::Curve curve);

    void SetColours(const UIntArray& colours);
    // The values of the lines, in order.
    UIntArray Colours() const;
    // Draws every line again from its own values.
    void Redisplay();

    int StartMark() const { return m_start; }
    int EndMark() const { return m_end; }

    void OnAddColour();
    void OnInsertColour();
    void OnRemoveColour();
    void OnRemoveAll();
    void OnMark(bool start);
    void OnDeleteRange();
    // The gradient between the marked colours, appended or, with the insert
    // box checked, put before the selected line.
    void OnAddGradient();

private:
    void AddLine(int row, std::uint32_t r, std::uint32_t g, std::uint32_t b);
    void Message(const char* key);
    void ClearMarks() { m_start = m_end = -1; }
    std::optional<std::array<std::uint32_t, 3>> LineColour(int row) const;

    QWidget* m_owner;
    CPrompts& m_prompts;
    ColourChooser m_chooseColour;
    QListWidget* m_list = nullptr;
    QSpinBox* m_count = nullptr;
    QCheckBox* m_insert = nullptr;
    QRadioButton* m_sine = nullptr;
    QRadioButton* m_cosine = nullptr;
    QButtonGroup* m_curve = nullptr;
    int m_start = -1; // marked rows of a gradient, -1 while unmarked
    int m_end = -1;
};

} // namespace lumaro::gui
