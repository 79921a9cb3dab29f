// Indonesian.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"Buka"},
    {TextId::kExportButton, u"Ekspor"},
    {TextId::kColumnSerial, u"No."},
    {TextId::kColumnTimeRange, u"Waktu"},
    {TextId::kColumnText, u"Subtitle"},
    {TextId::kTrackListAll, u"Semua trek ({0} subtitle)"},
    {TextId::kTrackListMerged, u"Semua trek digabung dwibahasa ({0} subtitle)"},
    {TextId::kTrackListTrack, u"Trek {0}: {1} ({2} subtitle)"},

    {TextId::kOpenDialogTitle, u"Buka file JSON"},
    {TextId::kOpenTypeJson, u"File JSON (*.json)"},
    {TextId::kSaveDialogTitle, u"Simpan file {0}"},
    {TextId::kSaveTypeSrt, u"Subtitle (*.srt)"},
    {TextId::kSaveTypeUtf8Srt, u"Subtitle UTF-8 (*.srt)"},
    {TextId::kSaveTypeWebVtt, u"Subtitle WebVTT (*.vtt)"},
    {TextId::kSaveTypeText, u"Teks biasa (*.txt)"},
    {TextId::kSaveTypeAss, u"Subtitle ASS (*.ass)"},
    {TextId::kFileNameTooLong,
     u"Jalur lengkap file yang dipilih terlalu panjang sehingga tidak dapat digunakan. "
     u"Pilih folder dengan jalur yang lebih pendek atau nama file yang lebih pendek."},

    {TextId::kMessageTitle, u"Informasi"},
    {TextId::kParseDone, u"Proyek berhasil dibuka."},
    {TextId::kParseDoneNoCaptions,
     u"Proyek berhasil dibuka, tetapi tidak ada subtitle di timeline."},
    {TextId::kParseDonePlainCopy,
     u"Proyek berhasil dibuka. Proyek ini dienkripsi oleh aplikasi editor, jadi subtitle diambil "
     u"dari salinan lama yang tidak dienkripsi, {0} (disimpan {1}), dan mungkin bukan yang "
     u"terbaru."},
    {TextId::kDraftEncrypted,
     u"Tidak dapat membuka file yang dipilih: proyek ini dienkripsi oleh aplikasi editor "
     u"(JianyingPro 6.0 atau lebih baru) sehingga subtitle tidak dapat dibaca. Gunakan fitur "
     u"ekspor subtitle dari aplikasi editor itu sendiri."},
    {TextId::kDraftTooLarge,
     u"Tidak dapat membuka file yang dipilih: proyek terlalu besar, memori tidak cukup."},
    {TextId::kDraftNotValid,
     u"Tidak dapat membuka file yang dipilih: ini bukan proyek CapCut (JSON) yang valid."},
    {TextId::kFolderWithoutDraft,
     u"Tidak dapat membuka folder yang dipilih: tidak ada proyek CapCut di dalamnya "
     u"(draft_content.json atau draft_info.json)."},
    {TextId::kUnexportedEditsQuestion,
     u"Perubahan di tabel belum diekspor dan akan hilang jika Anda melanjutkan. Lanjutkan?"},
    {TextId::kExportDone, u"Ekspor selesai."},
    {TextId::kExportDoneLostCharacters,
     u"Ekspor selesai, tetapi {0} karakter tidak dapat ditulis dalam GBK dan diganti dengan "
     u"“?”. Untuk menyimpan semua karakter, pilih “Subtitle UTF-8” sebagai jenis file."},
    {TextId::kExportBadTime,
     u"Tidak dapat mengekspor ke {0}: waktu di baris {1} bukan rentang waktu seperti "
     u"“00:00:01,000 --> 00:00:02,500”, atau berakhir sebelum dimulai. Perbaiki, lalu ekspor "
     u"lagi."},
    {TextId::kExportFailed, u"Ekspor gagal: file yang dipilih tidak dapat ditulis."},

    {TextId::kMenuUndo, u"&Batalkan\tCtrl+Z"},
    {TextId::kMenuRedo, u"&Ulangi\tCtrl+Y"},
    {TextId::kMenuCut, u"&Potong\tCtrl+X"},
    {TextId::kMenuCopy, u"&Salin\tCtrl+C"},
    {TextId::kMenuPaste, u"&Tempel\tCtrl+V"},
    {TextId::kMenuDelete, u"&Hapus\tDel"},
    {TextId::kMenuFind, u"&Cari…\tCtrl+F"},
    {TextId::kMenuReplace, u"&Ganti…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"Geser &waktu…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"Hapus ba&ris\tCtrl+Del"},

    {TextId::kFindTitle, u"Cari"},
    {TextId::kReplaceTitle, u"Ganti"},
    {TextId::kNotFound, u"“{0}” tidak ditemukan."},
    {TextId::kReplacedCount, u"{0} kemunculan diganti."},
    {TextId::kShiftTitle, u"Geser waktu"},
    {TextId::kShiftPrompt,
     u"Jumlah detik subtitle digeser (negatif berarti lebih awal), mis. 2.5, -1.5, 0.040:"},
    {TextId::kShiftSelectedOnly, u"Geser baris terpilih saja"},
    {TextId::kOk, u"OK"},
    {TextId::kCancel, u"Batal"},
    {TextId::kShiftNotSeconds,
     u"“{0}” bukan jumlah detik. Masukkan detik seperti 2.5, -1.5, atau 0.040."},
    {TextId::kShiftBeforeZero,
     u"Tidak dapat menggeser waktu: baris {0} akan dimulai sebelum 00:00:00,000. Tidak ada "
     u"subtitle yang diubah."},
    {TextId::kShiftNoTimeRange,
     u"Tidak dapat menggeser waktu: waktu di baris {0} bukan rentang waktu seperti "
     u"“00:00:01,000 --> 00:00:02,500”. Tidak ada subtitle yang diubah."},

    {TextId::kUnknownLanguage,
     u"Kode bahasa “{0}” tidak dikenal. Kode yang tersedia: {1}. Jendela akan memakai bahasa "
     u"sistem."},

    {TextId::kErrorTitle, u"Kesalahan"},
    {TextId::kErrorReportHeading, u"Kesalahan saat berjalan!"},
    {TextId::kErrorReportCode, u"Kode kesalahan: {0}"},
    {TextId::kErrorReportMessage, u"Pesan kesalahan: {0}"},
    {TextId::kErrorWindowNotFound, u"Jendela yang ditentukan tidak ditemukan"},
    {TextId::kErrorComponentNotFound, u"Kontrol yang ditentukan tidak ditemukan"},
    {TextId::kErrorIndexOutOfRange, u"Indeks anggota array di luar rentang yang ditentukan"},
    {TextId::kErrorNumberExpected, u"Data numerik yang diperlukan tidak diperoleh"},
    {TextId::kErrorDimensionMismatch,
     u"Jumlah indeks saat merujuk anggota array bukan 1 dan tidak sama dengan jumlah dimensi "
     u"array saat ini"},
    {TextId::kErrorIndexBelowOne, u"Indeks anggota array harus 1 atau lebih"},
    {TextId::kErrorTypeMismatch, u"Tipe data atau array tidak cocok"},
    {TextId::kErrorDllStack, u"Kesalahan stack ditemukan setelah memanggil perintah DLL"},
    {TextId::kErrorSubStatementValue,
     u"Parameter subekspresi tidak mengembalikan data, atau mengembalikan data yang bukan tipe "
     u"dasar maupun array"},
    {TextId::kErrorCompareEqualOnly,
     u"Data ini hanya dapat dibandingkan dengan sama dengan atau tidak sama dengan"},
    {TextId::kErrorChoiceIndex,
     u"Parameter indeks perintah “pilihan ganda” kurang dari nol atau melebihi daftar parameter"},
    {TextId::kErrorRedimension,
     u"Parameter dimensi perintah “definisikan ulang array” harus lebih dari nol (atau nol ke "
     u"atas untuk satu dimensi)"},
    {TextId::kErrorArgumentType, u"Tipe data parameter tidak sesuai dengan yang diperlukan"},
    {TextId::kErrorAllocationFailed, u"Gagal mengalokasikan {0} byte memori!"},
    {TextId::kErrorDllCommandNotFound,
     u"Perintah ekspor “{0}” tidak ditemukan di file DLL yang ditentukan"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"Perintah ekspor “{1}” tidak ditemukan di file DLL “{0}”"},
    {TextId::kErrorDllCommandUndefined, u"Perintah DLL nomor {0} tidak didefinisikan"},
    {TextId::kErrorWindowNotLoaded, u"Jendela tempat kontrol yang akan diakses belum dimuat"},
    {TextId::kErrorComponentMissing,
     u"Jendela atau kontrol yang ditentukan tidak ada atau belum dimuat"},
    {TextId::kErrorReadPropertyWindowNotLoaded,
     u"Tidak dapat membaca properti kontrol: jendela yang ditentukan belum dimuat"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"Tidak dapat mengubah properti kontrol: jendela yang ditentukan belum dimuat"},
    {TextId::kErrorTemplateData, u"Kesalahan saat memuat data templat jendela!"},
    {TextId::kErrorStartWindow, u"Gagal memuat jendela awal"},
    {TextId::kErrorEventOutOfMemory, u"Memori tidak cukup, operasi tidak dapat diselesaikan."},
    {TextId::kErrorEventWindowNotFound, u"Jendela yang memicu peristiwa tidak ditemukan"},
    {TextId::kErrorEventComponentNotFound, u"Kontrol yang memicu peristiwa tidak ditemukan"},
    {TextId::kErrorEventComponentInvalid, u"Kontrol yang memicu peristiwa tidak valid"},
    {TextId::kErrorInternal, u"Kesalahan internal program: {0}"},
    {TextId::kErrorDataTypeArgument, u"Parameter “tipe data yang akan diambil” tidak valid"},
};

}  // namespace

Catalogue IndonesianCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
