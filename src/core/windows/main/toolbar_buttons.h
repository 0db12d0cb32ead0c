// The main window's toolbar buttons by what they do, and the pictures they show. The numbers
// are the buttons' places on the bar (1..kLastToolbarButton, as the command table lists them;
// the places between them are separators) and the pictures' places in the toolbar's image list.
#pragma once

enum ToolbarButton : int {
    kOpenButton = 1,           // ファイルを開く
    kNewButton = 2,            // 新規作成
    kBlankPageButton = 3,      // 白紙ページ追加
    kSaveButton = 4,           // 保存
    kDictationButton = 6,      // 印刷書き方
    kTracingButton = 7,        // 印刷練習
    kReadingButton = 8,        // 印刷読み方
    kThreeSheetsButton = 9,    // ３票一括印刷
    kSentenceButton = 10,      // 文作り
    kLookupButton = 12,        // 単漢字表示
    kManuscriptButton = 13,    // 原稿用紙
    kFontButton = 15,          // フォント設定
    kClearAllButton = 17,      // 表示項目全削除
    kHelpButton = 19,          // ヘルプ
    kExitButton = 21,          // 終了
    kGradeListButton = 23,     // 一覧表印刷
    kPracticeBookButton = 24,  // 漢字練習帳
    kCompanyButton = 25,       // 教科書会社選択
    kTextFlowButton = 27,      // 文章の流し込み
    kTestBuilderButton = 28,   // テスト作成
};
inline constexpr int kLastToolbarButton = 28;

// The pictures of the toolbar's image list.
enum Picture : int {
    kNoPicture = 0,
    kOpenPicture = 1,
    kSavePicture = 2,
    kDictationPicture = 4,
    kTracingPicture = 5,
    kReadingPicture = 6,
    kFontPicture = 8,
    kMemoryPictureEmpty = 11,    // 表示項目全削除: nothing remembered
    kMemoryPictureHolding = 12,  // 表示項目全削除: something to restore
    kManuscriptPicture = 13,
    kBlankPagePicture = 17,
    kThreeSheetsPicture = 22,
    kGradeListPicture = 23,
    kSentencePicture = 25,
    kPracticeBookPicture = 26,
    kLookupPictureShown = 27,   // 単漢字表示 with the lookup panel shown
    kLookupPictureHidden = 28,  // 単漢字表示 with the lookup panel hidden
    kExitPicture = 29,
    kReadingSetPicture = 30,  // 印刷読み方 printing the reading sheet as a set of two
    kCompanyPicture = 31,
    kTextFlowPicture = 34,
    kNewPicture = 35,
    kHelpPicture = 36,
    kTestBuilderPicture = 37,
};
