// Korean.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"열기"},
    {TextId::kExportButton, u"내보내기"},
    {TextId::kColumnSerial, u"번호"},
    {TextId::kColumnTimeRange, u"시간"},
    {TextId::kColumnText, u"자막 텍스트"},
    {TextId::kTrackListAll, u"모든 트랙 ({0}개)"},
    {TextId::kTrackListMerged, u"모든 트랙을 이중 언어로 병합 ({0}개)"},
    {TextId::kTrackListTrack, u"트랙 {0}: {1} ({2}개)"},

    {TextId::kOpenDialogTitle, u"JSON 파일 열기"},
    {TextId::kOpenTypeJson, u"JSON 파일 (*.json)"},
    {TextId::kSaveDialogTitle, u"{0} 파일 저장"},
    {TextId::kSaveTypeSrt, u"자막 파일 (*.srt)"},
    {TextId::kSaveTypeUtf8Srt, u"자막 파일 UTF-8 (*.srt)"},
    {TextId::kSaveTypeWebVtt, u"WebVTT 자막 (*.vtt)"},
    {TextId::kSaveTypeText, u"텍스트 (*.txt)"},
    {TextId::kSaveTypeAss, u"ASS 자막 (*.ass)"},
    {TextId::kFileNameTooLong,
     u"선택한 파일의 전체 경로가 너무 길어 사용할 수 없습니다. "
     u"경로가 더 짧은 폴더나 더 짧은 파일 이름을 선택하세요."},

    {TextId::kMessageTitle, u"정보"},
    {TextId::kParseDone, u"프로젝트를 열었습니다."},
    {TextId::kParseDoneNoCaptions, u"프로젝트를 열었지만 타임라인에 자막이 없습니다."},
    {TextId::kParseDonePlainCopy,
     u"프로젝트를 열었습니다. 편집 앱이 이 프로젝트를 암호화했기 때문에 자막은 이전에 저장된 "
     u"암호화되지 않은 사본 {0}({1}에 저장)에서 가져왔으며, 최신 내용이 아닐 수 있습니다."},
    {TextId::kDraftEncrypted,
     u"선택한 파일을 열 수 없습니다: 편집 앱이 이 프로젝트를 암호화했기 때문에"
     u"(JianyingPro 6.0 이상) 자막을 읽을 수 없습니다. 편집 앱의 자막 내보내기 기능을 "
     u"사용하세요."},
    {TextId::kDraftTooLarge,
     u"선택한 파일을 열 수 없습니다: 프로젝트가 너무 커서 메모리가 부족합니다."},
    {TextId::kDraftNotValid,
     u"선택한 파일을 열 수 없습니다: 올바른 CapCut 프로젝트(JSON)가 아닙니다."},
    {TextId::kFolderWithoutDraft,
     u"선택한 폴더를 열 수 없습니다: CapCut 프로젝트(draft_content.json 또는 "
     u"draft_info.json)가 없습니다."},
    {TextId::kUnexportedEditsQuestion,
     u"표의 변경 내용을 아직 내보내지 않았습니다. 계속하면 변경 내용이 사라집니다. "
     u"계속하시겠습니까?"},
    {TextId::kExportDone, u"내보내기를 완료했습니다."},
    {TextId::kExportDoneLostCharacters,
     u"내보내기를 완료했지만 GBK로 나타낼 수 없는 문자 {0}개를 “?”로 썼습니다. "
     u"모든 문자를 유지하려면 파일 형식에서 “자막 파일 UTF-8”을 선택하세요."},
    {TextId::kExportBadTime,
     u"{0} 형식으로 내보낼 수 없습니다: {1}행의 시간이 “00:00:01,000 --> 00:00:02,500” 같은 "
     u"시간 범위가 아니거나 끝이 시작보다 앞섭니다. 수정한 뒤 다시 내보내세요."},
    {TextId::kExportFailed, u"내보내기 실패: 선택한 파일에 쓸 수 없습니다."},

    {TextId::kMenuUndo, u"실행 취소(&U)\tCtrl+Z"},
    {TextId::kMenuRedo, u"다시 실행(&R)\tCtrl+Y"},
    {TextId::kMenuCut, u"잘라내기(&T)\tCtrl+X"},
    {TextId::kMenuCopy, u"복사(&C)\tCtrl+C"},
    {TextId::kMenuPaste, u"붙여넣기(&P)\tCtrl+V"},
    {TextId::kMenuDelete, u"삭제(&D)\tDel"},
    {TextId::kMenuFind, u"찾기(&F)…\tCtrl+F"},
    {TextId::kMenuReplace, u"바꾸기(&E)…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"시간 조정(&S)…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"행 삭제(&L)\tCtrl+Del"},

    {TextId::kFindTitle, u"찾기"},
    {TextId::kReplaceTitle, u"바꾸기"},
    {TextId::kNotFound, u"“{0}”을(를) 찾을 수 없습니다."},
    {TextId::kReplacedCount, u"{0}개를 바꿨습니다."},
    {TextId::kShiftTitle, u"시간 조정"},
    {TextId::kShiftPrompt, u"자막을 이동할 초(음수는 앞으로), 예: 2.5, -1.5, 0.040:"},
    {TextId::kShiftSelectedOnly, u"선택한 행만 이동"},
    {TextId::kOk, u"확인"},
    {TextId::kCancel, u"취소"},
    {TextId::kShiftNotSeconds,
     u"“{0}”은(는) 초 단위 숫자가 아닙니다. 2.5, -1.5, 0.040 같은 초를 입력하세요."},
    {TextId::kShiftBeforeZero,
     u"시간을 조정할 수 없습니다: {0}행의 시작 시간이 00:00:00,000보다 앞서게 됩니다. "
     u"자막은 변경되지 않았습니다."},
    {TextId::kShiftNoTimeRange,
     u"시간을 조정할 수 없습니다: {0}행의 시간이 “00:00:01,000 --> 00:00:02,500” 같은 "
     u"시간 범위가 아닙니다. 자막은 변경되지 않았습니다."},

    {TextId::kUnknownLanguage,
     u"알 수 없는 언어 코드 “{0}”입니다. 사용할 수 있는 코드: {1}. 창은 시스템 언어로 "
     u"표시됩니다."},

    {TextId::kErrorTitle, u"오류"},
    {TextId::kErrorReportHeading, u"런타임 오류!"},
    {TextId::kErrorReportCode, u"오류 코드: {0}"},
    {TextId::kErrorReportMessage, u"오류 메시지: {0}"},
    {TextId::kErrorWindowNotFound, u"지정한 창을 찾을 수 없습니다"},
    {TextId::kErrorComponentNotFound, u"지정한 컨트롤을 찾을 수 없습니다"},
    {TextId::kErrorIndexOutOfRange, u"배열 요소의 인덱스가 정의된 범위를 벗어났습니다"},
    {TextId::kErrorNumberExpected, u"필요한 숫자 데이터를 얻지 못했습니다"},
    {TextId::kErrorDimensionMismatch,
     u"배열 요소를 참조하는 인덱스 수가 1도 아니고 배열의 현재 차원 수와도 다릅니다"},
    {TextId::kErrorIndexBelowOne, u"배열 요소의 인덱스는 1 이상이어야 합니다"},
    {TextId::kErrorTypeMismatch, u"데이터 또는 배열 형식이 일치하지 않습니다"},
    {TextId::kErrorDllStack, u"DLL 명령을 호출한 뒤 스택 오류가 발견되었습니다"},
    {TextId::kErrorSubStatementValue,
     u"하위 식 인수가 데이터를 반환하지 않았거나 기본 형식도 배열도 아닌 데이터를 반환했습니다"},
    {TextId::kErrorCompareEqualOnly,
     u"이 데이터는 “같음” 또는 “같지 않음”으로만 비교할 수 있습니다"},
    {TextId::kErrorChoiceIndex,
     u"“다항 선택” 명령의 인덱스 인수가 0보다 작거나 인수 목록의 범위를 벗어났습니다"},
    {TextId::kErrorRedimension,
     u"“배열 재정의” 명령의 차원 인수는 0보다 커야 합니다(1차원일 때는 0 이상)"},
    {TextId::kErrorArgumentType, u"인수의 데이터 형식이 요구 사항에 맞지 않습니다"},
    {TextId::kErrorAllocationFailed, u"메모리 {0}바이트를 할당하지 못했습니다!"},
    {TextId::kErrorDllCommandNotFound, u"지정한 DLL에서 내보낸 명령 “{0}”을(를) 찾을 수 없습니다"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"DLL “{0}”에서 내보낸 명령 “{1}”을(를) 찾을 수 없습니다"},
    {TextId::kErrorDllCommandUndefined, u"DLL 명령 번호 {0}이(가) 정의되지 않았습니다"},
    {TextId::kErrorWindowNotLoaded, u"접근하려는 컨트롤이 있는 창이 로드되지 않았습니다"},
    {TextId::kErrorComponentMissing, u"지정한 창 또는 컨트롤이 없거나 아직 로드되지 않았습니다"},
    {TextId::kErrorReadPropertyWindowNotLoaded,
     u"컨트롤 속성을 읽을 수 없습니다: 지정한 창이 아직 로드되지 않았습니다"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"컨트롤 속성을 변경할 수 없습니다: 지정한 창이 아직 로드되지 않았습니다"},
    {TextId::kErrorTemplateData, u"창 템플릿 데이터를 로드하는 중 오류가 발생했습니다!"},
    {TextId::kErrorStartWindow, u"시작 창을 로드하지 못했습니다"},
    {TextId::kErrorEventOutOfMemory, u"메모리가 부족하여 작업을 완료하지 못했습니다."},
    {TextId::kErrorEventWindowNotFound, u"이벤트를 발생시킨 창을 찾을 수 없습니다"},
    {TextId::kErrorEventComponentNotFound, u"이벤트를 발생시킨 컨트롤을 찾을 수 없습니다"},
    {TextId::kErrorEventComponentInvalid, u"이벤트를 발생시킨 컨트롤이 올바르지 않습니다"},
    {TextId::kErrorInternal, u"프로그램 내부 오류: {0}"},
    {TextId::kErrorDataTypeArgument, u"“가져올 데이터 형식” 인수가 올바르지 않습니다"},
};

}  // namespace

Catalogue KoreanCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
