#pragma once
// Control ids of the main dialog.
namespace ctl {
inline constexpr int kClose = 1;
inline constexpr int kRename = 1000;
inline constexpr int kThumbnails = 1001;
inline constexpr int kInfo = 1002;
inline constexpr int kData = 1003;
inline constexpr int kFirst = 1004;
inline constexpr int kBack = 1005;
inline constexpr int kNext = 1006;
inline constexpr int kLast = 1007;
inline constexpr int kRegister = 1008;
inline constexpr int kSave = 1009;
inline constexpr int kThemeEdit = 1011;
inline constexpr int kTitleEdit = 1012;
inline constexpr int kMemoEdit = 1013;
inline constexpr int kPreview = 1014;
inline constexpr int kPages = 1017;
inline constexpr int kJumpBack = 1018;
inline constexpr int kJumpForward = 1019;
inline constexpr int kTopPhoto = 1020;
inline constexpr int kBgColor = 1021;
inline constexpr int kTitleColor = 1022;
inline constexpr int kItemColor = 1023;
inline constexpr int kDataColor = 1024;
inline constexpr int kResetColors = 1025;
}  // namespace ctl
