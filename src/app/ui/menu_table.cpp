#include "app/ui/menu_table.h"

#include "app/ui/close_commands.h"
#include "app/ui/convert_command.h"
#include "app/ui/print_command.h"
#include "app/ui/screen_text_commands.h"
#include "app/ui/undo_commands.h"
#include "display/ui/animate_commands.h"
#include "display/ui/display_menu_commands.h"
#include "display/ui/identify_command.h"
#include "display/ui/levels_command.h"
#include "display/ui/program_text_pane.h"
#include "display/ui/recolor_commands.h"
#include "display/ui/status_window_commands.h"
#include "display/ui/view_menu_commands.h"
#include "editing/ui/edit_mode_commands.h"
#include "editing/ui/modify_all_window_command.h"
#include "editing/ui/modify_portion_window_command.h"
#include "editing/ui/trim_commands.h"
#include "filters/ui/explode_arcs_command.h"
#include "filters/ui/fit_arcs_command.h"
#include "filters/ui/reverse_command.h"
#include "filters/ui/sift_command.h"
#include "input/ui/open_command.h"
#include "measure/ui/measure_command.h"
#include "model/ui/tool_definition_dialog.h"
#include "output/ui/save_nc_command.h"
#include "output/ui/save_tbf_apt_commands.h"
#include "ui/main_window.h"

namespace korvix::ui {
namespace {

// "&Levels" writes the displayed moves through Save NC, which lives above the display.
void levelsWithSaveNc(Tf& window) {
    Levels1Click(window, &Save1Click);
}

constexpr const char* kMain = "MainMenu1";
constexpr const char* kEdit = "MainMenu2";
constexpr const char* kPopup = "PopupMenu1";

// clang-format off
const MenuItem kItems[] = {
    // File
    {kMain, "", "File1", "&File", "", nullptr},
    {kMain, "File1", "Open1", "&Open", "Read a file into memory", &Open1Click},
    {kMain, "File1", "SaveAptfile1", "Save &Apt", "Store working file on disk in APT FILE FORMAT.", &SaveAptfile1Click},
    {kMain, "File1", "Save1", "&Save NC", "Store working file on disk in ISO G-code format.", &Save1Click},
    {kMain, "File1", "SaveTBFfile1", "Save &TBF", "Store working file on disk in DEDID BINARY FILE format.", &SaveTBFfile1Click},
    {kMain, "File1", "", "-", "", nullptr},
    {kMain, "File1", "Close1", "&Close", "Clear data from memory", nullptr},
    {kMain, "Close1", "CloseAll", "&All", "Clear ALL data from memory", &CloseAllClick},
    {kMain, "Close1", "CloseNc", "&Nc", "Clear NC toolpath data from memory", &CloseNcClick},
    {kMain, "File1", "", "-", "", nullptr},
    {kMain, "File1", "Convert1", "Co&nvert", "Reformat NC file(s) for another machine control", &Convert1Click},
    {kMain, "File1", "", "-", "", nullptr},
    {kMain, "File1", "Print1", "&Print", "Send current screen image to printer", &Printer1Click},
    {kMain, "File1", "", "-", "", nullptr},
    {kMain, "File1", "Exit1", "E&xit", "Quit this session of korvix", &Exit1Click},
    // Edit
    {kMain, "", "Edit2", "&Edit", "", nullptr},
    {kMain, "Edit2", "Undo1", "&Undo", "Take back the last change of the toolpath", &Undo1Click, Check::None, false},
    {kMain, "Edit2", "Redo1", "&Redo", "Make the change taken back again", &Redo1Click, Check::None, false},
    {kMain, "Edit2", "", "-", "", nullptr},
    {kMain, "Edit2", "ModifyAll1", "&Modify all", "Modify ALL toolpath data currently in memory", &ModifyAll1Click},
    {kMain, "Edit2", "Modifyportion1", "Modify &Portion", "Modify only a SELECTED PORTION of toolpath data in memory", &Modifyportion1Click},
    {kMain, "Edit2", "", "-", "", nullptr},
    {kMain, "Edit2", "Explodearcs1", "&Explode arcs", "Convert all arcs into point to point type moves", &Explodearcs1Click},
    {kMain, "Edit2", "Fitarcs1", "&Fit arcs", "Fit arcs through point to point data", &Fitarcs1Click},
    {kMain, "Edit2", "Optimizefeedrates1", "&Optimize feed rates", "Modify programmed feed rates for increased accuracy", nullptr, Check::None, false},
    {kMain, "Edit2", "Reversecutdirection1", "&Reverse cut direction", "Reverse direction of travel of entire tool path currently in memory", &Reversecutdirection1Click},
    {kMain, "Edit2", "Sift1", "&Sift points", "Remove unwanted points which fall inside a given tolerance", &Sift1Click},
    {kMain, "Edit2", "", "-", "", nullptr},
    {kMain, "Edit2", "Trim1", "&Trim", "", nullptr},
    {kMain, "Trim1", "DrawTrimBox", "&Draw box", "Trim geometry contained in box drawn with the mouse", &DrawTrimBoxClick},
    {kMain, "Trim1", "Drawpolygon1", "Draw p&olygon", "Trim geometry contained in user defined shape.", &TrimPolygonClick},
    {kMain, "Trim1", "", "-", "", nullptr},
    {kMain, "Trim1", "ShowTrimParameters", "&Parameters", "Show trimming parameter screen", &ShowTrimParametersClick},
    // Animate
    {kMain, "", "Animate1", "&Animate", "Simulate actual tool movement along data in memory", nullptr},
    {kMain, "Animate1", "aLL1", "&All", "Start tool simulation at the beginning of NC toolpath", &aLL1Click},
    {kMain, "Animate1", "Startingatpickedposiion1", "&Starting at picked position", "Start tool simulation at a user picked location.", &Startingatpickedposiion1Click},
    // Display
    {kMain, "", "Display1", "&Display", "", nullptr},
    {kMain, "Display1", "DisplayBLOCKInfoduringAnimation", "Display BLOCK information during animation", "", &DisplayBlockInfoDuringAnimationClick, Check::Checked, true, true},
    {kMain, "Display1", "DisplayPOINTSduringeditting1", "Display POINTS during editting", "", &DisplayPOINTSduringeditting1Click, Check::Checked, true, true},
    {kMain, "Display1", "DisplayNCData1", "Display NC toolpath", "", &DisplayNCdata1Click, Check::Checked},
    {kMain, "Display1", "DisplayNCStatusWindow1", "Display NC STATUS window", "", &DisplayNcSTATUSwindow1Click, Check::Unchecked},
    {kMain, "Display1", "DisplayPROGRAMtext1", "Display PROGRAM text", "Show the NC program beside the picture, linked to its moves", &DisplayProgramTextClick, Check::Unchecked, true, true},
    {kMain, "Display1", "DisplayRAPIDmoves", "Display RAPID moves", "", &DisplayRAPIDmovesClick, Check::Checked, true, true},
    {kMain, "Display1", "DisplayTETRAhead1", "Display DUDAZ head", "", &DisplayTETRAhead1Click, Check::Checked},
    {kMain, "Display1", "DisplayWIREdata1", "Display WIREFRAME", "", &DisplayWIREdata1Click, Check::Unchecked},
    {kMain, "Display1", "DisplayWIRESTATUSwindow1", "Display WIREFRAME STATUS window", "", &DisplayWIRESTATUSwindow1Click, Check::Unchecked},
    // Top-level commands
    {kMain, "", "Identify1", "&Identify", "Display information about a particular move", &Identify1Click},
    {kMain, "", "Levels1", "&Levels", "Display Z-levels one at a time", &levelsWithSaveNc},
    {kMain, "", "Measure1", "&Measure", "Make a simple measurement between selected geometry", &Measure1Click},
    // Options
    {kMain, "", "Options1", "&Options", "", nullptr},
    {kMain, "Options1", "FittoNCdata", "Fit screen to NC toolpath", "", &FittoNCdataClick, Check::Checked},
    {kMain, "Options1", "FittoWIREdata", "Fit screen to WIREFRAME", "", &FittoWIREdataClick, Check::Unchecked},
    {kMain, "Options1", "", "-", "", nullptr},
    {kMain, "Options1", "ReadLowerCaseWords1", "Read lower-case words", "Read g1x5 as G1X5 in the NC programs opened next", &ReadLowerCaseWordsClick, Check::Unchecked},
    {kMain, "Options1", "", "-", "", nullptr},
    {kMain, "Options1", "IdentifyNCdata1", "Identify NC toolpath", "", &IdentifyNCdata1Click, Check::Checked},
    {kMain, "Options1", "IdentifyWIREdata1", "Identify WIREFRAME", "", &IdentifyWIREdata1Click, Check::Unchecked},
    {kMain, "Options1", "", "-", "", nullptr},
    {kMain, "Options1", "ModifyCOLORSduringanimation1", "Modify COLORS during animation", "", &ModifyCOLORSduringanimation1Click, Check::Unchecked, true, true},
    {kMain, "Options1", "ModifyCOLORSbyFEEDrate1", "Modify COLORS by FEED rate", "", &ModifyCOLORSbyFEEDrate1Click},
    {kMain, "Options1", "ModifyCOLORSbyTOOLnumber1", "Modify COLORS by TOOL number", "", &ModifyCOLORSbyTOOLnumber1Click},
    {kMain, "Options1", "", "-", "", nullptr},
    {kMain, "Options1", "ToolDefinitions", "Tool definitions", "", &ToolDefinitionsClick},
    // Text
    {kMain, "", "Text1", "&Text", "", nullptr},
    {kMain, "Text1", "AddText1", "&Add", "Add a text string to the screen ", &AddTextClick1, Check::Unchecked},
    {kMain, "Text1", "Clear1", "&Clear", "Clear all text strings from screen", &Clear1Click},
    {kMain, "Text1", "Font1", "&Font", "Select which font to be used for text strings", &Font1Click},

    // The edit-mode menu
    {kEdit, "", "Exit2", "E&xit", "Exit edit mode and return to main menu", &Exit2Click},
    {kEdit, "", "Modify1", "&Modify", "Modify currently selected data", &Modify1Click},

    // The right-button popup menu
    {kPopup, "", "Dynamic1", "&Dynamic", "", nullptr},
    {kPopup, "Dynamic1", "DynamicPan", "&Pan", "", &DynamicPanClick, Check::None, true, true},
    {kPopup, "Dynamic1", "DynamicRotate", "&Rotate", "", &DynamicRotateClick, Check::None, true, true},
    {kPopup, "Dynamic1", "DynamicZoom", "&Zoom", "", &DynamicZoomClick, Check::None, true, true},
    {kPopup, "", "", "-", "", nullptr},
    {kPopup, "", "Fit1", "&Fit", "", &Fit1Click, Check::None, true, true},
    {kPopup, "", "Pan1", "&Pan", "", &Pan1Click, Check::None, true, true},
    {kPopup, "", "Redraw1", "&Redraw", "", &Redraw1Click, Check::None, true, true},
    {kPopup, "", "", "-", "", nullptr},
    {kPopup, "", "Views1", "&Views", "", nullptr},
    {kPopup, "Views1", "XY1", "&XY view", "", &XY1Click, Check::None, true, true},
    {kPopup, "Views1", "YZ1", "&YZ view", "", &YZ1Click, Check::None, true, true},
    {kPopup, "Views1", "XZ1", "X&Z view", "", &XZ1Click, Check::None, true, true},
    {kPopup, "Views1", "Iso1", "Isometric view &1", "", &Iso1Click, Check::None, true, true},
    {kPopup, "Views1", "ISO2", "Isometric view &2", "", &ISO2Click, Check::None, true, true},
    {kPopup, "Views1", "ISO3", "Isometric view &3", "", &ISO3Click, Check::None, true, true},
    {kPopup, "Views1", "ISO4", "Isometric view &4", "", &ISO4Click, Check::None, true, true},
    {kPopup, "", "", "-", "", nullptr},
    {kPopup, "", "Zoom1", "&Zoom", "", nullptr},
    {kPopup, "Zoom1", "Box2", "&Box", "", &Box2Click, Check::None, true, true},
    {kPopup, "Zoom1", "In1", "&In", "", &In1Click, Check::None, true, true},
    {kPopup, "Zoom1", "Out1", "&Out", "", &Out1Click, Check::None, true, true},
};
// clang-format on

} // namespace

std::span<const MenuItem> menuItems() {
    return kItems;
}

} // namespace korvix::ui
