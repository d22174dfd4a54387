#include "gui/effects/ColourListEditor.h"

#include "picture/ColourRef.h"

#include "core/app/LangText.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDatabase>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>

#include <algorithm>

namespace lumaro::gui {

namespace {

// The gradient controls belong to the colour list dialog; they keep its
// texts wherever they stand.
template <class Control> Control* MakeGradientControl(QWidget* owner, const char* key, const char* fallback)
{
    const std::string text = GetLangTextRaw(key);
    return new Control(text.empty() ? QString::fromLatin1(fallback) : QString::fromStdString(text), owner);
}

} // namespace

CColourListEditor::CColourListEditor(QWidget* owner, CPrompts& prompts, ColourChooser chooseColour)
    : QObject(owner), m_owner(owner), m_prompts(prompts), m_chooseColour(std::move(chooseColour))
{
    m_list = new QListWidget(owner);
    SetControlId(m_list, kListId);
    // The lines are read back by character position, so they must line up.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setMinimumWidth(190);

    m_count = new QSpinBox(owner);
    m_count->setRange(0, 9999);
    m_count->setValue(10);
    m_sine = MakeGradientControl<QRadioButton>(owner, "IDD1374_1132", "Change by si&n");
    m_cosine = MakeGradientControl<QRadioButton>(owner, "IDD1374_1133", "Change by &cos ");
    m_sine->setChecked(true);
    m_curve = new QButtonGroup(this);
    m_curve->addButton(m_sine, static_cast<int>(CColourData::Curve::Sine));
    m_curve->addButton(m_cosine, static_cast<int>(CColourData::Curve::Cosine));
    m_insert = MakeGradientControl<QCheckBox>(owner, "IDD1374_1134", "Insert");
}

std::optional<QColor> CColourListEditor::SystemColourDialog(QWidget* owner)
{
    const QColor colour = QColorDialog::getColor(Qt::white, owner);
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

void CColourListEditor::SetCurve(CColourData::Curve curve)
{
    m_curve->button(static_cast<int>(curve))->setChecked(true);
}

void CColourListEditor::SetColours(const UIntArray& colours)
{
    m_list->clear();
    ClearMarks();
    for (std::size_t i = 0; i + 2 < colours.size(); i += 3)
        AddLine(m_list->count(), colours[i], colours[i + 1], colours[i + 2]);
}

UIntArray CColourListEditor::Colours() const
{
    UIntArray colours;
    for (int row = 0; row < m_list->count(); ++row) {
        const UIntArray values = CColourData::ParseDisplayLine(m_list->item(row)->text().toStdString());
        colours.insert(colours.end(), values.begin(), values.end());
    }
    return colours;
}

void CColourListEditor::Redisplay()
{
    const int current = m_list->currentRow();
    const int start = m_start, end = m_end;
    SetColours(Colours());
    m_list->setCurrentRow(current);
    m_start = start;
    m_end = end;
}

void CColourListEditor::AddLine(int row, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    auto* item = new QListWidgetItem(QString::fromStdString(CColourData::FormatColour(r, g, b)));
    // Each line on its own colour, the text in the inverse so it stays legible.
    const QColor colour = ColourFromChannels(r, g, b);
    item->setBackground(colour);
    item->setForeground(QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue()));
    m_list->insertItem(row, item);
}

void CColourListEditor::Message(const char* key)
{
    m_prompts.message(m_owner, QString::fromStdString(GetLangText(key)), QMessageBox::Warning,
                      QMessageBox::Ok);
}

std::optional<std::array<std::uint32_t, 3>> CColourListEditor::LineColour(int row) const
{
    QListWidgetItem* item = m_list->item(row);
    if (!item)
        return std::nullopt;
    UIntArray values = CColourData::ParseDisplayLine(item->text().toStdString());
    if (values.size() < 3)
        return std::nullopt;
    return std::array<std::uint32_t, 3>{values[0], values[1], values[2]};
}

void CColourListEditor::OnAddColour()
{
    if (auto colour = m_chooseColour())
        AddLine(m_list->count(), colour->red(), colour->green(), colour->blue());
}

void CColourListEditor::OnInsertColour()
{
    const int row = m_list->currentRow();
    if (row < 0) {
        Message("PAGE2_ONBUTTON3_PSAK");
        return;
    }
    if (auto colour = m_chooseColour()) {
        AddLine(row, colour->red(), colour->green(), colour->blue());
        ClearMarks();
    }
}

void CColourListEditor::OnRemoveColour()
{
    const int row = m_list->currentRow();
    if (row < 0) {
        Message("PAGE2_ONBUTTON2_NTST");
        return;
    }
    delete m_list->takeItem(row);
    ClearMarks();
}

void CColourListEditor::OnRemoveAll()
{
    m_list->clear();
    ClearMarks();
}

void CColourListEditor::OnMark(bool start)
{
    const int row = m_list->currentRow();
    if (row < 0) {
        Message("PAGE2_ONBUTTON8_NTST");
        return;
    }
    (start ? m_start : m_end) = row;
}

void CColourListEditor::OnDeleteRange()
{
    if (m_start < 0 || m_end < 0)
        return;
    const int first = std::min(m_start, m_end);
    const int last = std::min(std::max(m_start, m_end), m_list->count() - 1);
    for (int row = last; row >= first; --row)
        delete m_list->takeItem(row);
    ClearMarks();
}

void CColourListEditor::OnAddGradient()
{
    auto start = m_start >= 0 ? LineColour(m_start) : std::nullopt;
    auto end = m_end >= 0 ? LineColour(m_end) : std::nullopt;
    if (!start || !end) {
        Message("PAGE2_ONBUTTON4_PSAKO");
        return;
    }
    const int count = m_count->value();
    if (count < 1) {
        Message("PAGE2_ONBUTTON4_PSTC");
        return;
    }
    int row = m_list->count();
    if (m_insert->isChecked()) {
        if (m_list->currentRow() < 0) {
            Message("PAGE2_ONBUTTON3_PSAK");
            return;
        }
        row = m_list->currentRow();
    }
    const auto curve = static_cast<CColourData::Curve>(m_curve->checkedId());
    const UIntArray values = CColourData::MakeGradient(start->data(), end->data(), count, curve);
    for (std::size_t i = 0; i + 2 < values.size(); i += 3)
        AddLine(row++, values[i], values[i + 1], values[i + 2]);
    // Rows behind an insertion moved; the marks would point at other colours.
    if (m_insert->isChecked())
        ClearMarks();
}

} // namespace lumaro::gui
