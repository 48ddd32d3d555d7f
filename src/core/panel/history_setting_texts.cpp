// The "History" page's language table. Czech is stored as Czech is written (UTF-8).
#include "core/panel/history_setting_texts.h"

#include <array>

#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

using Column = std::array<std::string_view, kLanguageCount>;

// clang-format off
constexpr std::array<Column, kHistoryTextCount> kTable = {{
    // TabHistory
    {{"History", "Geschiedenis", "Verlauf", "Historial", "Historique", "Historik", "Historikk",
      "Histórico", "Historie"}},
    // chkKeepHistory
    {{"Keep a history", "Geschiedenis bijhouden", "Verlauf aufzeichnen", "Guardar un historial",
      "Conserver un historique", "Spara historik", "Lagre historikk", "Manter um histórico",
      "Uchovávat historii"}},
    // lblHistoryNote
    {{"The history stays on this computer and is never sent anywhere.",
      "De geschiedenis blijft op deze computer en wordt nooit ergens heen gestuurd.",
      "Der Verlauf bleibt auf diesem Computer und wird nirgendwohin gesendet.",
      "El historial se queda en este equipo y nunca se envía a ninguna parte.",
      "L'historique reste sur cet ordinateur et n'est jamais envoyé nulle part.",
      "Historiken stannar på den här datorn och skickas aldrig någonstans.",
      "Historikken blir på denne datamaskinen og sendes aldri noe sted.",
      "O histórico fica neste computador e nunca é enviado a lugar nenhum.",
      "Historie zůstává v tomto počítači a nikdy se nikam neodesílá."}},
    // lblHistoryFolder
    {{"The history is kept in this folder:",
      "De geschiedenis wordt bewaard in deze map:",
      "Der Verlauf wird in diesem Ordner gespeichert:",
      "El historial se guarda en esta carpeta:",
      "L'historique est conservé dans ce dossier :",
      "Historiken sparas i den här mappen:",
      "Historikken lagres i denne mappen:",
      "O histórico é guardado nesta pasta:",
      "Historie se uchovává v této složce:"}},
    // btnDeleteHistory
    {{"Delete history…", "Geschiedenis verwijderen…", "Verlauf löschen…", "Eliminar historial…",
      "Supprimer l'historique…", "Ta bort historiken…", "Slett historikken…", "Excluir histórico…",
      "Smazat historii…"}},
    // deleteQuestion
    {{"Delete the history? Every day kept so far is deleted and cannot be brought back.",
      "De geschiedenis verwijderen? Elke dag die tot nu toe is bijgehouden, wordt verwijderd en kan niet worden teruggehaald.",
      "Den Verlauf löschen? Jeder bisher aufgezeichnete Tag wird gelöscht und kann nicht wiederhergestellt werden.",
      "¿Eliminar el historial? Se eliminarán todos los días guardados hasta ahora y no se podrán recuperar.",
      "Supprimer l'historique ? Tous les jours conservés jusqu'ici seront supprimés et ne pourront pas être récupérés.",
      "Ta bort historiken? Varje dag som har sparats hittills tas bort och kan inte återställas.",
      "Slette historikken? Hver dag som er lagret hittil, slettes og kan ikke gjenopprettes.",
      "Excluir o histórico? Todos os dias guardados até agora serão excluídos e não poderão ser recuperados.",
      "Smazat historii? Všechny dosud uchované dny budou smazány a nelze je obnovit."}},
    // deleteFailed
    {{"The history could not be deleted:",
      "De geschiedenis kon niet worden verwijderd:",
      "Der Verlauf konnte nicht gelöscht werden:",
      "No se pudo eliminar el historial:",
      "L'historique n'a pas pu être supprimé :",
      "Historiken kunde inte tas bort:",
      "Historikken kunne ikke slettes:",
      "Não foi possível excluir o histórico:",
      "Historii se nepodařilo smazat:"}},
}};
// clang-format on

}  // namespace

std::string_view HistorySettingText(HistoryText row, int language) {
  const int column = IsKnownLanguage(language) ? language : kEnglish;
  return kTable[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

}  // namespace quillo
