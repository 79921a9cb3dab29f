// Japanese.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"開く"},
    {TextId::kExportButton, u"エクスポート"},
    {TextId::kColumnSerial, u"番号"},
    {TextId::kColumnTimeRange, u"時間"},
    {TextId::kColumnText, u"字幕テキスト"},
    {TextId::kTrackListAll, u"全トラック（{0} 件）"},
    {TextId::kTrackListMerged, u"全トラックを 2 言語で結合（{0} 件）"},
    {TextId::kTrackListTrack, u"トラック {0}：{1}（{2} 件）"},

    {TextId::kOpenDialogTitle, u"JSON ファイルを開く"},
    {TextId::kOpenTypeJson, u"JSON ファイル（*.json）"},
    {TextId::kSaveDialogTitle, u"{0} ファイルを保存"},
    {TextId::kSaveTypeSrt, u"字幕ファイル（*.srt）"},
    {TextId::kSaveTypeUtf8Srt, u"字幕ファイル UTF-8（*.srt）"},
    {TextId::kSaveTypeWebVtt, u"WebVTT 字幕（*.vtt）"},
    {TextId::kSaveTypeText, u"テキスト（*.txt）"},
    {TextId::kSaveTypeAss, u"ASS 字幕（*.ass）"},
    {TextId::kFileNameTooLong,
     u"選択したファイルのフルパスが長すぎるため使用できません。"
     u"パスの短いフォルダーか、短いファイル名を選んでください。"},

    {TextId::kMessageTitle, u"情報"},
    {TextId::kParseDone, u"プロジェクトを開きました。"},
    {TextId::kParseDoneNoCaptions, u"プロジェクトを開きましたが、タイムラインに字幕がありません。"},
    {TextId::kParseDonePlainCopy,
     u"プロジェクトを開きました。プロジェクトが編集アプリで暗号化されているため、字幕は以前の"
     u"暗号化されていないコピー {0}（{1} "
     u"に保存）から取得しました。最新の内容ではない可能性があります。"},
    {TextId::kDraftEncrypted,
     u"選択したファイルを開けません：プロジェクトが編集アプリで暗号化されているため"
     u"（JianyingPro 6.0 以降）、字幕を読み取れません。編集アプリの字幕エクスポート機能を"
     u"使ってください。"},
    {TextId::kDraftTooLarge,
     u"選択したファイルを開けません：プロジェクトが大きすぎて、メモリが足りません。"},
    {TextId::kDraftNotValid,
     u"選択したファイルを開けません：有効な CapCut プロジェクト（JSON）ではありません。"},
    {TextId::kFolderWithoutDraft,
     u"選択したフォルダーを開けません：CapCut プロジェクト（draft_content.json または "
     u"draft_info.json）がありません。"},
    {TextId::kUnexportedEditsQuestion,
     u"表の変更はまだエクスポートされていません。続けると変更は失われます。続けますか？"},
    {TextId::kExportDone, u"エクスポートしました。"},
    {TextId::kExportDoneLostCharacters,
     u"エクスポートしましたが、{0} 個の文字は GBK で表せないため「?」と書き込みました。"
     u"すべての文字を残すには、ファイルの種類で「字幕ファイル UTF-8」を選んでください。"},
    {TextId::kExportBadTime,
     u"{0} としてエクスポートできません：{1} 行目の時間が「00:00:01,000 --> 00:00:02,500」"
     u"のような時間範囲ではないか、終了が開始より前です。修正してからエクスポートしてください。"},
    {TextId::kExportFailed, u"エクスポートに失敗しました：選択したファイルに書き込めません。"},

    {TextId::kMenuUndo, u"元に戻す(&U)\tCtrl+Z"},
    {TextId::kMenuRedo, u"やり直し(&R)\tCtrl+Y"},
    {TextId::kMenuCut, u"切り取り(&T)\tCtrl+X"},
    {TextId::kMenuCopy, u"コピー(&C)\tCtrl+C"},
    {TextId::kMenuPaste, u"貼り付け(&P)\tCtrl+V"},
    {TextId::kMenuDelete, u"削除(&D)\tDel"},
    {TextId::kMenuFind, u"検索(&F)…\tCtrl+F"},
    {TextId::kMenuReplace, u"置換(&E)…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"時間の調整(&S)…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"行の削除(&L)\tCtrl+Del"},

    {TextId::kFindTitle, u"検索"},
    {TextId::kReplaceTitle, u"置換"},
    {TextId::kNotFound, u"「{0}」が見つかりません。"},
    {TextId::kReplacedCount, u"{0} 件置換しました。"},
    {TextId::kShiftTitle, u"時間の調整"},
    {TextId::kShiftPrompt, u"字幕を移動する秒数（負の数で前へ）、例：2.5、-1.5、0.040"},
    {TextId::kShiftSelectedOnly, u"選択した行だけ移動する"},
    {TextId::kOk, u"OK"},
    {TextId::kCancel, u"キャンセル"},
    {TextId::kShiftNotSeconds,
     u"「{0}」は秒数ではありません。2.5、-1.5、0.040 のような秒数を入力してください。"},
    {TextId::kShiftBeforeZero,
     u"時間を調整できません：{0} 行目の開始時間が 00:00:00,000 より前になります。"
     u"字幕は変更されていません。"},
    {TextId::kShiftNoTimeRange,
     u"時間を調整できません：{0} 行目の時間が「00:00:01,000 --> 00:00:02,500」のような"
     u"時間範囲ではありません。字幕は変更されていません。"},

    {TextId::kUnknownLanguage,
     u"不明な言語コード「{0}」です。使用できるコード：{1}"
     u"。ウィンドウはシステムの言語で表示します。"},

    {TextId::kErrorTitle, u"エラー"},
    {TextId::kErrorReportHeading, u"実行時エラー！"},
    {TextId::kErrorReportCode, u"エラーコード：{0}"},
    {TextId::kErrorReportMessage, u"エラーメッセージ：{0}"},
    {TextId::kErrorWindowNotFound, u"指定したウィンドウが見つかりません"},
    {TextId::kErrorComponentNotFound, u"指定したコントロールが見つかりません"},
    {TextId::kErrorIndexOutOfRange, u"配列要素の添字が定義された範囲を超えています"},
    {TextId::kErrorNumberExpected, u"必要な数値データが得られませんでした"},
    {TextId::kErrorDimensionMismatch,
     u"配列要素を参照する添字の数が 1 でも、配列の現在の次元数でもありません"},
    {TextId::kErrorIndexBelowOne, u"配列要素の添字は 1 以上でなければなりません"},
    {TextId::kErrorTypeMismatch, u"データまたは配列の型が一致しません"},
    {TextId::kErrorDllStack, u"DLL コマンドの呼び出し後にスタックエラーが見つかりました"},
    {TextId::kErrorSubStatementValue,
     u"サブ式の引数がデータを返さなかったか、基本型でも配列でもないデータを返しました"},
    {TextId::kErrorCompareEqualOnly, u"このデータは「等しい」か「等しくない」でのみ比較できます"},
    {TextId::kErrorChoiceIndex,
     u"「多項選択」コマンドのインデックス引数が 0 未満か、引数リストの範囲を超えています"},
    {TextId::kErrorRedimension,
     u"「配列の再定義」コマンドの次元の引数は 0 より大きく（1 次元のときは 0 以上に）してください"},
    {TextId::kErrorArgumentType, u"引数のデータ型が要件を満たしていません"},
    {TextId::kErrorAllocationFailed, u"{0} バイトのメモリを確保できませんでした！"},
    {TextId::kErrorDllCommandNotFound,
     u"指定した DLL に、エクスポートされたコマンド「{0}」が見つかりません"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"DLL「{0}」に、エクスポートされたコマンド「{1}」が見つかりません"},
    {TextId::kErrorDllCommandUndefined, u"DLL コマンド番号 {0} は定義されていません"},
    {TextId::kErrorWindowNotLoaded, u"アクセスするコントロールのウィンドウが読み込まれていません"},
    {TextId::kErrorComponentMissing,
     u"指定したウィンドウまたはコントロールが存在しないか、まだ読み込まれていません"},
    {TextId::kErrorReadPropertyWindowNotLoaded,
     u"コントロールのプロパティを読み取れません：指定したウィンドウがまだ読み込まれていません"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"コントロールのプロパティを変更できません：指定したウィンドウがまだ読み込まれていません"},
    {TextId::kErrorTemplateData, u"ウィンドウテンプレートのデータを読み込めませんでした！"},
    {TextId::kErrorStartWindow, u"起動ウィンドウを読み込めませんでした"},
    {TextId::kErrorEventOutOfMemory, u"メモリが不足しているため、操作を完了できませんでした。"},
    {TextId::kErrorEventWindowNotFound, u"イベントを発生させたウィンドウが見つかりません"},
    {TextId::kErrorEventComponentNotFound, u"イベントを発生させたコントロールが見つかりません"},
    {TextId::kErrorEventComponentInvalid, u"イベントを発生させたコントロールが無効です"},
    {TextId::kErrorInternal, u"プログラムの内部エラー：{0}"},
    {TextId::kErrorDataTypeArgument, u"「取り出すデータの型」引数が無効です"},
};

}  // namespace

Catalogue JapaneseCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
