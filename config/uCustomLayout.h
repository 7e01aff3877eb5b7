// The configuration dialog's layout: every control as a row of a table, in 96-dpi pixels,
// in window order (the tab order). The dialog's control factory builds from these rows.
// No Windows header.
#pragma once

#include <utility>

#include "config/uCustomIds.h"
#include "settings/uPlayerCommand.h"

namespace velmora::dialog {

enum class TKind {
  Page,
  Sheet,
  Check,
  HotKey,
  Combo,
  Edit,
  Button,
  Label,
  Group,
  Panel,
  Rule,
  Image,
  Note,  // a label in small print sized by the table, not fitted to its caption
  List
};

// One control of the layout: its id (0 for the labels, which no code and no test names),
// kind, parent (0: the form), geometry in the parent's client pixels, caption. Rows are
// given in window order, which is the tab order: within a parent, each label just before
// the control its accelerator focuses. A label with no size is sized to its caption; a
// negative left places its right edge at -left.
struct TRow {
  int Id;
  TKind Kind;
  int Parent;
  int Left, Top, Width, Height;
  const char* Caption;
};

inline constexpr TRow kFrame[] = {
    {IdOK, TKind::Button, 0, 360, 346, 65, 20, "&OK"},
    {IdPages, TKind::Page, 0, 2, 4, 423, 333, ""},
    {IdLogo, TKind::Image, 0, 2, 340, 214, 26, ""},
    {IdKeyPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&Key"},
    {IdJogPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&JogDial"},
    {IdPopupPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&Popup"},
    {IdSystemPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&System"},
    {IdWheelPage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&Wheel"},
    {IdMorePage, TKind::Sheet, IdPages, 0, 0, 0, 0, "&More keys"},
    {IdUseKey, TKind::Check, IdKeyPage, 3, 2, 230, 17, "&Use Key Operation (effective in restart)"},
    {IdUseJogDial, TKind::Check, IdJogPage, 3, 2, 246, 17,
     "&Use JogDial Operation (effective in restart)"},
};

// The Key and JogDial pages: the same commands, captions and places, in tab order.
struct TCommandRow {
  PlayerCommand Command;
  const char* Caption;
  int Left, Top;
};
inline constexpr TCommandRow kCommandRows[] = {
    {PlayerCommand::Play, "&Play", 3, 40},
    {PlayerCommand::Stop, "&Stop", 3, 80},
    {PlayerCommand::Pause, "P&ause", 3, 120},
    {PlayerCommand::Prev, "P&rev", 3, 160},
    {PlayerCommand::Next, "Nex&t", 3, 200},
    {PlayerCommand::Open, "Ope&n", 3, 240},
    {PlayerCommand::Enabled, "&Enable/Disable", 3, 280},
    {PlayerCommand::VolumeUp, "Volume &Up", 211, 40},
    {PlayerCommand::VolumeDown, "Volume &Down", 211, 80},
    {PlayerCommand::ID3, "Show/Hide &File info", 211, 120},
    {PlayerCommand::Winamp, "Show/Hide Wina&mp", 211, 160},
    {PlayerCommand::NowPlaying, "N&ow Playing", 211, 200},
};

inline constexpr TRow kJogTimes[] = {
    {0, TKind::Label, IdJogPage, 211, 226, 0, 0, "&Ignore Interval"},
    {IdIgnoreInterval, TKind::Edit, IdJogPage, 211, 240, 174, 20, ""},
    {0, TKind::Label, IdJogPage, 388, 248, 0, 0, "[ms]"},
    {0, TKind::Label, IdJogPage, 211, 266, 0, 0, "Next &Command Interval"},
    {IdCommandInterval, TKind::Edit, IdJogPage, 211, 280, 174, 20, ""},
    {0, TKind::Label, IdJogPage, 388, 288, 0, 0, "[ms]"},
};

inline constexpr TRow kPopupPage[] = {
    {IdUsePopup, TKind::Check, IdPopupPage, 3, 2, 137, 17, "&Use Operation Popup"},
    {0, TKind::Label, IdPopupPage, 19, 30, 0, 0, "&Time"},
    {IdShowTime, TKind::Edit, IdPopupPage, 50, 22, 75, 20, ""},
    {0, TKind::Label, IdPopupPage, 127, 32, 0, 0, "[ms]"},
    {0, TKind::Label, IdPopupPage, 1, 53, 0, 0, "FontSi&ze"},
    {IdFontSize, TKind::Edit, IdPopupPage, 50, 46, 75, 20, ""},
    {0, TKind::Label, IdPopupPage, 127, 54, 0, 0, "[point]"},
    {IdPopupPosition, TKind::Button, IdPopupPage, 2, 71, 159, 20, "Popup Positio&n..."},
    {IdFrameColor, TKind::Button, IdPopupPage, 345, 22, 65, 20, "Fra&meColor"},
    {IdFormColor, TKind::Button, IdPopupPage, 345, 47, 65, 20, "&FormColor"},
    {IdFontColor, TKind::Button, IdPopupPage, 345, 72, 65, 20, "FontCo&lor"},
    {IdSkinGroup, TKind::Group, IdPopupPage, 0, 96, 411, 207, "S&kins"},
    {IdPreviewPanel, TKind::Panel, IdPopupPage, 166, 22, 175, 70, ""},
    {0, TKind::Label, IdSkinGroup, 8, 22, 0, 0, "D&irectory specification"},
    {IdSkinDirectory, TKind::Edit, IdSkinGroup, 128, 16, 238, 20, ""},
    {IdDirectoryRef, TKind::Button, IdSkinGroup, 370, 16, 35, 20, "Ref..."},
    {0, TKind::Label, IdSkinGroup, 8, 49, 0, 0, "Individual specification"},
    {0, TKind::Rule, IdSkinGroup, 1, 56, 409, 2, ""},
};

// The ten skin rows, in tab order: an edit 99 x 20, its "Ref..." 4 pixels to the right,
// the label right-aligned against the edit's left edge and 7 pixels below its top.
struct TSkinRow {
  const char* Caption;
  int Command;  // -1: the Disabled popup's skin
  int Left, Top;
};
inline constexpr TSkinRow kSkinRows[] = {
    {"Pla&y", 1, 42, 68},         {"&Stop", 3, 42, 96},       {"P&ause", 2, 42, 124},
    {"P&rev", 0, 42, 152},        {"Ne&xt", 4, 42, 180},      {"&Open", 5, 267, 68},
    {"&Enable", 8, 267, 96},      {"Disa&ble", -1, 267, 124}, {"&VolumeUp", 6, 267, 152},
    {"Volume&Down", 7, 267, 180},
};

inline constexpr TRow kSystemPage[] = {
    {IdUseSendMessage, TKind::Check, IdSystemPage, 3, 2, 390, 17,
     "&Use SendMessage (high load but response is good; effective in restart)"},
    {IdUseJpFont, TKind::Check, IdSystemPage, 3, 26, 294, 17,
     "Use J&apanese Font (MS P Gothic) in File info Dialog"},
    {IdID3AtCenter, TKind::Check, IdSystemPage, 3, 50, 222, 17,
     "Show File &info Dialog at Screen Center"},
    {IdUseRawInput, TKind::Check, IdSystemPage, 3, 74, 390, 17,
     "Use &Raw Input instead of the Keyboard Hook (effective in restart)"},
    {IdShowOnActiveMonitor, TKind::Check, IdSystemPage, 3, 98, 390, 17,
     "Show popups on the &monitor of the window in front"},
    {IdHideOverFullScreen, TKind::Check, IdSystemPage, 3, 122, 390, 17,
     "&Hide popups over full-screen programs"},
    {IdRepeatVolume, TKind::Check, IdSystemPage, 3, 146, 390, 17,
     "&Repeat Volume Up/Down while the hot key is held"},
    {IdShowTitle, TKind::Check, IdSystemPage, 3, 170, 390, 17,
     "Show the &title of the track in the popup"},
    {0, TKind::Label, IdSystemPage, 3, 200, 409, 14,
     "Hot keys and gestures do nothing while these programs are in front (file names, "
     "separated by ;):"},
    {IdExcludedPrograms, TKind::Edit, IdSystemPage, 3, 230, 409, 20, ""},
    {0, TKind::Label, IdSystemPage, 3, 266, 0, 0, "Show the &new track:"},
    {IdShowOnTrackChange, TKind::Combo, IdSystemPage, 130, 262, 282, 20, ""},
};
// The track-change popup's modes, in the order of their values, after "Show the new track:".
inline constexpr const char* kTrackChoices[] = {"never", "when the player is not in front",
                                                "always"};

inline constexpr TRow kWheelPage[] = {
    {IdWheelUse, TKind::Check, IdWheelPage, 3, 2, 390, 17, "&Use the mouse wheel"},
    {0, TKind::Label, IdWheelPage, 19, 32, 0, 0, "While these keys are held:"},
    {IdWheelShift, TKind::Check, IdWheelPage, 19, 50, 80, 17, "S&hift"},
    {IdWheelCtrl, TKind::Check, IdWheelPage, 104, 50, 80, 17, "&Ctrl"},
    {IdWheelAlt, TKind::Check, IdWheelPage, 189, 50, 80, 17, "&Alt"},
    {IdWheelWin, TKind::Check, IdWheelPage, 274, 50, 80, 17, "W&in"},
    {0, TKind::Label, IdWheelPage, 19, 84, 0, 0, "Turning it &changes:"},
    {IdWheelAction, TKind::Combo, IdWheelPage, 150, 80, 240, 20, ""},
    {IdWheelOverTaskbar, TKind::Check, IdWheelPage, 19, 112, 390, 17,
     "Also over the task &bar without keys"},
    {IdWheelAccelerate, TKind::Check, IdWheelPage, 19, 136, 390, 17, "&Faster when turned fast"},
};
// The wheel's actions, in the order of their values.
inline constexpr const char* kWheelChoices[] = {"the volume", "the position, 5 s a step",
                                                "the track"};
// The modifier boxes and the bit of the chord each stands for.
inline constexpr std::pair<int, int> kWheelKeys[] = {
    {IdWheelShift, 1}, {IdWheelCtrl, 2}, {IdWheelAlt, 4}, {IdWheelWin, 8}};

// The commands beyond the Key page's: their list, and the box and gesture list that edit
// the selected row; the volume step.
inline constexpr TRow kMorePage[] = {
    {IdMoreList, TKind::List, IdMorePage, 3, 4, 409, 178, ""},
    {0, TKind::Label, IdMorePage, 3, 190, 0, 0, "Hot &key"},
    {IdMoreHotKey, TKind::HotKey, IdMorePage, 3, 204, 200, 18, ""},
    {IdMoreConflict, TKind::Note, IdMorePage, 3, 222, 200, 10, ""},
    {0, TKind::Label, IdMorePage, 211, 190, 0, 0, "&Gesture"},
    {IdMoreGesture, TKind::Combo, IdMorePage, 211, 204, 130, 20, ""},
    {IdMoreClear, TKind::Button, IdMorePage, 347, 204, 65, 20, "C&lear"},
    {0, TKind::Label, IdMorePage, 3, 246, 0, 0,
     "&Volume Up/Down step in percent (0: the player's own)"},
    {IdVolumeStep, TKind::Edit, IdMorePage, 3, 262, 75, 20, ""},
};

// The pages' width at 96 dpi (the page control's less its frame, as TCM_ADJUSTRECT gives
// it): their inner edge before the page control has a window.
inline constexpr int kSheetWidth = 415;

inline constexpr char kConflictText[] = "Another program holds this combination";

}  // namespace velmora::dialog
