#include "gui/app/MenuLayout.h"

#include "gui/app/CommandIds.h"

namespace lumaro::gui {

namespace {

using K = MenuEntry::Kind;

MenuEntry Item(int id, const char* key, const char* text)
{
    return {K::Item, id, key, text, {}};
}
MenuEntry Popup(const char* key, const char* text, std::vector<MenuEntry> entries)
{
    return {K::Popup, 0, key, text, std::move(entries)};
}
MenuEntry Sep()
{
    return {};
}

// Items that several menus share, with their one key and English text.
MenuEntry FileOpen()
{
    return Item(cmd::FileOpen, "ID_FILE_OPEN", "Open(&O)...\tCtrl+O");
}
MenuEntry FileSave()
{
    return Item(cmd::FileSave, "ID_FILE_SAVE", "Save(&S)\tCtrl+S");
}
MenuEntry FileSaveAs()
{
    return Item(cmd::FileSaveAs, "ID_FILE_SAVE_AS", "Save As(&A)...");
}
MenuEntry FileClose()
{
    return Item(cmd::FileClose, "ID_FILE_CLOSE", "Close(&C)");
}
MenuEntry FilePrint()
{
    return Item(cmd::FilePrint, "ID_FILE_PRINT", "Print(&P)...\tCtrl+P");
}
MenuEntry FilePreview()
{
    return Item(cmd::FilePrintPreview, "ID_FILE_PRINT_PREVIEW", "Print Preview(&V)");
}
MenuEntry FilePrintSetup()
{
    return Item(cmd::FilePrintSetup, "ID_FILE_PRINT_SETUP", "Print Setup(&R)...");
}
MenuEntry FileMru()
{
    return Item(cmd::FileMruFile1, "ID_FILE_MRU_FILE1", "Recent Files");
}
MenuEntry AppExit()
{
    return Item(cmd::AppExit, "ID_APP_EXIT", "Exit(&X)");
}
MenuEntry FileNew()
{
    return Item(cmd::FileNew, "ID_FILE_NEW", "New(&N)\tCtrl+N");
}
MenuEntry ViewToolbar()
{
    return Item(cmd::ViewToolbar, "ID_VIEW_TOOLBAR", "Main Tool Bar(&T)");
}
MenuEntry ViewStatus()
{
    return Item(cmd::ViewStatusBar, "ID_VIEW_STATUS_BAR", "Status Bar(&S)");
}
MenuEntry HelpAboutVc()
{
    return Item(cmd::HelpContents, "ID_HELP_ABOUT_VC", "Using Lumaro 4.0(Chinese)");
}
MenuEntry HelpWebSite()
{
    return Item(cmd::HelpWebSite, "ID_HELP_WEBSITE", "Norvale Web Site");
}
MenuEntry AppAbout()
{
    return Item(cmd::AppAbout, "ID_APP_ABOUT", "About Lumaro 4.0(&A)...");
}
MenuEntry HelpWhatsNew()
{
    return Item(cmd::HelpWhatsNew, "ID_HELP_WHATSNEW", "What's New");
}

MenuEntry WindowMenu()
{
    return Popup("ID_WINDOW", "Window(&W)",
                 {Item(cmd::WindowNew, "ID_WINDOW_NEW", "New Window(&N)"),
                  Item(cmd::WindowCascade, "ID_WINDOW_CASCADE", "Cascade(&C)"),
                  Item(cmd::WindowTileHorz, "ID_WINDOW_TILE_HORZ", "Tile(&T)"),
                  Item(cmd::WindowArrange, "ID_WINDOW_ARRANGE", "Arrange Icon(&A)")});
}

MenuLayout MainMenu()
{
    return {
        menuid::Main,
        false,
        {Popup("ID_FILE", "File(&F)",
               {Item(cmd::NewImageDocumentMain, "ID_NEW_LED", "New(&N)"), FileOpen(), Sep(), FilePrintSetup(),
                Sep(), FileMru(), Sep(), AppExit()}),
         Popup("ID_VIEW", "View(&V)", {ViewToolbar(), ViewStatus()}),
         Popup("ID_HELP", "Help(&H)", {HelpAboutVc(), HelpWebSite(), Sep(), AppAbout(), HelpWhatsNew()})}};
}

MenuLayout LayoutMenu()
{
    return {
        menuid::Layout,
        true,
        {Popup("ID_FILE", "File(&F)",
               {Item(cmd::NewEmptyLayout, "ID_OPENEDIT", "New(&N)\tCtrl+N"),
                Item(cmd::UseWizard, "ID_FILE_WIZARD", "Use Wizard\tCtrl+W"), FileOpen(),
                Item(cmd::OpenImage, "ID_OPEN_IMAGE", "Open Image(&I)\tCtrl+I"),
                Item(cmd::OpenEmptyLayout, "ID_OPENEDITL", "Open empty lam"), Sep(), FileSave(), FileSaveAs(),
                FileClose(), Sep(), FilePrint(), FilePreview(), FilePrintSetup(), Sep(), FileMru(), Sep(),
                AppExit()}),
         Popup(
             "ID_EDIT", "Edit(&E)",
             {Popup("ID_EDIT_SETV", "Set Value",
                    {Item(cmd::PickBackColour, "ID_SCAN_BACK", "Back Color(&B)\tCtrl+B"),
                     Item(cmd::ScanScope, "ID_SCAN_SCOPE", "Scan Scope(&R)\tCtrl+R"),
                     Item(cmd::OtherValue, "ID_SCAN_SETOTHER", "Other Value(&Q)\tCtrl+Q")}),
              Item(cmd::Scan, "ID_EDIT_SCAN", "Scan(&E)\tCtrl+E"),
              Popup("ID_EDIT_ZOOMIO", "Zoom In/Out",
                    {Item(cmd::Zoom4, "ID_EFFECT1", "4(&1)\tCtrl+4"), Item(cmd::Zoom8, "ID_EFFECT2", "8(&2)"),
                     Item(cmd::Zoom12, "ID_EFFECT3", "12(&3)"), Item(cmd::Zoom16, "ID_EFFECT4", "16(&4)"),
                     Item(cmd::Zoom20, "ID_EFFECT5", "20(&5)"), Item(cmd::Zoom24, "ID_EFFECT6", "24(&6)"),
                     Item(cmd::Zoom28, "ID_EFFECT7", "28(&7)\tCtrl+7")}),
              Sep(), Item(cmd::InsertLamp, "ID_EDIT_INSERT", "Insert Lamp(&I)\tCtrl+I"),
              Item(cmd::DeleteLamp, "ID_EDIT_DELETE", "Delete Lamp(&D)\tCtrl+D"), Sep(),
              Item(cmd::PortEdit, "ID_CPORT_EDIT", "CportEdit(&C)\tCtrl+C"),
              Item(cmd::PortTableOut, "ID_CPORT_OUT", "CportOut"), Sep(),
              Item(cmd::TransferData, "ID_EDIT_PLAMP", "Transfer Data(&F)\tCtrl+F"),
              Item(cmd::ParallelPlay, "ID_OUT_LIST", "Parataxis demo"),
              // Appended, so no pop-up position above moves.
              Sep(), Item(cmd::EditUndo, "ID_EDIT_UNDO", "Undo(&U)\tCtrl+Z"),
              Item(cmd::EditRedo, "ID_EDIT_REDO", "Redo(&R)\tCtrl+Shift+Z")}),
         Popup(
             "ID_VIEW", "View(&V)",
             {ViewToolbar(), ViewStatus(), Item(cmd::ShowGrid, "ID_EDIT_GRIDDING", "Show Grid(&G)"),
              Item(cmd::ShowWiring, "ID_SHOW_WIRING", "Show Wiring"), Sep(),
              Popup("ID_VIEW_LANGUAGE", "Language",
                    {Item(cmd::ViewLanEng, "ID_VIEW_LAN_ENG", "English"),
                     Item(cmd::ViewLanChs, "ID_VIEW_LAN_CHS", "简体中文"),
                     Item(cmd::ViewLanCts, "ID_VIEW_LAN_CTS", "繁體中文"),
                     Item(cmd::ViewLanFrench, nullptr, "French"), Item(cmd::ViewLanGerman, nullptr, "German"),
                     Item(cmd::ViewLanItaly, nullptr, "Italy")})}),
         Popup("ID_WINDOW", "Window(&W)",
               {Item(cmd::SwitchWindow, "ID_CHANGEWIN", "Switch Window(&W)\tCtrl+W")}),
         Popup("ID_HELP", "Help(&H)", {HelpAboutVc(), HelpWebSite(), Sep(), AppAbout(), HelpWhatsNew()})}};
}

MenuLayout DemoMenu()
{
    return {menuid::Demo,
            true,
            {Popup("ID_FILE", "File(&F)",
                   {FileNew(), FileOpen(), FileClose(), FileSave(), FileSaveAs(), Sep(),
                    Item(cmd::ExportPreview, "ID_EXPORT_PREVIEW", "Export Preview..."), Sep(), FilePrint(),
                    FilePreview(), FilePrintSetup(), Sep(), FileMru(), Sep(), AppExit()}),
             Popup("ID_EDIT", "Edit(&E)",
                   {Item(cmd::DemoScale, "ID_EDIT_SIZE", "Demo Scale"),
                    Popup("ID_EDIT_DEMOSHAPE", "Demo Shape",
                          {Item(cmd::DemoRect, "ID_DEMO_RECT", "Rectangle"),
                           Item(cmd::DemoCircle, "ID_DEMO_Circle", "Circle")}),
                    Item(cmd::OpenBackImage, "ID_EDITBACKIMAGE", "Open BackImage"),
                    Item(cmd::BmpAdjustBig, "ID_EDIT_WIDE", "Bmp AdjustBig"),
                    Item(cmd::BmpAdjustSmall, "ID_EDIT_THIN", "Bmp AdjustSmall"),
                    Item(cmd::WidenBmp, "ID_ADDBMP", "Widen Bmp"),
                    Item(cmd::MinishBmp, "ID_REDUCEBMP", "Minish Bmp"),
                    Item(cmd::MoveBmp, "ID_MOVEBMP", "Move Bmp"), Sep(),
                    Item(cmd::SavePlacement, "ID_SAVE_CODE", "Save BmpParameter"),
                    Item(cmd::LoadPlacement, "ID_OPEN_CODE", "Input BmpParameter"), Sep(),
                    Item(cmd::StartDemo, "ID_EDITDO", "Start Demo"),
                    Item(cmd::ControllerPlay, "ID_DEMO_CONTROLLER_PLAY", "Controller Play")}),
             Popup("ID_VIEW", "View(&V)", {ViewToolbar(), ViewStatus()}), WindowMenu(),
             Popup("ID_HELP", "Help(&H)", {HelpWebSite(), Sep(), AppAbout(), HelpWhatsNew()})}};
}

MenuLayout ModeTestMenu()
{
    return {
        menuid::ModeTest,
        true,
        {Popup(
             "ID_FILE", "File(&F)",
             {FileNew(), FileOpen(), FileSave(), FileSaveAs(), FileClose(), Sep(),
              Popup("ID_FILE_EXPORT", "Export",
                    {Item(cmd::CreateBinFile, "ID_OUT_TEXT4", "Create Bin File"),
                     Item(cmd::WriteToController, "ID_OUT_TEXT5", "Write To Controller"), Sep(),
                     Item(cmd::OutputTables, "ID_OUT_TEXT", "Producing Data file"),
                     Item(cmd::OutputGroupTables, "ID_OUT_CSTGRP", "Producing the file named by CSTGRP.H"),
                     Item(cmd::OutputGetterSource, "ID_OUT_GETPTN", "Producing the file named by GETPTN.C")}),
              Sep(), FilePrint(), FilePreview(), FilePrintSetup(), Sep(), FileMru(), Sep(), AppExit()}),
         Popup("ID_EDIT", "Edit(&E)",
               {Item(cmd::ZoomDialog, "ID_LARGEN3", "Zoom In/Out(&W)\tCtrl+W"),
                Item(cmd::LayerEdit, "ID_ADDLAMPIMG", "Layer Edit(&L)\tCtrl+L"),
                Item(cmd::EditMode, "ID_PAGESHOW", "Edit Mode(&E)\tCtrl+E"),
                Item(cmd::CreateData, "ID_EDIT_CHANGE", "Creat Data(&D)\tCtrl+D")}),
         Popup("ID_PLAY", "Play(&O)",
               {Item(cmd::PartialPlay, "ID_OUT_LIST3", "Partial Play(&Q)\tCtrl+Q"),
                Item(cmd::ParallelPlay, "ID_OUT_LIST", "Parallel Play(&F)\tCtrl+F"),
                Item(cmd::SequentialPlay, "ID_OUT_LIST2", "Sequencial Play(&G)\tCtrl+G")}),
         Popup("ID_VIEW", "View(&V)", {ViewToolbar(), ViewStatus()}), WindowMenu(),
         Popup("ID_HELP", "Help(&H)", {HelpAboutVc(), HelpWebSite(), Sep(), AppAbout(), HelpWhatsNew()})}};
}

} // namespace

const MenuLayout* FindMenuLayout(int id)
{
    static const MenuLayout layouts[] = {MainMenu(), LayoutMenu(), DemoMenu(), ModeTestMenu()};
    for (const MenuLayout& layout : layouts) {
        if (layout.id == id)
            return &layout;
    }
    return nullptr;
}

} // namespace lumaro::gui
