#pragma once

// The labels the error trap of each handler shows after the description: where the failure
// happened, as the message names it.
namespace tarnwick {

inline constexpr char16_t kFormLoadLabel[] = u"in Brisquel2021/08/31.Form1.Form_Load ";
enum class LoadStep {
    Skin = 100,
    Caption = 102,
    Icon = 104,
    ApplicationTitle = 106,
    HandPointer = 108,
    HomePage = 110,
    Columns = 112,
    FirstColumnWidth = 114,
    SecondColumnWidth = 116,
    // One step an operation, two apart.
    FirstOperation = 118,
    ChooseOperation = 126,
};
inline constexpr char16_t kPreviewRenameLabel[] = u"in Brisquel2021/08/31.Form1.PreviewRename ";
enum class PreviewStep {
    MatchOperation = 102,
    WriteNewNames = 104,
};
inline constexpr char16_t kClearListLabel[] = u"in Brisquel2021/08/31.Form1.PushButton1_Click ";
enum class ClearStep {
    RemoveAll = 100,
    Preview = 102,
};
inline constexpr char16_t kPushButton2ClickLabel[] =
    u"in Brisquel2021/08/31.Form1.PushButton2_Click ";
enum class RunStep {
    CheckList = 100,
    CheckPreviewed = 102,
    Begin = 104,
    PumpBeforeRename = 106,
    ReadPath = 108,
    ReadNewPath = 110,
    CheckRow = 112,
    Rename = 114,
    RenamesDone = 116,
    FollowPaths = 118,
    PumpBeforeFollow = 120,
    ReadRow = 122,
    MarkRow = 124,
    WritePath = 126,
    PathsFollowed = 128,
    ClearNewNames = 130,
    PumpBeforeClear = 132,
    ClearNewName = 134,
    Done = 136,
    PreviewFirst = 138,
    NoFilesAdded = 140,
};
inline constexpr char16_t kAddFoldersLabel[] = u"in Brisquel2021/08/31.Form1.PushButton3_Click ";
enum class AddStep {
    Start = 100,
    Browse = 102,
    CheckChosen = 104,
    Hourglass = 106,
    TakeChosen = 108,
    WalkSubfolders = 110,
    TakeFound = 112,
    KeyByDepth = 114,
    Sort = 116,
    AppendRows = 118,
    Arrow = 120,
    Preview = 122,
};
inline constexpr char16_t kHelpLabel[] = u"in Brisquel2021/08/31.Form1.PushButton4_Click ";
enum class HelpStep {
    ShowContact = 100,
};
inline constexpr char16_t kSamplesLabel[] = u"in Brisquel2021/08/31.Form1.PushButton6_Click ";
enum class SamplesStep {
    FindRoot = 100,
    Hourglass = 102,
    TakeRoot = 104,
    WalkSubfolders = 106,
    AppendRows = 108,
    Arrow = 110,
    Preview = 112,
    AskToOpen = 114,
    OpenFolder = 116,
};
inline constexpr char16_t kGetSubDirectoriesLabel[] =
    u"in Corvath2021/08/31.AddFolder.GetSubDirectories2016 ";
enum class WalkStep {
    // The found collection is made.
    Start = 100,
    // One entry of the list phase: is it a folder.
    ExamineEntry = 102,
    CheckPathLength = 104,
    PumpBeforeListing = 106,
    TestAttributes = 108,
    ListSubfolders = 110,
    // The entries that could not be read leave the collection.
    RemoveUnreadable = 112,
    Descend = 114,
    // One found entry of the merge phase: is it still a folder.
    MergeEntry = 116,
    PumpBeforeMerging = 118,
    // It passes the attribute test and joins the collection.
    AppendPassing = 120,
};
inline constexpr char16_t kUndoLastRunLabel[] = u"in Brisquel2021/08/31.Form1.UndoLastRun ";
enum class UndoStep {
    ClearMarks = 100,
    PumpBeforeRename = 102,
    Rename = 104,
    Vanished = 106,
    RenamesDone = 108,
    ShowRows = 110,
    PumpBeforeRow = 112,
    WriteRow = 114,
    Done = 116,
};
inline constexpr char16_t kRenameFilesWildLabel[] =
    u"in Brisquel2021/08/31.FileNaming.RenameFilesWild ";
enum class RenameStep {
    ReplaceRefusedCharacters = 104,
    HostLayer = 108,
    CutParent = 112,
    CutName = 120,
    CutNewName = 126,
    CheckNewName = 128,
    FindParent = 130,
    ReadParent = 132,
    Plan = 134,
    CheckFolder = 146,
    ToIntermediateName = 150,
    ToNewName = 152,
    Renamed = 156,
    End = 186,
};

} // namespace tarnwick
