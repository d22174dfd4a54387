#include "gui/effects/ColorListDlg.h"

#include "picture/ColourRef.h"

#include "core/app/LangText.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace lumaro::gui {

CColorListDlg::CColorListDlg(const UIntArray& colours, CPrompts& prompts, QWidget* parent)
    : QDialog(parent), m_prompts(prompts)
{
    setWindowTitle(QStringLiteral("Color List"));
    chooseColour = [](QWidget* owner) -> std::optional<QColor> {
        QColor colour = QColorDialog::getColor(Qt::white, owner);
        if (!colour.isValid())
            return std::nullopt;
        return colour;
    };

    m_list = new QListWidget(this);
    SetControlId(m_list, ListId);
    // The lines are read back by character position, so they must line up.
    m_list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_list->setMinimumWidth(190);
    for (std::size_t i = 0; i + 2 < colours.size(); i += 3)
        AddLine(m_list->count(), colours[i], colours[i + 1], colours[i + 2]);

    auto* buttons = new QVBoxLayout;
    struct ButtonDef {
        int id;
        const char* text;
        void (CColorListDlg::*handler)();
    };
    const ButtonDef buttonDefs[] = {
        {AddColourId, "Add a &color ", &CColorListDlg::OnAddColour},
        {InsertColourId, "&Insert a color", &CColorListDlg::OnInsertColour},
        {RemoveColourId, "&Remove a color", &CColorListDlg::OnRemoveColour},
        {RemoveAllId, "Remove A&ll", &CColorListDlg::OnRemoveAll},
    };
    for (const ButtonDef& def : buttonDefs) {
        QPushButton* button = MakeControlButton(this, def.id, def.text);
        connect(button, &QPushButton::clicked, this, def.handler);
        buttons->addWidget(button);
    }

    auto* gradient = new QGroupBox(this);
    auto* gradientLayout = new QGridLayout(gradient);
    QPushButton* start = MakeControlButton(gradient, StartColourId, "&Select Start Color");
    connect(start, &QPushButton::clicked, this, [this] { OnMark(true); });
    QPushButton* end = MakeControlButton(gradient, EndColourId, "Select &End Color");
    connect(end, &QPushButton::clicked, this, [this] { OnMark(false); });
    QPushButton* remove = MakeControlButton(gradient, DeleteRangeId, "&Delete Color");
    connect(remove, &QPushButton::clicked, this, &CColorListDlg::OnDeleteRange);
    QPushButton* addList = MakeControlButton(gradient, AddListId, "&Add a list");
    connect(addList, &QPushButton::clicked, this, &CColorListDlg::OnAddList);
    m_count = new QSpinBox(gradient);
    m_count->setRange(0, 9999);
    m_count->setValue(10);
    auto* sine = new QRadioButton(QStringLiteral("Change by si&n"), gradient);
    SetControlId(sine, SineId);
    auto* cosine = new QRadioButton(QStringLiteral("Change by &cos "), gradient);
    SetControlId(cosine, CosineId);
    sine->setChecked(true);
    m_curve = new QButtonGroup(this);
    m_curve->addButton(sine, static_cast<int>(CColourData::Curve::Sine));
    m_curve->addButton(cosine, static_cast<int>(CColourData::Curve::Cosine));
    m_insert = new QCheckBox(QStringLiteral("Insert"), gradient);
    SetControlId(m_insert, InsertCheckId);
    gradientLayout->addWidget(start, 0, 0, 1, 2);
    gradientLayout->addWidget(end, 1, 0, 1, 2);
    gradientLayout->addWidget(remove, 2, 0, 1, 2);
    gradientLayout->addWidget(m_count, 3, 0);
    gradientLayout->addWidget(m_insert, 3, 1);
    gradientLayout->addWidget(sine, 4, 0);
    gradientLayout->addWidget(cosine, 4, 1);
    gradientLayout->addWidget(addList, 5, 0, 1, 2);
    buttons->addWidget(gradient);
    buttons->addStretch();

    QPushButton* ok = MakeControlButton(this, OkId, "OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CColorListDlg::OnOk);
    QPushButton* cancel = MakeControlButton(this, CancelId, "Cancel");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* closing = new QHBoxLayout;
    closing->addWidget(ok);
    closing->addWidget(cancel);
    buttons->addLayout(closing);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    SetDialogLangText(this, kDialogId);
}

QPushButton* CColorListDlg::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

void CColorListDlg::SetCurve(CColourData::Curve curve)
{
    m_curve->button(static_cast<int>(curve))->setChecked(true);
}

void CColorListDlg::AddLine(int row, std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    auto* item = new QListWidgetItem(QString::fromStdString(CColourData::FormatColour(r, g, b)));
    // Each line on its own colour, the text in the inverse so it stays legible.
    const QColor colour = ColourFromChannels(r, g, b);
    item->setBackground(colour);
    item->setForeground(QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue()));
    m_list->insertItem(row, item);
}

void CColorListDlg::Message(const char* key)
{
    m_prompts.message(this, QString::fromStdString(GetLangText(key)), QMessageBox::Warning,
                      QMessageBox::Ok);
}

std::optional<std::array<std::uint32_t, 3>> CColorListDlg::LineColour(int row) const
{
    QListWidgetItem* item = m_list->item(row);
    if (!item)
        return std::nullopt;
    UIntArray values = CColourData::ParseDisplayLine(item->text().toStdString());
    if (values.size() < 3)
        return std::nullopt;
    return std::array<std::uint32_t, 3>{values[0], values[1], values[2]};
}

void CColorListDlg::OnAddColour()
{
    if (auto colour = chooseColour(this))
        AddLine(m_list->count(), colour->red(), colour->green(), colour->blue());
}

void CColorListDlg::OnInsertColour()
{
    const int row = m_list->currentRow();
    if (row < 0) {
        Message("PAGE2_ONBUTTON3_PSAK");
        return;
    }
    if (auto colour = chooseColour(this)) {
        AddLine(row, colour->red(), colour->green(), colour->blue());
        ClearMarks();
    }
}

void CColorListDlg::OnRemoveColour()
{
    const int row = m_list->currentRow();
    if (row < 0) {
        Message("PAGE2_ONBUTTON2_NTST");
        return;
    }
    delete m_list->takeItem(row);
    ClearMarks();
}

void CColorListDlg::OnRemoveAll()
{
    m_list->clear();
    ClearMarks();
}

void CColorListDlg::OnMark(bool start)
{
    const int row = m_list->currentRow();
    if (row < 0) {
        Message("PAGE2_ONBUTTON8_NTST");
        return;
    }
    (start ? m_start : m_end) = row;
}

void CColorListDlg::OnDeleteRange()
{
    if (m_start < 0 || m_end < 0)
        return;
    const int first = std::min(m_start, m_end);
    const int last = std::min(std::max(m_start, m_end), m_list->count() - 1);
    for (int row = last; row >= first; --row)
        delete m_list->takeItem(row);
    ClearMarks();
}

void CColorListDlg::OnAddList()
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

void CColorListDlg::OnOk()
{
    m_result.clear();
    for (int row = 0; row < m_list->count(); ++row) {
        const UIntArray values = CColourData::ParseDisplayLine(m_list->item(row)->text().toStdString());
        m_result.insert(m_result.end(), values.begin(), values.end());
    }
    accept();
}

} // namespace lumaro::gui
