#pragma once
// Which string of the language table goes to which control. The windows walk
// this table after every load and set each named control's property; the
// controls carry the names below as their objectName.
#include <array>
#include <cstdint>
#include <string_view>

namespace tovix {

enum class StringTarget : std::uint8_t {
  kCaption,  // visible text of a label, button, check box, group box, window
  kHint,     // tool tip
  kFilter,   // file-type filter of a picture open dialog, "Name|pattern|..." form
};

enum class StringWindow : std::uint8_t {
  kMain,     // MainWindow and its pages
  kToolbar,  // Toolbar
};

struct StringMapEntry {
  int number;                // 1..400 in the language table
  std::string_view control;  // objectName of the control
  StringTarget target;
  StringWindow window;
};

// objectName of the main window itself (its caption is string 53).
inline constexpr std::string_view kMainWindowName = "Form1";

// Numbers 47..51 and 53..96 except 68 and 84 go into the main window, with
// the build's own captions. The toolbar
// buttons carry the hints of the main window's page labels they stand for,
// and SpeedButton7 (close) the end-of-run string.
inline constexpr auto kStringMap = std::to_array<StringMapEntry>({
    {47, "FullSize", StringTarget::kCaption, StringWindow::kMain},
    {48, "Scale", StringTarget::kCaption, StringWindow::kMain},
    {49, "Rescale", StringTarget::kCaption, StringWindow::kMain},
    {50, "bmpCenter", StringTarget::kCaption, StringWindow::kMain},
    {51, "Kacheln", StringTarget::kCaption, StringWindow::kMain},
    {53, kMainWindowName, StringTarget::kCaption, StringWindow::kMain},
    {54, "SpeedButton7", StringTarget::kCaption, StringWindow::kMain},
    {54, "SpeedButton14", StringTarget::kCaption, StringWindow::kMain},
    {55, "SpeedButton9", StringTarget::kCaption, StringWindow::kMain},
    {56, "Label13", StringTarget::kCaption, StringWindow::kMain},
    {57, "Label12", StringTarget::kCaption, StringWindow::kMain},
    {58, "Label11", StringTarget::kCaption, StringWindow::kMain},
    {59, "Label10", StringTarget::kCaption, StringWindow::kMain},
    {60, "SpeedButton12", StringTarget::kCaption, StringWindow::kMain},
    {61, "btn5", StringTarget::kCaption, StringWindow::kMain},
    {62, "SpeedButton13", StringTarget::kCaption, StringWindow::kMain},
    {63, "StaticText1", StringTarget::kCaption, StringWindow::kMain},
    {64, "Panel1", StringTarget::kCaption, StringWindow::kMain},
    {64, "Label9", StringTarget::kCaption, StringWindow::kMain},
    {65, "GroupBox1", StringTarget::kCaption, StringWindow::kMain},
    {185, "CheckBox2", StringTarget::kCaption, StringWindow::kMain},
    {66, "CheckBox3", StringTarget::kCaption, StringWindow::kMain},
    {67, "CheckBox4", StringTarget::kCaption, StringWindow::kMain},
    // The master switch's own words: 68 repeats the title of GroupBox1.
    {343, "Recode", StringTarget::kCaption, StringWindow::kMain},
    {69, "GroupBox2", StringTarget::kCaption, StringWindow::kMain},
    {70, "RadioGroup1", StringTarget::kCaption, StringWindow::kMain},
    {71, "CheckBox7", StringTarget::kCaption, StringWindow::kMain},
    {72, "Label6", StringTarget::kCaption, StringWindow::kMain},
    {73, "GroupBox3", StringTarget::kCaption, StringWindow::kMain},
    {74, "SaveTag", StringTarget::kCaption, StringWindow::kMain},
    {75, "CreateTag", StringTarget::kCaption, StringWindow::kMain},
    {76, "Convert2Blank", StringTarget::kCaption, StringWindow::kMain},
    {77, "NiceWords", StringTarget::kCaption, StringWindow::kMain},
    {161, "ID3v2Tags", StringTarget::kCaption, StringWindow::kMain},
    {78, "SpeedButton17", StringTarget::kCaption, StringWindow::kMain},
    {79, "Label15", StringTarget::kCaption, StringWindow::kMain},
    {80, "GetBitmapname", StringTarget::kFilter, StringWindow::kMain},
    {81, "replaceBin", StringTarget::kCaption, StringWindow::kMain},
    {82, "TxtErstellen", StringTarget::kCaption, StringWindow::kMain},
    {83, "Save2JPEG", StringTarget::kCaption, StringWindow::kMain},
    {85, "Label1", StringTarget::kHint, StringWindow::kMain},
    {86, "Label2", StringTarget::kHint, StringWindow::kMain},
    {87, "Label3", StringTarget::kHint, StringWindow::kMain},
    {88, "Label4", StringTarget::kHint, StringWindow::kMain},
    {89, "Label5", StringTarget::kHint, StringWindow::kMain},
    {90, "Label8", StringTarget::kHint, StringWindow::kMain},
    {91, "SpeedButton16", StringTarget::kHint, StringWindow::kMain},
    {92, "SpeedButton16", StringTarget::kCaption, StringWindow::kMain},
    {93, "Label14", StringTarget::kHint, StringWindow::kMain},
    {94, "Image1", StringTarget::kHint, StringWindow::kMain},
    {95, "Artist", StringTarget::kHint, StringWindow::kMain},
    {95, "Title", StringTarget::kHint, StringWindow::kMain},
    {95, "Laufzeit", StringTarget::kHint, StringWindow::kMain},
    {95, "Tech", StringTarget::kHint, StringWindow::kMain},
    {95, "Encoder", StringTarget::kHint, StringWindow::kMain},
    {96, "Label7", StringTarget::kCaption, StringWindow::kMain},
    // The toolbar's page buttons repeat the hints of the page labels.
    {85, "SpeedButton1", StringTarget::kHint, StringWindow::kToolbar},
    {86, "SpeedButton2", StringTarget::kHint, StringWindow::kToolbar},
    {87, "SpeedButton3", StringTarget::kHint, StringWindow::kToolbar},
    {88, "SpeedButton4", StringTarget::kHint, StringWindow::kToolbar},
    {90, "SpeedButton5", StringTarget::kHint, StringWindow::kToolbar},
    {93, "SpeedButton6", StringTarget::kHint, StringWindow::kToolbar},
    {37, "SpeedButton7", StringTarget::kHint, StringWindow::kToolbar},
});

// The toolbar button and the main-window label whose hint it copies.
struct ToolbarHintCopy {
  std::string_view toolbarButton;
  std::string_view mainLabel;
};

inline constexpr std::array<ToolbarHintCopy, 6> kToolbarHintCopies{{
    {"SpeedButton1", "Label1"},
    {"SpeedButton2", "Label2"},
    {"SpeedButton3", "Label3"},
    {"SpeedButton4", "Label4"},
    {"SpeedButton5", "Label8"},
    {"SpeedButton6", "Label14"},
}};

}  // namespace tovix
