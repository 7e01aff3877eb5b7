// The stand-in player's window-message interface, written once for the player, the tests,
// the benchmarks and the demo: the player's own WM_COMMAND identifiers and WM_USER
// requests, and the private commands the tests drive the stand-in with.
#pragma once

namespace player_ids {

// WM_COMMAND, as the player has them.
constexpr unsigned kPrev = 40044, kPlay = 40045, kPause = 40046, kStop = 40047, kNext = 40048,
                   kOpen = 40029, kVolumeUp = 40058, kVolumeDown = 40059, kFileInfo = 40188,
                   kExit = 40001;
constexpr unsigned kStopFadeOut = 40147, kStopAfterCurrent = 40157, kForward5s = 40148,
                   kBack5s = 40144, kListStart = 40154, kListEnd = 40158, kJumpToFile = 40194,
                   kOpenLocation = 40185, kOpenFolder = 40187, kAlwaysOnTop = 40019,
                   kPlaylistWindow = 40040, kEqualiserWindow = 40036, kPreferences = 40012;

// WM_USER requests, the number in lParam.
constexpr long kRequestState = 104, kRequestPlayingTime = 105, kRequestSetVolume = 122,
               kRequestPosition = 125, kRequestShuffle = 250, kRequestRepeat = 251,
               kRequestSetShuffle = 252, kRequestSetRepeat = 253, kRequestSetRating = 639,
               kRequestRating = 640, kRequestTitle = 212, kRequestTitleW = 213,
               kRequestIniDirectory = 335;

// Private WM_COMMAND identifiers of the stand-in.
constexpr unsigned kConfigPlugin = 40900;     // + i: config of the i-th plugin loaded
constexpr unsigned kSortList = 40989;         // the playing entry sorted to the first place
constexpr unsigned kReportCpu = 40991;        // logs "cpu ms=N threads=T": CPU time, threads
constexpr unsigned kStreamTitle = 40992;      // the current entry's title changes, as a stream's
constexpr unsigned kFullScreenVideo = 40993;  // the player's own full-screen video (again: off)
constexpr unsigned kStall = 40994;            // lParam N: no pumping for N milliseconds
constexpr unsigned kReloadPlugins = 40995;    // quit, unload and load every plugin again
constexpr unsigned kReportResources = 40996;  // logs what the process holds
constexpr unsigned kReportFileInfo = 40997;   // logs the File-info dialog's place and font
constexpr unsigned kModalRelease = 40999;     // ends the nested loop of --modal-command

// The playlist's titles, in several scripts (Japanese, Cyrillic), and the songs a stream
// announces at the current entry's place (40992), one after another.
inline constexpr const wchar_t* kEntryTitles[] = {
    L"Aurora Lane - Glass Harbour",
    L"\x591C\x660E\x3051\x306E\x6E2F - \x785D\x5B50\x306E\x8239",  // 夜明けの港 - 硝子の船
    L"\x0421\x0435\x0432\x0435\x0440\x043D\x044B\x0439 \x0432\x0435\x0442\x0435\x0440 - "
    L"\x041C\x0430\x044F\x043A",  // Северный ветер - Маяк
    L"Kestrel Union - Salt Road",
};
inline constexpr const wchar_t* kStreamSongs[] = {
    L"Harbour Lights - Evening Tide",
    L"\x6D77\x8FBA\x306E\x6B4C - \x9752\x3044\x706F",  // 海辺の歌 - 青い灯
    L"\x0417\x0438\x043C\x043D\x0438\x0439 \x0441\x0430\x0434 - "
    L"\x041B\x0443\x043D\x0430",  // Зимний
                                  // сад -
                                  // Луна
};

}  // namespace player_ids
