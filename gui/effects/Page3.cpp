#include "gui/effects/Page3.h"

#include "core/effects/ModeParameters.h"

#include "core/app/LangText.h"
#include "core/effects/ModeCatalogue.h"
#include "core/effects/ModeEditState.h"
#include "core/effects/ModeEditorFlow.h"
#include "core/effects/ModeListEdit.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/CirAreaDlg.h"
#include "gui/effects/ModePreview.h"
#include "gui/preview/ModeTestState.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lumaro::gui {

CPage3::CPage3(const CModePageContext& context, QWidget* parent)
    : CModeEditorPage(context, "ModeList", parent)
{
    auto label = [this](const char* text, int id) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        SetControlId(l, id);
        return l;
    };
    QLabel* modesLabel = label("Mode List", ModeListLabelId);
    QLabel* typesLabel = label("Mode Group List", TypeListLabelId);
    QLabel* previewLabel = label("Mode Preview", PreviewLabelId);

    m_modes = new QListWidget(this);
    SetControlId(m_modes, ModeListId);
    m_modes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_types = new QListWidget(this);
    SetControlId(m_types, TypeListId);
    for (std::string_view type : CatalogueTypes())
        m_types->addItem(QString::fromLatin1(type.data(), qsizetype(type.size())));
    m_description = new QPlainTextEdit(this);
    SetControlId(m_description, DescriptionId);
    m_description->setReadOnly(true);
    m_description->setMaximumHeight(80);
    m_preview = new CModePreview(this);
    SetControlId(m_preview, PreviewId);
    m_preview->setMinimumSize(200, 150);

    struct ButtonDef {
        int id;
        const char* text;
        const char* tip; // nullptr: none
        void (CPage3::*run)();
    };
    // The tooltips follow the buttons' order; Confirm has none.
    const ButtonDef defs[] = {
        {AddId, "&Add", "IDD109_m_p3tip1", &CPage3::OnAdd},
        {InsertId, "&Insert", "IDD109_m_p3tip2", &CPage3::OnInsert},
        {DeleteId, "&Delete", "IDD109_m_p3tip3", &CPage3::OnDelete},
        {EditId, "&Edit", "IDD109_m_p3tip4", &CPage3::OnEdit},
        {CopyId, "&Copy Mode", "IDD109_m_p3tip5", &CPage3::OnCopy},
        {PasteId, "&Paste Mode", "IDD109_m_p3tip6", &CPage3::OnPaste},
        {StartModeId, "&Start Mode", "IDD109_m_p3tip7", nullptr},
        {EndModeId, "End &Mode", "IDD109_m_p3tip8", nullptr},
        {ConfirmId, "Con&firm", nullptr, nullptr},
    };
    auto* buttons = new QVBoxLayout;
    for (const ButtonDef& def : defs) {
        QPushButton* button = MakeControlButton(this, def.id, def.text);
        if (def.tip)
            SetLangToolTip(button, def.tip);
        if (def.run)
            connect(button, &QPushButton::clicked, this, def.run);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    connect(Button(StartModeId), &QPushButton::clicked, this, [this] { OnPlayRange(true); });
    connect(Button(EndModeId), &QPushButton::clicked, this, [this] { OnPlayRange(false); });
    connect(Button(ConfirmId), &QPushButton::clicked, this,
            [this] { Q_EMIT PageRequested(CModeTestState::ProgramGroupPage); });

    auto* modes = new QVBoxLayout;
    modes->addWidget(modesLabel);
    modes->addWidget(m_modes, 1);
    auto* types = new QVBoxLayout;
    types->addWidget(typesLabel);
    types->addWidget(m_types, 1);
    types->addWidget(m_description);
    auto* preview = new QVBoxLayout;
    preview->addWidget(previewLabel);
    preview->addWidget(m_preview, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(modes, 1);
    layout->addLayout(buttons);
    layout->addLayout(types, 1);
    layout->addLayout(preview, 1);

    connect(m_types, &QListWidget::currentRowChanged, this, &CPage3::OnTypeSelected);
    connect(&m_context.document, &CLayoutDocument::Changed, this, &CPage3::OnChanged);

    SetDialogLangText(this, kDialogId);
    FillModeList();
}

CPage3::~CPage3()
{
    m_preview->Stop();
    delete m_circularArea.data();
}

QPushButton* CPage3::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

void CPage3::showEvent(QShowEvent* event)
{
    CModeEditorPage::showEvent(event);
    if (m_types->currentRow() >= 0 && !m_preview->Running())
        OnTypeSelected();
}

void CPage3::hideEvent(QHideEvent* event)
{
    m_preview->Stop();
    CModeEditorPage::hideEvent(event);
}

void CPage3::FillModeList()
{
    const std::vector<std::size_t> selected = Selected();
    m_modes->clear();
    for (const CModeItem& mode : m_context.document.Data().modes)
        m_modes->addItem(QString::fromStdString(mode.name));
    for (std::size_t row : selected)
        if (QListWidgetItem* item = m_modes->item(int(row)))
            item->setSelected(true);
}

void CPage3::OnChanged(Aspects what)
{
    if (what & Aspect::Modes)
        FillModeList();
}

void CPage3::changeEvent(QEvent* event)
{
    CModeEditorPage::changeEvent(event);
    const int row = m_types->currentRow();
    if (event->type() == QEvent::LanguageChange && row >= 0 && row < int(CatalogueTypes().size()))
        m_description->setPlainText(QString::fromStdString(
            GetLangText(ModeInfoKey(std::string(CatalogueTypes()[std::size_t(row)])))));
}

void CPage3::OnTypeSelected()
{
    const int row = m_types->currentRow();
    if (row < 0 || row >= int(CatalogueTypes().size()))
        return;
    const std::string type(CatalogueTypes()[std::size_t(row)]);
    m_description->setPlainText(QString::fromStdString(GetLangText(ModeInfoKey(type))));
    // A hidden page plays nothing; showing it starts the preview again.
    if (isVisible())
        m_preview->Start(type);
}

std::vector<std::size_t> CPage3::Selected() const
{
    std::vector<std::size_t> rows;
    for (const QModelIndex& index : m_modes->selectionModel()->selectedIndexes())
        rows.push_back(std::size_t(index.row()));
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::optional<std::size_t> CPage3::LastSelected() const
{
    return CModeListEdit::LastSelected(m_context.document.Data(), Selected());
}

void CPage3::Message(const char* key)
{
    m_context.prompts.message(this, QString::fromStdString(GetLangText(key)), QMessageBox::Warning,
                              QMessageBox::Ok);
}

std::string CPage3::SelectedType(const char* noneKey)
{
    const int row = m_types->currentRow();
    if (row < 0 || row >= int(CatalogueTypes().size())) {
        Message(noneKey);
        return {};
    }
    return std::string(CatalogueTypes()[std::size_t(row)]);
}

void CPage3::BeginRecord(const std::string& type, Begun why, int selected)
{
    CModeItem record = CModeEditorFlow::NewRecord(type, m_context.document.Data());
    if (IsCircularAreaMode(type)) {
        OpenCircularArea(record, why, selected);
        return;
    }
    CModeEditState& edit = m_context.edit;
    edit.Begin(std::move(record),
               why == Begun::Inserting ? CModeEditState::Action::Inserting : CModeEditState::Action::Adding);
    edit.selectedIndex = selected;
    edit.customModePending = type == kCustomModeType;
    Q_EMIT PageRequested(CModeTestState::ColourListPage);
}

void CPage3::OpenCircularArea(const CModeItem& record, Begun why, int selected)
{
    delete m_circularArea.data();
    auto* dialog = new CCirAreaDlg(m_context.prompts, this);
    m_circularArea = dialog;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
    // The centre is shown in the view's pixels at the zoom of the moment,
    // the radius in lamp cells.
    const int zoom = std::max(m_context.modeTest.Zoom(), 1);
    dialog->SetValues(record.circleX * zoom, record.circleY * zoom, record.circleRadius,
                      QString::fromStdString(record.innerType));
    dialog->SetShownZoom(zoom);
    // The view answers the centre pick through the mode test state.
    connect(FindControlButton(dialog, CCirAreaDlg::CentrePickId), &QPushButton::clicked, this, [this] {
        m_context.modeTest.ChangePickRequests([](auto& picks) { picks.circleCentre = true; });
    });
    connect(&m_context.modeTest, &CModeTestState::CircleCentrePicked, dialog, [this, dialog](QPoint centre) {
        // Picked at the view's zoom now, shown in the dialog's.
        const int now = std::max(m_context.modeTest.Zoom(), 1);
        const int shown = dialog->ShownZoom();
        dialog->SetPickedCentre(int(CModeParameters::CellOf(centre.x(), now) * shown),
                                int(CModeParameters::CellOf(centre.y(), now) * shown));
    });
    connect(dialog, &QDialog::finished, this, [this, dialog, record, why, selected] {
        m_context.edit.circularAreaPending = false;
        m_context.modeTest.ChangePickRequests([](auto& picks) { picks.circleCentre = false; });
        if (dialog->Done())
            OnCircularAreaChosen(*dialog, record, why, selected);
        else
            Q_EMIT PageRequested(CModeTestState::ModeListPage);
    });
    m_context.edit.circularAreaPending = true;
    dialog->show();
    Q_EMIT PickRequested();
}

void CPage3::OnCircularAreaChosen(const CCirAreaDlg& dialog, CModeItem record, Begun why, int selected)
{
    // The cell under the centre, by the rule of the view's picking.
    const int zoom = std::max(dialog.ShownZoom(), 1);
    record.innerType = dialog.InnerType().toStdString();
    record.circleX = static_cast<std::int32_t>(CModeParameters::CellOf(dialog.CentreX(), zoom));
    record.circleY = static_cast<std::int32_t>(CModeParameters::CellOf(dialog.CentreY(), zoom));
    record.circleRadius = dialog.Radius();
    const CModeEditState::Action action = why == Begun::Editing     ? CModeEditState::Action::Editing
                                          : why == Begun::Inserting ? CModeEditState::Action::Inserting
                                                                    : CModeEditState::Action::Adding;
    m_context.edit.Begin(std::move(record), action);
    m_context.edit.selectedIndex = selected;
    m_context.edit.customModePending = false;
    Q_EMIT PageRequested(CModeTestState::ColourListPage);
}

bool CPage3::EditModes(const QString& text, const std::function<Status(CEditImgDoc&)>& change)
{
    return EditOrTell(text, Aspect::Modes | Aspect::ProgramGroups, change);
}

void CPage3::OnAdd()
{
    const std::string type = SelectedType("PAGE3_ONBUTTON1_PSAT");
    if (type.empty()) {
        Q_EMIT PageRequested(CModeTestState::ModeListPage);
        return;
    }
    BeginRecord(type, Begun::Adding, -1);
}

void CPage3::OnInsert()
{
    // An empty list takes the new mode as its first; otherwise it goes behind the selection.
    const std::optional<std::size_t> after = LastSelected();
    if (m_types->currentRow() < 0 || (!after && !m_context.document.Data().modes.empty())) {
        Message(CModeListEdit::kInsertNothingKey);
        return;
    }
    BeginRecord(SelectedType(CModeListEdit::kInsertNothingKey), Begun::Inserting, after ? int(*after) : -1);
}

void CPage3::OnDelete()
{
    const std::vector<std::size_t> selected = Selected();
    if (!EditModes(QStringLiteral("Delete Mode"),
                   [&](CEditImgDoc& data) { return CModeListEdit::Delete(data, selected); }))
        return;
    // The sheet moves the edit's mode number with the list.
    m_modes->clearSelection();
}

void CPage3::OnEdit()
{
    const std::optional<std::size_t> index = LastSelected();
    if (!index) {
        Message("PAGE3_ONBUTTON4_PSAK");
        return;
    }
    const CModeItem& mode = m_context.document.Data().modes[*index];
    if (IsCircularAreaMode(mode.type)) {
        OpenCircularArea(mode, Begun::Editing, int(*index));
        return;
    }
    CModeEditState& edit = m_context.edit;
    edit.Begin(mode, CModeEditState::Action::Editing);
    edit.selectedIndex = int(*index);
    edit.customModePending = false;
    Q_EMIT PageRequested(CModeTestState::ParameterPage);
}

void CPage3::OnCopy()
{
    Result<CModeItem> copy = CModeListEdit::Copy(m_context.document.Data(), Selected());
    if (!copy) {
        Message(CModeListEdit::kCopyNothingKey);
        Q_EMIT PageRequested(CModeTestState::ModeListPage);
        return;
    }
    m_context.edit.copied = copy.value();
}

void CPage3::OnPaste()
{
    const std::vector<std::size_t> selected = Selected();
    std::size_t pasted = 0;
    if (!EditModes(QStringLiteral("Paste Mode"), [&](CEditImgDoc& data) {
            Result<std::size_t> at = CModeListEdit::Paste(data, selected, m_context.edit.copied);
            if (at)
                pasted = at.value();
            return at.status();
        }))
        return;
    m_modes->clearSelection();
    m_modes->setCurrentRow(int(pasted));
}

void CPage3::OnPlayRange(bool first)
{
    const std::vector<std::size_t> selected = Selected();
    if (selected.empty()) {
        Message(first ? "PAGE3_ONBUTTON6_PSAK" : "PAGE3_ONBUTTON7_PSAK");
        return;
    }
    // The play range; a play command hands it over.
    CModeTestState& state = m_context.modeTest;
    if (first)
        state.SetSelectedModes(int(selected.front()), state.LastSelectedMode());
    else
        state.SetSelectedModes(state.FirstSelectedMode(), int(selected.back()));
}

} // namespace lumaro::gui
