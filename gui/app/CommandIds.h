#pragma once

// Command ids as the menus, tool bars, accelerators and dialog bars send
// them. They are part of the program's data (menu layouts, language keys)
// and must keep their values.
namespace lumaro::gui::cmd {

// Framework commands
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileClose = 57602;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FilePrintSetup = 57606;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int FileMruFile1 = 57616;
inline constexpr int FileMruLast = 57631; // the framework reserves 16 entries
inline constexpr int WindowNew = 57648;
inline constexpr int WindowArrange = 57649;
inline constexpr int WindowCascade = 57650;
inline constexpr int WindowTileHorz = 57651;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int ViewToolbar = 59392;
inline constexpr int ViewStatusBar = 59393;

// Application
inline constexpr int NewImageDocument = 32806;
inline constexpr int NewText = 32807;
inline constexpr int NewImageDocumentMain = 32831;

// Main frame
inline constexpr int ViewLanEng = 32916;
inline constexpr int ViewLanChs = 32917;
inline constexpr int ViewLanCts = 32918;
inline constexpr int ViewLanFrench = 31759;
inline constexpr int ViewLanGerman = 31761;
inline constexpr int ViewLanItaly = 31762;
inline constexpr int HelpContents = 32819;
inline constexpr int HelpWebSite = 32901;
inline constexpr int HelpWhatsNew = 31760;
inline constexpr int UseWizard = 31763;
inline constexpr int TransferData = 32828;
inline constexpr int CreateBinFile = 32843;
inline constexpr int WriteToController = 32844;

// Lamp layout view (menu 130, context menu 105, tool bar 194)
inline constexpr int OpenImage = 32771;
inline constexpr int SwitchWindow = 32772;
inline constexpr int PickBackColour = 32774;
inline constexpr int ScanScope = 32775;
inline constexpr int OtherValue = 32776;
inline constexpr int Scan = 32792;
inline constexpr int Zoom4 = 32794;
inline constexpr int Zoom8 = 32795;
inline constexpr int Zoom12 = 32796;
inline constexpr int Zoom16 = 32797;
inline constexpr int InsertLamp = 32798;
inline constexpr int DeleteLamp = 32799;
inline constexpr int Zoom20 = 32802;
inline constexpr int Zoom24 = 32803;
inline constexpr int Zoom28 = 32804;
inline constexpr int ShowGrid = 32805;
inline constexpr int ShowLampToolBar = 32820;
inline constexpr int PortEdit = 32847;
inline constexpr int PortTableOut = 32848;
inline constexpr int NewEmptyLayout = 32862;
inline constexpr int ZoomInTool = 32871;
inline constexpr int ZoomOutTool = 32872;
inline constexpr int PanTool = 32873;
inline constexpr int PointerTool = 32874;
inline constexpr int ShowCoordinatesBar = 32876;
inline constexpr int ShowWiring = 32877;
inline constexpr int OpenEmptyLayout = 32926;
inline constexpr int ParallelPlay = 31778; // also the layout view's "Parataxis demo"

// Demo view (menu 131)
inline constexpr int WidenBmp = 32851;
inline constexpr int MinishBmp = 32852;
inline constexpr int MoveBmp = 32853;
inline constexpr int DemoScale = 32855;
inline constexpr int OpenBackImage = 32856;
inline constexpr int BmpAdjustBig = 32857;
inline constexpr int BmpAdjustSmall = 32858;
inline constexpr int SavePlacement = 32859;
inline constexpr int LoadPlacement = 32860;
inline constexpr int StartDemo = 32861;
inline constexpr int DemoStop = 32895;
inline constexpr int DemoCircle = 32898;
inline constexpr int DemoRect = 32899;
inline constexpr int ExportPreview = 32950;
inline constexpr int ControllerPlay = 32951;
// Program groups 0 to 31 of the demo's context menu: the first six ids are
// out of order.
constexpr int ProgramGroup(int group)
{
    constexpr int kFirstSix[] = {32909, 32903, 32905, 32906, 32907, 32908};
    return group < 6 ? kFirstSix[group] : 32904 + group;
}

// Mode test view (menu 169)
inline constexpr int ZoomDialog = 31776;
inline constexpr int LayerEdit = 32863;
inline constexpr int EditMode = 31771;
inline constexpr int CreateData = 31772;
inline constexpr int PartialPlay = 31783;
inline constexpr int SequentialPlay = 31780;
// The document's firmware text outputs.
inline constexpr int OutputTables = 31779;
inline constexpr int OutputGroupTables = 31781;
inline constexpr int OutputGetterSource = 31782;
inline constexpr int HelpUsing = 32832; // "Using explication": the help file at its contents

// Coordinates bar (dialog 103): its buttons send their control ids as commands.
inline constexpr int CoordPort1 = 1330; // Port 1 .. Port12 are 1330..1341
inline constexpr int CoordAdd = 1342;
inline constexpr int CoordDelete = 1343;
inline constexpr int CoordInsert = 1344;

} // namespace lumaro::gui::cmd
