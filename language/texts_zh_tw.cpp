// Traditional Chinese, as written in Taiwan.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"解析"},
    {TextId::kExportButton, u"匯出"},
    {TextId::kColumnSerial, u"序號"},
    {TextId::kColumnTimeRange, u"時間戳記"},
    {TextId::kColumnText, u"字幕文字"},
    {TextId::kTrackListAll, u"全部軌道（{0} 條）"},
    {TextId::kTrackListMerged, u"全部軌道合併為雙語（{0} 條）"},
    {TextId::kTrackListTrack, u"軌道 {0}：{1}（{2} 條）"},

    {TextId::kOpenDialogTitle, u"開啟JSON檔案"},
    {TextId::kOpenTypeJson, u"JSON檔案（*.json）"},
    {TextId::kSaveDialogTitle, u"儲存{0}檔案"},
    {TextId::kSaveTypeSrt, u"字幕檔案（*.srt）"},
    {TextId::kSaveTypeUtf8Srt, u"字幕檔案 UTF-8（*.srt）"},
    {TextId::kSaveTypeWebVtt, u"WebVTT 字幕（*.vtt）"},
    {TextId::kSaveTypeText, u"純文字（*.txt）"},
    {TextId::kSaveTypeAss, u"ASS 字幕（*.ass）"},
    {TextId::kFileNameTooLong,
     u"所選檔案的完整路徑太長，無法使用。請選擇路徑較短的資料夾或較短的檔案名稱。"},

    {TextId::kMessageTitle, u"訊息"},
    {TextId::kParseDone, u"解析完成"},
    {TextId::kParseDoneNoCaptions, u"解析完成，但時間軸上沒有字幕。"},
    {TextId::kParseDonePlainCopy,
     u"解析完成。草稿已被剪映加密，字幕取自較早的未加密副本 {0}（儲存於 {1}），可能不是最新內容。"},
    {TextId::kDraftEncrypted,
     u"無法解析所選檔案：此草稿已被剪映加密（6.0 及以上版本），無法讀取字幕。"
     u"請在剪映中使用內建的字幕匯出功能。"},
    {TextId::kDraftTooLarge, u"無法解析所選檔案：草稿太大，記憶體不足。"},
    {TextId::kDraftNotValid, u"無法解析所選檔案：它不是有效的剪映草稿（JSON）。"},
    {TextId::kFolderWithoutDraft,
     u"無法解析所選資料夾：其中沒有剪映草稿（draft_content.json 或 draft_info.json）。"},
    {TextId::kUnexportedEditsQuestion, u"表格中的修改尚未匯出，繼續將遺失這些修改。要繼續嗎？"},
    {TextId::kExportDone, u"匯出完成"},
    {TextId::kExportDoneLostCharacters,
     u"匯出完成，但有 {0} 個字元無法以 GBK 表示，已寫成「?」。"
     u"若要保留所有字元，請在存檔類型中選擇「字幕檔案 UTF-8」。"},
    {TextId::kExportBadTime,
     u"無法匯出為 {0}：第 {1} 列的時間不是「00:00:01,000 --> 00:00:02,500」這樣的時間範圍，"
     u"或結束早於開始。請修正後再匯出。"},
    {TextId::kExportFailed, u"匯出失敗：無法寫入所選檔案。"},

    {TextId::kMenuUndo, u"復原(&U)\tCtrl+Z"},
    {TextId::kMenuRedo, u"取消復原(&R)\tCtrl+Y"},
    {TextId::kMenuCut, u"剪下(&T)\tCtrl+X"},
    {TextId::kMenuCopy, u"複製(&C)\tCtrl+C"},
    {TextId::kMenuPaste, u"貼上(&P)\tCtrl+V"},
    {TextId::kMenuDelete, u"刪除(&D)\tDel"},
    {TextId::kMenuFind, u"尋找(&F)…\tCtrl+F"},
    {TextId::kMenuReplace, u"取代(&E)…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"調整時間(&S)…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"刪除列(&L)\tCtrl+Del"},

    {TextId::kFindTitle, u"尋找"},
    {TextId::kReplaceTitle, u"取代"},
    {TextId::kNotFound, u"找不到「{0}」。"},
    {TextId::kReplacedCount, u"已取代 {0} 處。"},
    {TextId::kShiftTitle, u"調整時間"},
    {TextId::kShiftPrompt, u"字幕移動的秒數（負數為提前），例如 2.5、-1.5、0.040："},
    {TextId::kShiftSelectedOnly, u"只移動選取的列"},
    {TextId::kOk, u"確定"},
    {TextId::kCancel, u"取消"},
    {TextId::kShiftNotSeconds, u"「{0}」不是秒數。請輸入如 2.5、-1.5 或 0.040 這樣的秒數。"},
    {TextId::kShiftBeforeZero,
     u"無法調整時間：第 {0} 列的開始時間將早於 00:00:00,000。未變更任何字幕。"},
    {TextId::kShiftNoTimeRange,
     u"無法調整時間：第 {0} 列的時間不是「00:00:01,000 --> 00:00:02,500」這樣的時間範圍。"
     u"未變更任何字幕。"},

    {TextId::kUnknownLanguage, u"未知的語言代碼「{0}」。可用的代碼：{1}。視窗將使用系統的語言。"},

    {TextId::kErrorTitle, u"錯誤"},
    {TextId::kErrorReportHeading, u"執行階段錯誤！"},
    {TextId::kErrorReportCode, u"錯誤代碼：{0}"},
    {TextId::kErrorReportMessage, u"錯誤訊息：{0}"},
    {TextId::kErrorWindowNotFound, u"找不到指定的視窗"},
    {TextId::kErrorComponentNotFound, u"找不到指定的視窗元件"},
    {TextId::kErrorIndexOutOfRange, u"陣列成員參照的索引超出定義範圍"},
    {TextId::kErrorNumberExpected, u"未取得所需的數值型資料"},
    {TextId::kErrorDimensionMismatch, u"參照陣列成員時維數不為 1，且不等於該陣列目前的維數"},
    {TextId::kErrorIndexBelowOne, u"陣列成員參照的索引必須大於或等於 1"},
    {TextId::kErrorTypeMismatch, u"資料或陣列類型不符"},
    {TextId::kErrorDllStack, u"呼叫 DLL 命令後發現堆疊錯誤"},
    {TextId::kErrorSubStatementValue,
     u"子陳述式參數未傳回資料，或傳回了非系統基本類型或陣列型資料"},
    {TextId::kErrorCompareEqualOnly, u"被比較的資料只能以等於或不等於命令比較"},
    {TextId::kErrorChoiceIndex, u"「多項選擇」命令的索引值參數小於零或超出所提供的參數表範圍"},
    {TextId::kErrorRedimension,
     u"「重新定義陣列」命令的維度參數值必須大於零，單一維度時須大於或等於零"},
    {TextId::kErrorArgumentType, u"所提供參數的資料類型不符合要求"},
    {TextId::kErrorAllocationFailed, u"配置 {0} 位元組記憶體失敗！"},
    {TextId::kErrorDllCommandNotFound, u"找不到指定 DLL 程式庫檔案中的匯出命令「{0}」"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"找不到指定 DLL 程式庫檔案「{0}」中的匯出命令「{1}」"},
    {TextId::kErrorDllCommandUndefined, u"DLL 命令編號 {0} 未定義"},
    {TextId::kErrorWindowNotLoaded, u"欲存取的視窗元件所在的視窗尚未載入"},
    {TextId::kErrorComponentMissing, u"指定的視窗或視窗元件不存在或尚未載入"},
    {TextId::kErrorReadPropertyWindowNotLoaded, u"讀取元件屬性時發現指定的視窗尚未載入"},
    {TextId::kErrorWritePropertyWindowNotLoaded, u"修改元件屬性時發現指定的視窗尚未載入"},
    {TextId::kErrorTemplateData, u"載入視窗範本資料段時出錯！"},
    {TextId::kErrorStartWindow, u"載入啟動視窗失敗"},
    {TextId::kErrorEventOutOfMemory, u"記憶體不足，無法完成操作。"},
    {TextId::kErrorEventWindowNotFound, u"找不到引發事件的視窗"},
    {TextId::kErrorEventComponentNotFound, u"找不到引發事件的視窗元件"},
    {TextId::kErrorEventComponentInvalid, u"引發事件的視窗元件無效"},
    {TextId::kErrorInternal, u"程式內部錯誤：{0}"},
    {TextId::kErrorDataTypeArgument, u"「欲取出資料的類型」參數值無效"},
};

}  // namespace

Catalogue TraditionalChineseCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
