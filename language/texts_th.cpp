// Thai: sentences end without a full stop, as Thai is written; menu access keys follow
// the word in parentheses, so that no Thai letter with its marks is underlined.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"เปิด"},
    {TextId::kExportButton, u"ส่งออก"},
    {TextId::kColumnSerial, u"ลำดับ"},
    {TextId::kColumnTimeRange, u"เวลา"},
    {TextId::kColumnText, u"คำบรรยาย"},
    {TextId::kTrackListAll, u"ทุกแทร็ก ({0} รายการ)"},
    {TextId::kTrackListMerged, u"รวมทุกแทร็กเป็นสองภาษา ({0} รายการ)"},
    {TextId::kTrackListTrack, u"แทร็ก {0}: {1} ({2} รายการ)"},

    {TextId::kOpenDialogTitle, u"เปิดไฟล์ JSON"},
    {TextId::kOpenTypeJson, u"ไฟล์ JSON (*.json)"},
    {TextId::kSaveDialogTitle, u"บันทึกไฟล์ {0}"},
    {TextId::kSaveTypeSrt, u"คำบรรยาย (*.srt)"},
    {TextId::kSaveTypeUtf8Srt, u"คำบรรยาย UTF-8 (*.srt)"},
    {TextId::kSaveTypeWebVtt, u"คำบรรยาย WebVTT (*.vtt)"},
    {TextId::kSaveTypeText, u"ข้อความล้วน (*.txt)"},
    {TextId::kSaveTypeAss, u"คำบรรยาย ASS (*.ass)"},
    {TextId::kFileNameTooLong,
     u"พาธเต็มของไฟล์ที่เลือกยาวเกินไปจึงใช้ไม่ได้ "
     u"โปรดเลือกโฟลเดอร์ที่มีพาธสั้นกว่าหรือใช้ชื่อไฟล์ที่สั้นกว่า"},

    {TextId::kMessageTitle, u"ข้อมูล"},
    {TextId::kParseDone, u"เปิดโปรเจกต์แล้ว"},
    {TextId::kParseDoneNoCaptions, u"เปิดโปรเจกต์แล้ว แต่ไม่มีคำบรรยายบนไทม์ไลน์"},
    {TextId::kParseDonePlainCopy,
     u"เปิดโปรเจกต์แล้ว โปรเจกต์นี้ถูกโปรแกรมตัดต่อเข้ารหัสไว้ "
     u"คำบรรยายจึงมาจากสำเนาเก่าที่ไม่ได้เข้ารหัส {0} (บันทึกเมื่อ {1}) "
     u"และอาจไม่ใช่เนื้อหาล่าสุด"},
    {TextId::kDraftEncrypted,
     u"เปิดไฟล์ที่เลือกไม่ได้: โปรเจกต์นี้ถูกโปรแกรมตัดต่อเข้ารหัสไว้ (JianyingPro 6.0 ขึ้นไป) "
     u"จึงอ่านคำบรรยายไม่ได้ โปรดใช้การส่งออกคำบรรยายของโปรแกรมตัดต่อเอง"},
    {TextId::kDraftTooLarge, u"เปิดไฟล์ที่เลือกไม่ได้: โปรเจกต์ใหญ่เกินไป หน่วยความจำไม่พอ"},
    {TextId::kDraftNotValid, u"เปิดไฟล์ที่เลือกไม่ได้: ไม่ใช่โปรเจกต์ CapCut (JSON) ที่ถูกต้อง"},
    {TextId::kFolderWithoutDraft,
     u"เปิดโฟลเดอร์ที่เลือกไม่ได้: ไม่มีโปรเจกต์ CapCut อยู่ในโฟลเดอร์ "
     u"(draft_content.json หรือ draft_info.json)"},
    {TextId::kUnexportedEditsQuestion,
     u"การแก้ไขในตารางยังไม่ได้ส่งออก หากดำเนินการต่อ การแก้ไขเหล่านี้จะหายไป "
     u"ต้องการดำเนินการต่อหรือไม่"},
    {TextId::kExportDone, u"ส่งออกเสร็จแล้ว"},
    {TextId::kExportDoneLostCharacters,
     u"ส่งออกเสร็จแล้ว แต่มีอักขระ {0} ตัวที่แสดงด้วย GBK ไม่ได้ จึงเขียนเป็น “?” แทน "
     u"หากต้องการเก็บอักขระทั้งหมด โปรดเลือก “คำบรรยาย UTF-8” ในชนิดไฟล์"},
    {TextId::kExportBadTime,
     u"ส่งออกเป็น {0} ไม่ได้: เวลาในแถวที่ {1} ไม่ใช่ช่วงเวลาแบบ "
     u"“00:00:01,000 --> 00:00:02,500” หรือเวลาสิ้นสุดอยู่ก่อนเวลาเริ่ม "
     u"โปรดแก้ไขแล้วส่งออกอีกครั้ง"},
    {TextId::kExportFailed, u"ส่งออกไม่สำเร็จ: เขียนไฟล์ที่เลือกไม่ได้"},

    {TextId::kMenuUndo, u"เลิกทำ(&U)\tCtrl+Z"},
    {TextId::kMenuRedo, u"ทำซ้ำ(&R)\tCtrl+Y"},
    {TextId::kMenuCut, u"ตัด(&T)\tCtrl+X"},
    {TextId::kMenuCopy, u"คัดลอก(&C)\tCtrl+C"},
    {TextId::kMenuPaste, u"วาง(&P)\tCtrl+V"},
    {TextId::kMenuDelete, u"ลบ(&D)\tDel"},
    {TextId::kMenuFind, u"ค้นหา(&F)…\tCtrl+F"},
    {TextId::kMenuReplace, u"แทนที่(&E)…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"เลื่อนเวลา(&S)…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"ลบแถว(&L)\tCtrl+Del"},

    {TextId::kFindTitle, u"ค้นหา"},
    {TextId::kReplaceTitle, u"แทนที่"},
    {TextId::kNotFound, u"ไม่พบ “{0}”"},
    {TextId::kReplacedCount, u"แทนที่แล้ว {0} แห่ง"},
    {TextId::kShiftTitle, u"เลื่อนเวลา"},
    {TextId::kShiftPrompt, u"จำนวนวินาทีที่จะเลื่อนคำบรรยาย (ค่าลบคือเลื่อนให้เร็วขึ้น) เช่น 2.5, -1.5, 0.040:"},
    {TextId::kShiftSelectedOnly, u"เลื่อนเฉพาะแถวที่เลือก"},
    {TextId::kOk, u"ตกลง"},
    {TextId::kCancel, u"ยกเลิก"},
    {TextId::kShiftNotSeconds, u"“{0}” ไม่ใช่จำนวนวินาที โปรดป้อนจำนวนวินาที เช่น 2.5, -1.5 หรือ 0.040"},
    {TextId::kShiftBeforeZero,
     u"เลื่อนเวลาไม่ได้: แถวที่ {0} จะเริ่มก่อน 00:00:00,000 ไม่มีคำบรรยายใดถูกเปลี่ยน"},
    {TextId::kShiftNoTimeRange,
     u"เลื่อนเวลาไม่ได้: เวลาในแถวที่ {0} ไม่ใช่ช่วงเวลาแบบ “00:00:01,000 --> 00:00:02,500” "
     u"ไม่มีคำบรรยายใดถูกเปลี่ยน"},

    {TextId::kUnknownLanguage, u"ไม่รู้จักรหัสภาษา “{0}” รหัสที่ใช้ได้: {1} หน้าต่างจะใช้ภาษาของระบบ"},

    {TextId::kErrorTitle, u"ข้อผิดพลาด"},
    {TextId::kErrorReportHeading, u"เกิดข้อผิดพลาดขณะทำงาน"},
    {TextId::kErrorReportCode, u"รหัสข้อผิดพลาด: {0}"},
    {TextId::kErrorReportMessage, u"ข้อความข้อผิดพลาด: {0}"},
    {TextId::kErrorWindowNotFound, u"ไม่พบหน้าต่างที่ระบุ"},
    {TextId::kErrorComponentNotFound, u"ไม่พบตัวควบคุมที่ระบุ"},
    {TextId::kErrorIndexOutOfRange, u"ดัชนีสมาชิกอาร์เรย์อยู่นอกช่วงที่กำหนด"},
    {TextId::kErrorNumberExpected, u"ไม่ได้รับข้อมูลตัวเลขที่ต้องการ"},
    {TextId::kErrorDimensionMismatch,
     u"จำนวนดัชนีที่ใช้อ้างอิงสมาชิกอาร์เรย์ไม่ใช่ 1 และไม่เท่ากับจำนวนมิติปัจจุบันของอาร์เรย์"},
    {TextId::kErrorIndexBelowOne, u"ดัชนีสมาชิกอาร์เรย์ต้องมากกว่าหรือเท่ากับ 1"},
    {TextId::kErrorTypeMismatch, u"ชนิดข้อมูลหรือชนิดอาร์เรย์ไม่ตรงกัน"},
    {TextId::kErrorDllStack, u"พบข้อผิดพลาดของสแตกหลังจากเรียกคำสั่ง DLL"},
    {TextId::kErrorSubStatementValue,
     u"พารามิเตอร์นิพจน์ย่อยไม่ส่งคืนข้อมูล หรือส่งคืนข้อมูลที่ไม่ใช่ชนิดพื้นฐานหรืออาร์เรย์"},
    {TextId::kErrorCompareEqualOnly, u"ข้อมูลนี้เปรียบเทียบได้เฉพาะเท่ากับหรือไม่เท่ากับ"},
    {TextId::kErrorChoiceIndex,
     u"พารามิเตอร์ดัชนีของคำสั่ง “เลือกหลายรายการ” น้อยกว่าศูนย์หรือเกินรายการพารามิเตอร์"},
    {TextId::kErrorRedimension,
     u"พารามิเตอร์มิติของคำสั่ง “กำหนดอาร์เรย์ใหม่” ต้องมากกว่าศูนย์ "
     u"(หรือมากกว่าหรือเท่ากับศูนย์เมื่อมีมิติเดียว)"},
    {TextId::kErrorArgumentType, u"ชนิดข้อมูลของพารามิเตอร์ไม่ตรงตามที่กำหนด"},
    {TextId::kErrorAllocationFailed, u"จัดสรรหน่วยความจำ {0} ไบต์ไม่สำเร็จ"},
    {TextId::kErrorDllCommandNotFound, u"ไม่พบคำสั่งส่งออก “{0}” ในไฟล์ DLL ที่ระบุ"},
    {TextId::kErrorDllCommandNotFoundInLibrary, u"ไม่พบคำสั่งส่งออก “{1}” ในไฟล์ DLL “{0}”"},
    {TextId::kErrorDllCommandUndefined, u"ไม่ได้กำหนดคำสั่ง DLL หมายเลข {0}"},
    {TextId::kErrorWindowNotLoaded, u"ยังไม่ได้โหลดหน้าต่างของตัวควบคุมที่จะเข้าถึง"},
    {TextId::kErrorComponentMissing, u"ไม่มีหน้าต่างหรือตัวควบคุมที่ระบุ หรือยังไม่ได้โหลด"},
    {TextId::kErrorReadPropertyWindowNotLoaded, u"อ่านคุณสมบัติของตัวควบคุมไม่ได้: ยังไม่ได้โหลดหน้าต่างที่ระบุ"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"เปลี่ยนคุณสมบัติของตัวควบคุมไม่ได้: ยังไม่ได้โหลดหน้าต่างที่ระบุ"},
    {TextId::kErrorTemplateData, u"เกิดข้อผิดพลาดในการโหลดข้อมูลแม่แบบหน้าต่าง"},
    {TextId::kErrorStartWindow, u"โหลดหน้าต่างเริ่มต้นไม่สำเร็จ"},
    {TextId::kErrorEventOutOfMemory, u"หน่วยความจำไม่พอ ดำเนินการไม่สำเร็จ"},
    {TextId::kErrorEventWindowNotFound, u"ไม่พบหน้าต่างที่ทำให้เกิดเหตุการณ์"},
    {TextId::kErrorEventComponentNotFound, u"ไม่พบตัวควบคุมที่ทำให้เกิดเหตุการณ์"},
    {TextId::kErrorEventComponentInvalid, u"ตัวควบคุมที่ทำให้เกิดเหตุการณ์ไม่ถูกต้อง"},
    {TextId::kErrorInternal, u"ข้อผิดพลาดภายในโปรแกรม: {0}"},
    {TextId::kErrorDataTypeArgument, u"ค่าพารามิเตอร์ “ชนิดข้อมูลที่จะดึง” ไม่ถูกต้อง"},
};

}  // namespace

Catalogue ThaiCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
