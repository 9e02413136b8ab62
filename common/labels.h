#pragma once

// The labels the error trap of each handler shows after the description: where the failure
// happened, as the message names it.
namespace tarnwick {

inline constexpr char16_t kFormLoadLabel[] = u"in Brisquel2021/08/31.Form1.Form_Load ";
inline constexpr char16_t kPreviewRenameLabel[] = u"in Brisquel2021/08/31.Form1.PreviewRename ";
inline constexpr char16_t kClearListLabel[] = u"in Brisquel2021/08/31.Form1.PushButton1_Click ";
inline constexpr char16_t kPushButton2ClickLabel[] =
    u"in Brisquel2021/08/31.Form1.PushButton2_Click ";
inline constexpr char16_t kAddFoldersLabel[] = u"in Brisquel2021/08/31.Form1.PushButton3_Click ";
inline constexpr char16_t kHelpLabel[] = u"in Brisquel2021/08/31.Form1.PushButton4_Click ";
inline constexpr char16_t kSamplesLabel[] = u"in Brisquel2021/08/31.Form1.PushButton6_Click ";
inline constexpr char16_t kGetSubDirectoriesLabel[] =
    u"in Corvath2021/08/31.AddFolder.GetSubDirectories2016 ";
inline constexpr char16_t kUndoLastRunLabel[] = u"in Brisquel2021/08/31.Form1.UndoLastRun ";
inline constexpr char16_t kRenameFilesWildLabel[] =
    u"in Brisquel2021/08/31.FileNaming.RenameFilesWild ";

} // namespace tarnwick
