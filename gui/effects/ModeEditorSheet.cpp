#include "gui/effects/ModeEditorSheet.h"

#include "core/app/LangText.h"
#include "core/effects/ModeListEdit.h"
#include "gui/document/LayoutDocument.h"
#include "gui/effects/ModeGrpEdt.h"
#include "gui/effects/Page2.h"
#include "gui/effects/Page3.h"
#include "gui/effects/Page4.h"
#include "gui/effects/Page5.h"
#include "gui/effects/page6.h"
#include "gui/preview/ModeTestState.h"

#include <QEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace lumaro::gui {

namespace {

// From the language file only: a missing key leaves the text empty, as
// everywhere else.
QString Text(const char* key)
{
    return QString::fromStdString(GetLangText(key));
}

} // namespace

CModeEditorSheet::CModeEditorSheet(CLayoutDocument& document, CPrompts& prompts, fs::path dataFolder,
                                   QWidget* parent)
    : QDialog(parent), m_document(document), m_knownModes(document.Data().modes),
      m_modeTest(CModeTestState::Of(document))
{
    setModal(false);
    const CModePageContext context{document, m_modeTest, m_edit, prompts, std::move(dataFolder)};
    m_tabs = new QTabWidget(this);
    // Made in the order the view has always made them.
    m_modeList = new CPage3(context);
    m_colourList = new CPage2(context);
    m_groupList = new CPage5(context);
    m_page4 = new CPage4(context, this);
    m_page4->hide();
    m_parameters = new Cpage6(context);
    m_programGroups = new CModeGrpEdt(document, prompts);
    for (CModeEditorPage* page :
         {static_cast<CModeEditorPage*>(m_modeList), static_cast<CModeEditorPage*>(m_colourList),
          static_cast<CModeEditorPage*>(m_groupList), static_cast<CModeEditorPage*>(m_parameters)})
        AddPage(page);
    m_tabs->addTab(m_programGroups, m_programGroups->windowTitle());

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    Relabel();

    connect(&m_modeTest, &CModeTestState::ReturnToPage, this, &CModeEditorSheet::ShowPage);
    connect(&document, &CLayoutDocument::Changed, this, [this](Aspects what) {
        if (what & Aspect::Modes)
            FollowModes();
    });
}

// Whatever changed the list (a page, an undo in the main window), the edit
// stays on its mode: an edited mode that is gone is not replaced by the one
// that came to stand there, and a new mode still goes where it was meant to.
void CModeEditorSheet::FollowModes()
{
    const std::vector<std::int32_t> renumbering =
        CModeListEdit::Renumbering(m_knownModes, m_document.Data().modes);
    m_knownModes = m_document.Data().modes;
    const bool inserting = m_edit.action == CModeEditState::Action::Inserting;
    m_edit.selectedIndex = CModeListEdit::Follow(renumbering, m_edit.selectedIndex, inserting);
}

CModeEditorSheet::~CModeEditorSheet()
{
    // The pages hold the edit state, a member: they go before it does.
    delete m_tabs;
    delete m_page4;
}

void CModeEditorSheet::AddPage(CModeEditorPage* page)
{
    m_tabs->addTab(page, page->windowTitle());
    connect(page, &CModeEditorPage::PageRequested, this, &CModeEditorSheet::ShowPage);
    connect(page, &CModeEditorPage::PickRequested, this, &CModeEditorSheet::HideForPick);
}

void CModeEditorSheet::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        Relabel();
}

void CModeEditorSheet::Relabel()
{
    setWindowTitle(Text("IDD_LED_MODE"));
    const std::array<const char*, 5> titles = {"IDD109_Title", "IDD108_Title", "IDD111_Title", "IDD112_Title",
                                               "IDD107_Title"};
    for (int tab = 0; tab < m_tabs->count() && tab < int(titles.size()); ++tab)
        m_tabs->setTabText(tab, Text(titles[std::size_t(tab)]));
}

void CModeEditorSheet::Open()
{
    Relabel();
    // Positions on the program group page are shown in the view's pixels.
    if (m_modeTest.Zoom() != m_programGroupZoom) {
        m_programGroupZoom = m_modeTest.Zoom();
        m_programGroups->SetZoom(m_programGroupZoom);
    }
    ShowPage(CModeTestState::ModeListPage);
}

void CModeEditorSheet::ShowPage(int page)
{
    if (page < 0 || page >= m_tabs->count())
        return;
    m_tabs->setCurrentIndex(page);
    show();
    raise();
    activateWindow();
}

// Hidden rather than minimised: a window manager that minimises a dialog
// together with the window it belongs to would hide the view to pick in.
void CModeEditorSheet::HideForPick()
{
    hide();
}

void CModeEditorSheet::End()
{
    done(QDialog::Accepted);
}

} // namespace lumaro::gui
