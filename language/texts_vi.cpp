// Vietnamese.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"Mở"},
    {TextId::kExportButton, u"Xuất"},
    {TextId::kColumnSerial, u"STT"},
    {TextId::kColumnTimeRange, u"Thời gian"},
    {TextId::kColumnText, u"Phụ đề"},
    {TextId::kTrackListAll, u"Tất cả các track ({0} phụ đề)"},
    {TextId::kTrackListMerged, u"Gộp tất cả các track thành song ngữ ({0} phụ đề)"},
    {TextId::kTrackListTrack, u"Track {0}: {1} ({2} phụ đề)"},

    {TextId::kOpenDialogTitle, u"Mở tệp JSON"},
    {TextId::kOpenTypeJson, u"Tệp JSON (*.json)"},
    {TextId::kSaveDialogTitle, u"Lưu tệp {0}"},
    {TextId::kSaveTypeSrt, u"Phụ đề (*.srt)"},
    {TextId::kSaveTypeUtf8Srt, u"Phụ đề UTF-8 (*.srt)"},
    {TextId::kSaveTypeWebVtt, u"Phụ đề WebVTT (*.vtt)"},
    {TextId::kSaveTypeText, u"Văn bản thuần (*.txt)"},
    {TextId::kSaveTypeAss, u"Phụ đề ASS (*.ass)"},
    {TextId::kFileNameTooLong,
     u"Đường dẫn đầy đủ của tệp đã chọn quá dài nên không thể dùng. Hãy chọn thư mục có "
     u"đường dẫn ngắn hơn hoặc tên tệp ngắn hơn."},

    {TextId::kMessageTitle, u"Thông tin"},
    {TextId::kParseDone, u"Đã mở dự án."},
    {TextId::kParseDoneNoCaptions, u"Đã mở dự án, nhưng dòng thời gian không có phụ đề."},
    {TextId::kParseDonePlainCopy,
     u"Đã mở dự án. Trình chỉnh sửa đã mã hóa dự án này nên phụ đề được lấy từ bản sao "
     u"chưa mã hóa cũ hơn {0} (lưu lúc {1}), có thể không phải nội dung mới nhất."},
    {TextId::kDraftEncrypted,
     u"Không thể mở tệp đã chọn: trình chỉnh sửa đã mã hóa dự án này (JianyingPro 6.0 trở "
     u"lên) nên không đọc được phụ đề. Hãy dùng chức năng xuất phụ đề của chính trình chỉnh "
     u"sửa."},
    {TextId::kDraftTooLarge, u"Không thể mở tệp đã chọn: dự án quá lớn, không đủ bộ nhớ."},
    {TextId::kDraftNotValid,
     u"Không thể mở tệp đã chọn: đây không phải là dự án CapCut hợp lệ (JSON)."},
    {TextId::kFolderWithoutDraft,
     u"Không thể mở thư mục đã chọn: trong đó không có dự án CapCut (draft_content.json "
     u"hoặc draft_info.json)."},
    {TextId::kUnexportedEditsQuestion,
     u"Các thay đổi trong bảng chưa được xuất và sẽ bị mất nếu tiếp tục. Tiếp tục?"},
    {TextId::kExportDone, u"Đã xuất xong."},
    {TextId::kExportDoneLostCharacters,
     u"Đã xuất xong, nhưng có {0} ký tự không biểu diễn được bằng GBK nên đã được ghi thành "
     u"“?”. Để giữ mọi ký tự, hãy chọn “Phụ đề UTF-8” ở loại tệp."},
    {TextId::kExportBadTime,
     u"Không thể xuất sang {0}: thời gian ở hàng {1} không phải khoảng thời gian dạng "
     u"“00:00:01,000 --> 00:00:02,500”, hoặc kết thúc sớm hơn bắt đầu. Hãy sửa rồi xuất lại."},
    {TextId::kExportFailed, u"Xuất thất bại: không thể ghi vào tệp đã chọn."},

    {TextId::kMenuUndo, u"&Hoàn tác\tCtrl+Z"},
    {TextId::kMenuRedo, u"&Làm lại\tCtrl+Y"},
    {TextId::kMenuCut, u"&Cắt\tCtrl+X"},
    {TextId::kMenuCopy, u"&Sao chép\tCtrl+C"},
    {TextId::kMenuPaste, u"&Dán\tCtrl+V"},
    {TextId::kMenuDelete, u"&Xóa\tDel"},
    {TextId::kMenuFind, u"&Tìm…\tCtrl+F"},
    {TextId::kMenuReplace, u"Th&ay thế…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"Dời thời &gian…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"Xóa hà&ng\tCtrl+Del"},

    {TextId::kFindTitle, u"Tìm"},
    {TextId::kReplaceTitle, u"Thay thế"},
    {TextId::kNotFound, u"Không tìm thấy “{0}”."},
    {TextId::kReplacedCount, u"Đã thay thế {0} chỗ."},
    {TextId::kShiftTitle, u"Dời thời gian"},
    {TextId::kShiftPrompt, u"Số giây dời phụ đề (số âm là dời sớm hơn), ví dụ 2.5, -1.5, 0.040:"},
    {TextId::kShiftSelectedOnly, u"Chỉ dời các hàng đã chọn"},
    {TextId::kOk, u"OK"},
    {TextId::kCancel, u"Hủy"},
    {TextId::kShiftNotSeconds,
     u"“{0}” không phải là số giây. Hãy nhập số giây như 2.5, -1.5 hoặc 0.040."},
    {TextId::kShiftBeforeZero,
     u"Không thể dời thời gian: hàng {0} sẽ bắt đầu trước 00:00:00,000. Không phụ đề nào bị "
     u"thay đổi."},
    {TextId::kShiftNoTimeRange,
     u"Không thể dời thời gian: thời gian ở hàng {0} không phải khoảng thời gian dạng "
     u"“00:00:01,000 --> 00:00:02,500”. Không phụ đề nào bị thay đổi."},

    {TextId::kUnknownLanguage,
     u"Mã ngôn ngữ không xác định “{0}”. Các mã có thể dùng: {1}. Cửa sổ sẽ dùng ngôn ngữ "
     u"của hệ thống."},

    {TextId::kErrorTitle, u"Lỗi"},
    {TextId::kErrorReportHeading, u"Lỗi khi chạy!"},
    {TextId::kErrorReportCode, u"Mã lỗi: {0}"},
    {TextId::kErrorReportMessage, u"Thông báo lỗi: {0}"},
    {TextId::kErrorWindowNotFound, u"Không tìm thấy cửa sổ đã chỉ định"},
    {TextId::kErrorComponentNotFound, u"Không tìm thấy điều khiển đã chỉ định"},
    {TextId::kErrorIndexOutOfRange, u"Chỉ số phần tử mảng nằm ngoài phạm vi đã định nghĩa"},
    {TextId::kErrorNumberExpected, u"Không nhận được dữ liệu kiểu số cần thiết"},
    {TextId::kErrorDimensionMismatch,
     u"Số chỉ số khi tham chiếu phần tử mảng không phải 1 và không bằng số chiều hiện có của "
     u"mảng"},
    {TextId::kErrorIndexBelowOne, u"Chỉ số phần tử mảng phải lớn hơn hoặc bằng 1"},
    {TextId::kErrorTypeMismatch, u"Kiểu dữ liệu hoặc kiểu mảng không khớp"},
    {TextId::kErrorDllStack, u"Phát hiện lỗi ngăn xếp sau khi gọi lệnh DLL"},
    {TextId::kErrorSubStatementValue,
     u"Tham số biểu thức con không trả về dữ liệu, hoặc trả về dữ liệu không phải kiểu cơ bản "
     u"hay mảng"},
    {TextId::kErrorCompareEqualOnly, u"Dữ liệu này chỉ có thể so sánh bằng hoặc không bằng"},
    {TextId::kErrorChoiceIndex,
     u"Tham số chỉ mục của lệnh “chọn nhiều mục” nhỏ hơn 0 hoặc vượt quá danh sách tham số"},
    {TextId::kErrorRedimension,
     u"Tham số số chiều của lệnh “định nghĩa lại mảng” phải lớn hơn 0 (lớn hơn hoặc bằng 0 "
     u"khi chỉ có một chiều)"},
    {TextId::kErrorArgumentType, u"Kiểu dữ liệu của tham số không đúng yêu cầu"},
    {TextId::kErrorAllocationFailed, u"Cấp phát {0} byte bộ nhớ thất bại!"},
    {TextId::kErrorDllCommandNotFound, u"Không tìm thấy lệnh xuất “{0}” trong tệp DLL đã chỉ định"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"Không tìm thấy lệnh xuất “{1}” trong tệp DLL “{0}”"},
    {TextId::kErrorDllCommandUndefined, u"Lệnh DLL số {0} chưa được định nghĩa"},
    {TextId::kErrorWindowNotLoaded, u"Cửa sổ chứa điều khiển cần truy cập chưa được nạp"},
    {TextId::kErrorComponentMissing,
     u"Cửa sổ hoặc điều khiển đã chỉ định không tồn tại hoặc chưa được nạp"},
    {TextId::kErrorReadPropertyWindowNotLoaded,
     u"Không thể đọc thuộc tính điều khiển: cửa sổ đã chỉ định chưa được nạp"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"Không thể sửa thuộc tính điều khiển: cửa sổ đã chỉ định chưa được nạp"},
    {TextId::kErrorTemplateData, u"Lỗi khi nạp dữ liệu mẫu cửa sổ!"},
    {TextId::kErrorStartWindow, u"Nạp cửa sổ khởi động thất bại"},
    {TextId::kErrorEventOutOfMemory, u"Không đủ bộ nhớ, không thể hoàn tất thao tác."},
    {TextId::kErrorEventWindowNotFound, u"Không tìm thấy cửa sổ gây ra sự kiện"},
    {TextId::kErrorEventComponentNotFound, u"Không tìm thấy điều khiển gây ra sự kiện"},
    {TextId::kErrorEventComponentInvalid, u"Điều khiển gây ra sự kiện không hợp lệ"},
    {TextId::kErrorInternal, u"Lỗi nội bộ của chương trình: {0}"},
    {TextId::kErrorDataTypeArgument, u"Tham số “kiểu dữ liệu cần lấy” không hợp lệ"},
};

}  // namespace

Catalogue VietnameseCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
