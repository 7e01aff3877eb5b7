// The configuration dialog's control ids: stable, so that the dialog's code and the tests
// that drive it from another process name the same control. No Windows header.
#pragma once

namespace velmora::dialog {

enum : int {
  IdOK = 1001,
  IdPages,
  IdLogo,
  IdKeyPage,
  IdJogPage,
  IdPopupPage,
  IdSystemPage,
  IdUseKey,
  IdUseJogDial,
  IdIgnoreInterval,
  IdCommandInterval,
  IdUsePopup,
  IdShowTime,
  IdFontSize,
  IdPopupPosition,
  IdFrameColor,
  IdFormColor,
  IdFontColor,
  IdSkinGroup,
  IdPreviewPanel,
  IdSkinDirectory,
  IdDirectoryRef,
  IdUseSendMessage,
  IdUseJpFont,
  IdID3AtCenter,
  IdUseRawInput,
  IdDisableSkin,
  IdDisableSkinRef,
  IdShowOnActiveMonitor,
  IdHideOverFullScreen,
  IdRepeatVolume,
  IdExcludedPrograms,
  IdShowTitle,
  IdShowOnTrackChange,
  IdWheelPage,
  IdWheelUse,
  IdWheelShift,
  IdWheelCtrl,
  IdWheelAlt,
  IdWheelWin,
  IdWheelAction,
  IdWheelOverTaskbar,
  IdWheelAccelerate,
  IdMorePage,
  IdMoreList,
  IdMoreHotKey,
  IdMoreConflict,
  IdMoreGesture,
  IdMoreClear,
  IdVolumeStep,
};

// One control per command on the Key and JogDial pages, and per skin (every command with
// a popup but Enable/Disable's second skin, which is IdDisableSkin) on the Popup page.
constexpr int HotKeyId(int command) {
  return 1100 + command;
}
constexpr int GestureId(int command) {
  return 1200 + command;
}
constexpr int SkinId(int command) {
  return 1300 + command;
}
constexpr int SkinRefId(int command) {
  return 1400 + command;
}
// The line under a hot-key box that says another program holds its combination.
constexpr int ConflictId(int command) {
  return 1500 + command;
}

}  // namespace velmora::dialog
