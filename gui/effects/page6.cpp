#include "gui/effects/page6.h"

#include "core/app/LangText.h"
#include "core/effects/GroupListEdit.h"
#include "core/effects/ModeEditState.h"
#include "core/effects/ModeEditorFlow.h"
#include "gui/app/DialogLangText.h"
#include "gui/app/Prompts.h"
#include "gui/document/LayoutDocument.h"
#include "gui/preview/ModeTestState.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

namespace lumaro::gui {

namespace {

template <class T> T* FindControl(const QWidget* root, int id)
{
    for (T* control : root->findChildren<T*>())
        if (ControlIdOf(control) == id)
            return control;
    return nullptr;
}

} // namespace

Cpage6::Cpage6(const CModePageContext& context, QWidget* parent)
    : CModeEditorPage(context, "Mode Parameter", parent)
{
    auto label = [](QWidget* owner, const char* text, int id) {
        auto* l = new QLabel(QString::fromLatin1(text), owner);
        SetControlId(l, id);
        return l;
    };
    auto edit = [](QWidget* owner, int id) {
        auto* e = new QLineEdit(QStringLiteral("0"), owner);
        // Negative pixels are the core's to refuse, with the range it allows.
        e->setValidator(new QIntValidator(std::numeric_limits<std::int32_t>::min(),
                                          std::numeric_limits<std::int32_t>::max(), e));
        e->setMaximumWidth(80);
        SetControlId(e, id);
        return e;
    };

    m_currentMode = new QLineEdit(this);
    // The mode's name: the type's until the user names it.
    m_currentMode->setMaxLength(kNameLength);
    auto* top = new QHBoxLayout;
    QLabel* currentLabel = label(this, "&Current Mode:", CurrentModeId);
    currentLabel->setBuddy(m_currentMode);
    top->addWidget(currentLabel);
    top->addWidget(m_currentMode, 1);

    // Value edits with their headings, in the page's order.
    const struct {
        int edit;
        int heading;
        const char* text;
    } values[] = {
        {IntervalId, IntervalHeadingId, "*0.01sec."},
        {LoopId, LoopHeadingId, "degree "},
        {HoldTimeId, HoldTimeHeadingId, "*0.1sec."},
        {StepId, StepHeadingId, "columns"},
        {LayerId, LayerHeadingId, "0-50"},
        {WordStepId, WordStepHeadingId, "Step"},
    };
    auto* grid = new QGridLayout;
    int row = 0;
    for (const auto& v : values) {
        grid->addWidget(edit(this, v.edit), row, 0);
        grid->addWidget(label(this, v.text, v.heading), row++, 1);
    }
    m_wordColourMode = new QComboBox(this);
    SetControlId(m_wordColourMode, WordColourModeId);
    // Chase or fill: the suffixes of the catalogue's own text types.
    m_wordColourMode->addItems({QStringLiteral("GC"), QStringLiteral("GF")});
    SetLangToolTip(m_wordColourMode, "IDD112_m_p6tip6");
    grid->addWidget(m_wordColourMode, row, 0);
    grid->addWidget(label(this, "GC/GF", WordColourModeHeadingId), row, 1);

    struct ButtonDef {
        QWidget* owner;
        int id;
        const char* text;
        const char* tip;
    };
    auto* basic = new QGroupBox(QStringLiteral("Basic Scope"), this);
    SetControlId(basic, BasicScopeId);
    auto* extra = new QGroupBox(QStringLiteral("Supplementary Scope"), this);
    SetControlId(extra, ExtraScopeId);
    const ButtonDef buttons[] = {
        {this, StartId, "&Start", "IDD112_m_p6tip1"}, {basic, AreaId, "&Area", "IDD112_m_p6tip2"},
        {extra, AddLampId, "Add", "IDD112_m_p6tip3"}, {extra, DeleteLampId, "Delete", "IDD112_m_p6tip4"},
        {this, OkId, "&OK", "IDD112_m_p6tip5"},
    };
    for (const ButtonDef& def : buttons)
        SetLangToolTip(MakeControlButton(def.owner, def.id, def.text), def.tip);

    auto* start = new QHBoxLayout;
    start->addWidget(Button(StartId));
    start->addWidget(new QLabel(QStringLiteral("X"), this));
    start->addWidget(edit(this, StartXId));
    start->addWidget(new QLabel(QStringLiteral("Y"), this));
    start->addWidget(edit(this, StartYId));
    start->addStretch();

    auto* basicLayout = new QGridLayout(basic);
    basicLayout->addWidget(Button(AreaId), 0, 0, 2, 1);
    basicLayout->addWidget(label(basic, "Left-Top Point:", LeftTopLabelId), 0, 1);
    basicLayout->addWidget(edit(basic, AreaLeftId), 0, 2);
    basicLayout->addWidget(edit(basic, AreaTopId), 0, 3);
    basicLayout->addWidget(label(basic, "Right-Bottom Point:", RightBottomLabelId), 1, 1);
    basicLayout->addWidget(edit(basic, AreaRightId), 1, 2);
    basicLayout->addWidget(edit(basic, AreaBottomId), 1, 3);
    auto* extraLayout = new QHBoxLayout(extra);
    extraLayout->addWidget(Button(AddLampId));
    extraLayout->addWidget(Button(DeleteLampId));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addLayout(start);
    layout->addWidget(basic);
    layout->addWidget(extra);
    layout->addStretch();
    layout->addWidget(Button(OkId), 0, Qt::AlignRight);

    connect(m_wordColourMode, &QComboBox::currentIndexChanged, this, &Cpage6::ApplyFields);
    connect(Button(StartId), &QPushButton::clicked, this, [this] {
        m_context.modeTest.ChangePickRequests([](auto& picks) { picks.startPoint = true; });
        Q_EMIT PickRequested();
    });
    connect(Button(AreaId), &QPushButton::clicked, this, [this] {
        m_context.modeTest.ChangePickRequests([](auto& picks) { picks.rectangle = true; });
        Q_EMIT PickRequested();
    });
    connect(Button(AddLampId), &QPushButton::clicked, this, [this] { OnParameterPick(true); });
    connect(Button(DeleteLampId), &QPushButton::clicked, this, [this] { OnParameterPick(false); });
    connect(Button(OkId), &QPushButton::clicked, this, &Cpage6::OnOk);
    // A pick comes in the view's pixels at its zoom of the moment.
    connect(&m_context.modeTest, &CModeTestState::StartPointPicked, this, [this](QPoint point) {
        FollowZoom();
        SetValue(StartXId, point.x());
        SetValue(StartYId, point.y());
    });
    connect(&m_context.modeTest, &CModeTestState::AreaPicked, this, [this](QRect area) {
        FollowZoom();
        SetValue(AreaLeftId, area.left());
        SetValue(AreaTopId, area.top());
        SetValue(AreaRightId, area.right());
        SetValue(AreaBottomId, area.bottom());
    });

    SetDialogLangText(this, kDialogId);
    Load();
}

QPushButton* Cpage6::Button(int controlId) const
{
    return FindControlButton(this, controlId);
}

QLineEdit* Cpage6::Edit(int controlId) const
{
    return FindControl<QLineEdit>(this, controlId);
}

QLabel* Cpage6::Heading(int controlId) const
{
    return FindControl<QLabel>(this, controlId);
}

void Cpage6::SetValue(int controlId, int value)
{
    if (QLineEdit* e = Edit(controlId))
        e->setText(QString::number(value));
}

void Cpage6::Load()
{
    const CModeItem& record = m_context.edit.record;
    m_loadedSerial = m_context.edit.recordSerial;
    m_currentMode->setText(QString::fromStdString(record.name));
    m_fieldZoom = std::max(m_context.modeTest.Zoom(), 1);
    const CParameterValues v = CModeParameters::ValuesOf(record, m_fieldZoom);
    const std::pair<int, int> values[] = {
        {IntervalId, v.interval}, {LoopId, v.loop},           {HoldTimeId, v.holdTime},
        {StepId, v.step},         {LayerId, v.layer},         {WordStepId, v.wordStep},
        {StartXId, v.startX},     {StartYId, v.startY},       {AreaLeftId, v.areaLeft},
        {AreaTopId, v.areaTop},   {AreaRightId, v.areaRight}, {AreaBottomId, v.areaBottom},
    };
    for (const auto& [id, value] : values)
        SetValue(id, value);
    const QSignalBlocker quiet(m_wordColourMode);
    m_wordColourMode->setCurrentIndex(v.wordColourMode == 1 ? 1 : 0);
    ApplyFields();
}

void Cpage6::showEvent(QShowEvent* event)
{
    CModeEditorPage::showEvent(event);
    // Values typed or picked for this record stay; a new record brings its own.
    if (m_loadedSerial != m_context.edit.recordSerial) {
        Load();
        return;
    }
    if (!m_currentMode->isModified())
        m_currentMode->setText(QString::fromStdString(m_context.edit.record.name));
    FollowZoom();
}

void Cpage6::changeEvent(QEvent* event)
{
    CModeEditorPage::changeEvent(event);
    // The headings the record's type asks for, over the dialog's defaults.
    if (event->type() == QEvent::LanguageChange)
        ApplyFields();
}

void Cpage6::FollowZoom()
{
    // The fields show cells × the zoom they were filled at; a zoom changed
    // since (the view refits as the window is resized) shows the same cells.
    const int zoom = std::max(m_context.modeTest.Zoom(), 1);
    if (zoom == m_fieldZoom)
        return;
    const CParameterValues v = CModeParameters::Rezoomed(Values(), m_fieldZoom, zoom);
    m_fieldZoom = zoom;
    const std::pair<int, int> values[] = {{StartXId, v.startX},       {StartYId, v.startY},
                                          {AreaLeftId, v.areaLeft},   {AreaTopId, v.areaTop},
                                          {AreaRightId, v.areaRight}, {AreaBottomId, v.areaBottom}};
    for (const auto& [id, value] : values)
        SetValue(id, value);
}

void Cpage6::ApplyFields()
{
    CModeItem record = m_context.edit.record;
    record.wordColourMode = m_wordColourMode->currentIndex() == 1 ? 1 : 0;
    const CParameterFields f = CModeParameters::FieldsFor(record);
    const struct {
        int id;
        bool on;
    } edits[] = {
        {IntervalId, f.interval}, {LoopId, f.loop},         {HoldTimeId, f.holdTime},
        {StepId, f.step},         {LayerId, f.layer},       {WordStepId, f.wordStep},
        {StartXId, f.startPoint}, {StartYId, f.startPoint}, {AreaLeftId, f.area},
        {AreaTopId, f.area},      {AreaRightId, f.area},    {AreaBottomId, f.area},
    };
    for (const auto& e : edits)
        Edit(e.id)->setReadOnly(!e.on);
    m_wordColourMode->setEnabled(f.wordColourMode);
    Button(StartId)->setEnabled(f.startPoint);
    Button(AreaId)->setEnabled(f.area);
    Button(AddLampId)->setEnabled(f.extraLamps);
    Button(DeleteLampId)->setEnabled(f.extraLamps);

    const std::pair<int, const char*> headings[] = {
        {IntervalHeadingId, f.intervalHeading},
        {LoopHeadingId, f.loopHeading},
        {HoldTimeHeadingId, f.holdTimeHeading},
        {StepHeadingId, f.stepHeading},
        {LayerHeadingId, f.layerHeading},
        {WordStepHeadingId, f.wordStepHeading},
        {WordColourModeHeadingId, f.wordColourModeHeading},
    };
    for (const auto& [id, key] : headings)
        if (const std::string text = GetLangText(key); !text.empty())
            Heading(id)->setText(QString::fromStdString(text));
}

CParameterValues Cpage6::Values() const
{
    auto value = [this](int id) { return Edit(id)->text().toInt(); };
    CParameterValues v;
    v.interval = value(IntervalId);
    v.loop = value(LoopId);
    v.holdTime = value(HoldTimeId);
    v.step = value(StepId);
    v.layer = value(LayerId);
    v.wordStep = value(WordStepId);
    v.wordColourMode = m_wordColourMode->currentIndex() == 1 ? 1 : 0;
    v.startX = value(StartXId);
    v.startY = value(StartYId);
    v.areaLeft = value(AreaLeftId);
    v.areaTop = value(AreaTopId);
    v.areaRight = value(AreaRightId);
    v.areaBottom = value(AreaBottomId);
    return v;
}

UIntArray Cpage6::ParameterLamps() const
{
    // Until a pick starts for this record, the pick list may hold another mode's lamps.
    if (m_pickSerial != m_context.edit.recordSerial)
        return CModeParameters::ParameterLampList(m_context.edit.record.extraLamps);
    return m_context.document.Data().picks.parameterLamps;
}

void Cpage6::Warn(const Status& status)
{
    m_context.prompts.message(this, QString::fromStdString(GetLangText(status)), QMessageBox::Warning,
                              QMessageBox::Ok);
}

void Cpage6::OnParameterPick(bool add)
{
    if (m_pickSerial != m_context.edit.recordSerial) {
        // The view shows and changes the record's own supplementary lamps.
        const UIntArray lamps = ParameterLamps();
        m_context.document.Edit(QStringLiteral("Supplementary Scope"), Aspect::Picks,
                                [&lamps](CEditImgDoc& data) {
                                    data.picks.parameterLamps = lamps;
                                    return true;
                                });
        m_pickSerial = m_context.edit.recordSerial;
    }
    m_context.modeTest.ChangePickRequests([add](auto& picks) {
        picks.parameter = add ? CModeTestState::ParameterPick::Add : CModeTestState::ParameterPick::Remove;
    });
    Q_EMIT PickRequested();
}

void Cpage6::OnOk()
{
    CModeEditState& edit = m_context.edit;
    if (edit.action == CModeEditState::Action::None) {
        // Nothing is being made or changed: that starts on the mode list page.
        m_context.prompts.message(this, QString::fromStdString(GetLangText("PAGE3_ONBUTTON1_PSAT")),
                                  QMessageBox::Warning, QMessageBox::Ok);
        Q_EMIT PageRequested(CModeTestState::ModeListPage);
        return;
    }
    if (edit.action == CModeEditState::Action::Editing &&
        (edit.selectedIndex < 0 ||
         std::size_t(edit.selectedIndex) >= m_context.document.Data().modes.size())) {
        // Undone or deleted meanwhile: nothing to check the values against.
        Warn(Status::Fail(CModeEditorFlow::kEditedModeGoneKey));
        return;
    }
    CModeItem record = edit.record;
    const QString name = m_currentMode->text().trimmed();
    record.name = name.isEmpty() ? record.type : name.toStdString();
    // In the zoom the fields were filled at, not the view's of the moment.
    if (Status checked = CModeParameters::Store(Values(), ParameterLamps(), m_fieldZoom,
                                                m_context.document.Data(), record);
        !checked) {
        Warn(checked);
        return;
    }
    const OkOutcome outcome = edit.action == CModeEditState::Action::Editing     ? OkOutcome::Replace
                              : edit.action == CModeEditState::Action::Inserting ? OkOutcome::Insert
                                                                                 : OkOutcome::Append;
    // No selection: Insert appends (an empty list), Replace finds no mode.
    const std::size_t position =
        edit.selectedIndex >= 0 ? std::size_t(edit.selectedIndex) : std::numeric_limits<std::size_t>::max();
    Result<std::size_t> stored = Status::Fail(CModeEditorFlow::kEditedModeGoneKey);
    m_context.document.Edit(QStringLiteral("Mode Parameter"),
                            Aspect::Modes | Aspect::ProgramGroups | Aspect::Picks, [&](CEditImgDoc& data) {
                                stored = CModeEditorFlow::Store(data, record, outcome, position);
                                if (!stored)
                                    return false;
                                // The group list page starts from the lists this mode plays.
                                if (CGroupListEdit::KindOf(record) != UserList::None)
                                    CGroupListEdit::Show(data, record);
                                data.picks.parameterLamps = UIntArray{CPickLists::kNoLamp};
                                return true;
                            });
    if (!stored) {
        Warn(stored.status());
        return;
    }
    // A second OK changes the mode just stored rather than adding another.
    edit.record = record;
    m_currentMode->setText(QString::fromStdString(record.name));
    edit.action = CModeEditState::Action::Editing;
    edit.selectedIndex = int(stored.value());
    m_pickSerial = 0;
    Q_EMIT PageRequested(int(CModeEditorFlow::NextPageAfterOk(record)));
}

} // namespace lumaro::gui
