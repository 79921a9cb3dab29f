// Spanish, as Spain and Latin America both read it.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"Abrir"},
    {TextId::kExportButton, u"Exportar"},
    {TextId::kColumnSerial, u"N.º"},
    {TextId::kColumnTimeRange, u"Tiempo"},
    {TextId::kColumnText, u"Subtítulo"},
    {TextId::kTrackListAll, u"Todas las pistas ({0} subtítulos)"},
    {TextId::kTrackListMerged, u"Todas las pistas juntas, bilingüe ({0} subtítulos)"},
    {TextId::kTrackListTrack, u"Pista {0}: {1} ({2} subtítulos)"},

    {TextId::kOpenDialogTitle, u"Abrir archivo JSON"},
    {TextId::kOpenTypeJson, u"Archivos JSON (*.json)"},
    {TextId::kSaveDialogTitle, u"Guardar archivo {0}"},
    {TextId::kSaveTypeSrt, u"Subtítulos (*.srt)"},
    {TextId::kSaveTypeUtf8Srt, u"Subtítulos UTF-8 (*.srt)"},
    {TextId::kSaveTypeWebVtt, u"Subtítulos WebVTT (*.vtt)"},
    {TextId::kSaveTypeText, u"Texto sin formato (*.txt)"},
    {TextId::kSaveTypeAss, u"Subtítulos ASS (*.ass)"},
    {TextId::kFileNameTooLong,
     u"La ruta completa del archivo elegido es demasiado larga para usarla. Elige una carpeta "
     u"con una ruta más corta o un nombre de archivo más corto."},

    {TextId::kMessageTitle, u"Información"},
    {TextId::kParseDone, u"Proyecto abierto."},
    {TextId::kParseDoneNoCaptions,
     u"Proyecto abierto, pero la línea de tiempo no tiene subtítulos."},
    {TextId::kParseDonePlainCopy,
     u"Proyecto abierto. El editor cifró este proyecto, así que los subtítulos vienen de una "
     u"copia anterior sin cifrar, {0} (guardada el {1}), y puede que no sean los más recientes."},
    {TextId::kDraftEncrypted,
     u"No se puede abrir el archivo elegido: el editor cifró este proyecto (JianyingPro 6.0 o "
     u"posterior), así que no se pueden leer sus subtítulos. Usa la exportación de subtítulos "
     u"del propio editor."},
    {TextId::kDraftTooLarge,
     u"No se puede abrir el archivo elegido: el proyecto es demasiado grande para la memoria "
     u"disponible."},
    {TextId::kDraftNotValid,
     u"No se puede abrir el archivo elegido: no es un proyecto de CapCut válido (JSON)."},
    {TextId::kFolderWithoutDraft,
     u"No se puede abrir la carpeta elegida: no contiene ningún proyecto de CapCut "
     u"(draft_content.json o draft_info.json)."},
    {TextId::kUnexportedEditsQuestion,
     u"Los cambios de la tabla aún no se han exportado y se perderán si continúas. ¿Quieres "
     u"continuar?"},
    {TextId::kExportDone, u"Exportación completada."},
    {TextId::kExportDoneLostCharacters,
     u"Exportación completada, pero {0} caracteres no se pueden representar en GBK y se "
     u"escribieron como “?”. Para conservar todos los caracteres, elige “Subtítulos UTF-8” como "
     u"tipo de archivo."},
    {TextId::kExportBadTime,
     u"No se puede exportar como {0}: el tiempo de la fila {1} no es un intervalo como "
     u"“00:00:01,000 --> 00:00:02,500”, o termina antes de empezar. Corrígelo y vuelve a "
     u"exportar."},
    {TextId::kExportFailed, u"Error al exportar: no se puede escribir el archivo elegido."},

    {TextId::kMenuUndo, u"&Deshacer\tCtrl+Z"},
    {TextId::kMenuRedo, u"&Rehacer\tCtrl+Y"},
    {TextId::kMenuCut, u"Cor&tar\tCtrl+X"},
    {TextId::kMenuCopy, u"&Copiar\tCtrl+C"},
    {TextId::kMenuPaste, u"&Pegar\tCtrl+V"},
    {TextId::kMenuDelete, u"&Eliminar\tDel"},
    {TextId::kMenuFind, u"&Buscar…\tCtrl+F"},
    {TextId::kMenuReplace, u"Ree&mplazar…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"&Ajustar tiempos…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"Eliminar &filas\tCtrl+Del"},

    {TextId::kFindTitle, u"Buscar"},
    {TextId::kReplaceTitle, u"Reemplazar"},
    {TextId::kNotFound, u"No se encontró “{0}”."},
    {TextId::kReplacedCount, u"Se reemplazaron {0} coincidencias."},
    {TextId::kShiftTitle, u"Ajustar tiempos"},
    {TextId::kShiftPrompt,
     u"Segundos para mover los subtítulos (negativo para antes), p. ej. 2.5, -1.5, 0.040:"},
    {TextId::kShiftSelectedOnly, u"Mover solo las filas seleccionadas"},
    {TextId::kOk, u"Aceptar"},
    {TextId::kCancel, u"Cancelar"},
    {TextId::kShiftNotSeconds,
     u"“{0}” no es un número de segundos. Escribe segundos como 2.5, -1.5 o 0.040."},
    {TextId::kShiftBeforeZero,
     u"No se pueden ajustar los tiempos: la fila {0} empezaría antes de 00:00:00,000. No se "
     u"cambió ningún subtítulo."},
    {TextId::kShiftNoTimeRange,
     u"No se pueden ajustar los tiempos: el tiempo de la fila {0} no es un intervalo como "
     u"“00:00:01,000 --> 00:00:02,500”. No se cambió ningún subtítulo."},

    {TextId::kUnknownLanguage,
     u"Código de idioma desconocido: “{0}”. Códigos disponibles: {1}. La ventana usará el "
     u"idioma del sistema."},

    {TextId::kErrorTitle, u"Error"},
    {TextId::kErrorReportHeading, u"¡Error en tiempo de ejecución!"},
    {TextId::kErrorReportCode, u"Código de error: {0}"},
    {TextId::kErrorReportMessage, u"Mensaje de error: {0}"},
    {TextId::kErrorWindowNotFound, u"No se encontró la ventana indicada"},
    {TextId::kErrorComponentNotFound, u"No se encontró el control indicado"},
    {TextId::kErrorIndexOutOfRange,
     u"El índice del elemento de la matriz está fuera del intervalo definido"},
    {TextId::kErrorNumberExpected, u"No se obtuvo el valor numérico necesario"},
    {TextId::kErrorDimensionMismatch,
     u"El número de índices al hacer referencia al elemento de la matriz no es 1 ni coincide "
     u"con el número actual de dimensiones de la matriz"},
    {TextId::kErrorIndexBelowOne,
     u"El índice del elemento de la matriz debe ser mayor o igual que 1"},
    {TextId::kErrorTypeMismatch, u"Los tipos de datos o de matriz no coinciden"},
    {TextId::kErrorDllStack, u"Se detectó un error de pila después de llamar a un comando de DLL"},
    {TextId::kErrorSubStatementValue,
     u"El parámetro de la subexpresión no devolvió datos, o devolvió datos que no son de un "
     u"tipo básico ni una matriz"},
    {TextId::kErrorCompareEqualOnly, u"Estos datos solo se pueden comparar con igual o distinto"},
    {TextId::kErrorChoiceIndex,
     u"El parámetro de índice del comando “selección múltiple” es menor que cero o supera la "
     u"lista de parámetros"},
    {TextId::kErrorRedimension,
     u"Los parámetros de dimensión del comando “redefinir matriz” deben ser mayores que cero "
     u"(o mayores o iguales que cero con una sola dimensión)"},
    {TextId::kErrorArgumentType, u"El tipo de datos del parámetro no es el requerido"},
    {TextId::kErrorAllocationFailed, u"¡No se pudieron asignar {0} bytes de memoria!"},
    {TextId::kErrorDllCommandNotFound,
     u"No se encontró el comando exportado “{0}” en la DLL indicada"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"No se encontró el comando exportado “{1}” en la DLL “{0}”"},
    {TextId::kErrorDllCommandUndefined, u"El comando de DLL número {0} no está definido"},
    {TextId::kErrorWindowNotLoaded,
     u"La ventana del control al que se quiere acceder no está cargada"},
    {TextId::kErrorComponentMissing,
     u"La ventana o el control indicado no existe o aún no se ha cargado"},
    {TextId::kErrorReadPropertyWindowNotLoaded,
     u"No se puede leer la propiedad del control: la ventana indicada aún no se ha cargado"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"No se puede cambiar la propiedad del control: la ventana indicada aún no se ha "
     u"cargado"},
    {TextId::kErrorTemplateData, u"¡Error al cargar los datos de la plantilla de la ventana!"},
    {TextId::kErrorStartWindow, u"No se pudo cargar la ventana inicial"},
    {TextId::kErrorEventOutOfMemory, u"Memoria insuficiente; no se pudo completar la operación."},
    {TextId::kErrorEventWindowNotFound, u"No se encontró la ventana que generó el evento"},
    {TextId::kErrorEventComponentNotFound, u"No se encontró el control que generó el evento"},
    {TextId::kErrorEventComponentInvalid, u"El control que generó el evento no es válido"},
    {TextId::kErrorInternal, u"Error interno del programa: {0}"},
    {TextId::kErrorDataTypeArgument,
     u"El parámetro “tipo de datos que se va a obtener” no es válido"},
};

}  // namespace

Catalogue SpanishCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
