#pragma once

namespace lumaro::downloadtext {

// The download dialogs show these fixed English texts in plain message boxes,
// not texts from the language files; the controller's users know them by
// these words, trailing blanks included.
inline constexpr const char* kLinkOk = "Link OK!";
inline constexpr const char* kLinkFailed = "Link Failed!";
inline constexpr const char* kSceneLinkOk = "Link ok!";
inline constexpr const char* kSelectFile = "Please Select a file for Downloading!";
inline constexpr const char* kReadFileError = "Read File Error!";
inline constexpr const char* kSyncTimeout = "SendSRate TimeOut!  ";
inline constexpr const char* kSetRateFailed = "SetRate Failed!";
inline constexpr const char* kEraseTimeout = "EraserWholeChip TimeOut!  ";
inline constexpr const char* kEraseFailed = "Erase Whole Chip Failed!";
inline constexpr const char* kFileDataTimeout = "Send FileData TimeOut!  ";
inline constexpr const char* kFileEof = "FileEOF";
inline constexpr const char* kSendDataSuccess = "Send Data Success!";
inline constexpr const char* kSceneDownloadSuccess = "Download Success!";
inline constexpr const char* kStatusTimeout = "Set Status Enable TimeOut!  ";
inline constexpr const char* kClockTimeout = "Set Clock Enable TimeOut!  ";
inline constexpr const char* kSetBitFailed = "Set Bit Failed!";
inline constexpr const char* kConfigTimeout = "SetConfig TimeOut!  ";
inline constexpr const char* kSetBitSuccess = "Set Bit Success!";

} // namespace lumaro::downloadtext
