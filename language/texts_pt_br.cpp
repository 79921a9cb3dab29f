// Brazilian Portuguese.
#include <iterator>

#include "language/catalogue.h"

namespace language {
namespace {

constexpr CatalogueEntry kEntries[] = {
    {TextId::kParseButton, u"Abrir"},
    {TextId::kExportButton, u"Exportar"},
    {TextId::kColumnSerial, u"Nº"},
    {TextId::kColumnTimeRange, u"Tempo"},
    {TextId::kColumnText, u"Legenda"},
    {TextId::kTrackListAll, u"Todas as faixas ({0} legendas)"},
    {TextId::kTrackListMerged, u"Todas as faixas juntas, bilíngue ({0} legendas)"},
    {TextId::kTrackListTrack, u"Faixa {0}: {1} ({2} legendas)"},

    {TextId::kOpenDialogTitle, u"Abrir arquivo JSON"},
    {TextId::kOpenTypeJson, u"Arquivos JSON (*.json)"},
    {TextId::kSaveDialogTitle, u"Salvar arquivo {0}"},
    {TextId::kSaveTypeSrt, u"Legendas (*.srt)"},
    {TextId::kSaveTypeUtf8Srt, u"Legendas UTF-8 (*.srt)"},
    {TextId::kSaveTypeWebVtt, u"Legendas WebVTT (*.vtt)"},
    {TextId::kSaveTypeText, u"Texto simples (*.txt)"},
    {TextId::kSaveTypeAss, u"Legendas ASS (*.ass)"},
    {TextId::kFileNameTooLong,
     u"O caminho completo do arquivo escolhido é longo demais para ser usado. Escolha uma pasta "
     u"com um caminho mais curto ou um nome de arquivo mais curto."},

    {TextId::kMessageTitle, u"Informação"},
    {TextId::kParseDone, u"Projeto aberto."},
    {TextId::kParseDoneNoCaptions, u"Projeto aberto, mas a linha do tempo não tem legendas."},
    {TextId::kParseDonePlainCopy,
     u"Projeto aberto. O editor criptografou este projeto, então as legendas vêm de uma cópia "
     u"anterior sem criptografia, {0} (salva em {1}), e podem não ser as mais recentes."},
    {TextId::kDraftEncrypted,
     u"Não é possível abrir o arquivo escolhido: o editor criptografou este projeto "
     u"(JianyingPro 6.0 ou posterior), então as legendas não podem ser lidas. Use a exportação "
     u"de legendas do próprio editor."},
    {TextId::kDraftTooLarge,
     u"Não é possível abrir o arquivo escolhido: o projeto é grande demais para a memória "
     u"disponível."},
    {TextId::kDraftNotValid,
     u"Não é possível abrir o arquivo escolhido: não é um projeto válido do CapCut (JSON)."},
    {TextId::kFolderWithoutDraft,
     u"Não é possível abrir a pasta escolhida: ela não contém um projeto do CapCut "
     u"(draft_content.json ou draft_info.json)."},
    {TextId::kUnexportedEditsQuestion,
     u"As alterações na tabela ainda não foram exportadas e serão perdidas se você continuar. "
     u"Continuar?"},
    {TextId::kExportDone, u"Exportação concluída."},
    {TextId::kExportDoneLostCharacters,
     u"Exportação concluída, mas {0} caracteres não existem em GBK e foram gravados como “?”. "
     u"Para manter todos os caracteres, escolha “Legendas UTF-8” como tipo de arquivo."},
    {TextId::kExportBadTime,
     u"Não é possível exportar como {0}: o tempo na linha {1} não é um intervalo como "
     u"“00:00:01,000 --> 00:00:02,500”, ou termina antes de começar. Corrija e exporte de novo."},
    {TextId::kExportFailed, u"Falha na exportação: não é possível gravar o arquivo escolhido."},

    {TextId::kMenuUndo, u"&Desfazer\tCtrl+Z"},
    {TextId::kMenuRedo, u"&Refazer\tCtrl+Y"},
    {TextId::kMenuCut, u"Recor&tar\tCtrl+X"},
    {TextId::kMenuCopy, u"&Copiar\tCtrl+C"},
    {TextId::kMenuPaste, u"C&olar\tCtrl+V"},
    {TextId::kMenuDelete, u"&Excluir\tDel"},
    {TextId::kMenuFind, u"&Localizar…\tCtrl+F"},
    {TextId::kMenuReplace, u"&Substituir…\tCtrl+H"},
    {TextId::kMenuShiftTimes, u"&Ajustar tempos…\tCtrl+T"},
    {TextId::kMenuDeleteRows, u"Excluir li&nhas\tCtrl+Del"},

    {TextId::kFindTitle, u"Localizar"},
    {TextId::kReplaceTitle, u"Substituir"},
    {TextId::kNotFound, u"“{0}” não encontrado."},
    {TextId::kReplacedCount, u"{0} ocorrências substituídas."},
    {TextId::kShiftTitle, u"Ajustar tempos"},
    {TextId::kShiftPrompt,
     u"Segundos para mover as legendas (negativo move para antes), ex.: 2.5, -1.5, 0.040:"},
    {TextId::kShiftSelectedOnly, u"Mover só as linhas selecionadas"},
    {TextId::kOk, u"OK"},
    {TextId::kCancel, u"Cancelar"},
    {TextId::kShiftNotSeconds,
     u"“{0}” não é um número de segundos. Digite segundos como 2.5, -1.5 ou 0.040."},
    {TextId::kShiftBeforeZero,
     u"Não é possível ajustar os tempos: a linha {0} começaria antes de 00:00:00,000. Nenhuma "
     u"legenda foi alterada."},
    {TextId::kShiftNoTimeRange,
     u"Não é possível ajustar os tempos: o tempo na linha {0} não é um intervalo como "
     u"“00:00:01,000 --> 00:00:02,500”. Nenhuma legenda foi alterada."},

    {TextId::kUnknownLanguage,
     u"Código de idioma desconhecido: “{0}”. Códigos disponíveis: {1}. A janela usará o "
     u"idioma do sistema."},

    {TextId::kErrorTitle, u"Erro"},
    {TextId::kErrorReportHeading, u"Erro em tempo de execução!"},
    {TextId::kErrorReportCode, u"Código do erro: {0}"},
    {TextId::kErrorReportMessage, u"Mensagem de erro: {0}"},
    {TextId::kErrorWindowNotFound, u"A janela indicada não foi encontrada"},
    {TextId::kErrorComponentNotFound, u"O controle indicado não foi encontrado"},
    {TextId::kErrorIndexOutOfRange,
     u"O índice do elemento da matriz está fora do intervalo definido"},
    {TextId::kErrorNumberExpected, u"O valor numérico necessário não foi obtido"},
    {TextId::kErrorDimensionMismatch,
     u"O número de índices ao referenciar o elemento da matriz não é 1 nem igual ao número atual "
     u"de dimensões da matriz"},
    {TextId::kErrorIndexBelowOne, u"O índice do elemento da matriz deve ser maior ou igual a 1"},
    {TextId::kErrorTypeMismatch, u"Os tipos de dados ou de matriz não correspondem"},
    {TextId::kErrorDllStack, u"Erro de pilha detectado após chamar um comando de DLL"},
    {TextId::kErrorSubStatementValue,
     u"O parâmetro da subexpressão não retornou dados, ou retornou dados que não são de um tipo "
     u"básico nem uma matriz"},
    {TextId::kErrorCompareEqualOnly, u"Estes dados só podem ser comparados com igual ou diferente"},
    {TextId::kErrorChoiceIndex,
     u"O índice do comando “escolha múltipla” é menor que zero ou excede a lista de parâmetros"},
    {TextId::kErrorRedimension,
     u"Os parâmetros de dimensão do comando “redefinir matriz” devem ser maiores que zero (ou "
     u"maiores ou iguais a zero com uma só dimensão)"},
    {TextId::kErrorArgumentType, u"O tipo de dados do parâmetro não é o exigido"},
    {TextId::kErrorAllocationFailed, u"Falha ao alocar {0} bytes de memória!"},
    {TextId::kErrorDllCommandNotFound,
     u"O comando exportado “{0}” não foi encontrado na DLL indicada"},
    {TextId::kErrorDllCommandNotFoundInLibrary,
     u"O comando exportado “{1}” não foi encontrado na DLL “{0}”"},
    {TextId::kErrorDllCommandUndefined, u"O comando de DLL número {0} não está definido"},
    {TextId::kErrorWindowNotLoaded, u"A janela do controle a ser acessado não está carregada"},
    {TextId::kErrorComponentMissing,
     u"A janela ou o controle indicado não existe ou ainda não foi carregado"},
    {TextId::kErrorReadPropertyWindowNotLoaded,
     u"Não é possível ler a propriedade do controle: a janela indicada ainda não foi "
     u"carregada"},
    {TextId::kErrorWritePropertyWindowNotLoaded,
     u"Não é possível alterar a propriedade do controle: a janela indicada ainda não foi "
     u"carregada"},
    {TextId::kErrorTemplateData, u"Erro ao carregar os dados do modelo da janela!"},
    {TextId::kErrorStartWindow, u"Falha ao carregar a janela inicial"},
    {TextId::kErrorEventOutOfMemory, u"Memória insuficiente; a operação não pôde ser concluída."},
    {TextId::kErrorEventWindowNotFound, u"A janela que gerou o evento não foi encontrada"},
    {TextId::kErrorEventComponentNotFound, u"O controle que gerou o evento não foi encontrado"},
    {TextId::kErrorEventComponentInvalid, u"O controle que gerou o evento é inválido"},
    {TextId::kErrorInternal, u"Erro interno do programa: {0}"},
    {TextId::kErrorDataTypeArgument, u"O parâmetro “tipo de dados a obter” é inválido"},
};

}  // namespace

Catalogue BrazilianPortugueseCatalogue() { return {kEntries, std::size(kEntries)}; }

}  // namespace language
