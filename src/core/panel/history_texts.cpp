// The History window's language table. Every language writes its own month and weekday names and
// its own typography (French puts a space before a colon); Czech is stored as Czech is written.
#include "core/panel/history_texts.h"

#include <array>

#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

using Column = std::array<std::string_view, kLanguageCount>;

// clang-format off
constexpr std::array<Column, kHistoryTextCount> kTable = {{
    // menuItem (below "Options..." in the pop-up menu, written the same way)
    {{"History...", "Geschiedenis...", "Verlauf...", "Historial...", "Historique...",
      "Historik...", "Historikk...", "Histórico...", "Historie..."}},
    // title
    {{"History - Quillomat", "Geschiedenis - Quillomat", "Verlauf - Quillomat",
      "Historial - Quillomat", "Historique - Quillomat", "Historik - Quillomat",
      "Historikk - Quillomat", "Histórico - Quillomat", "Historie - Quillomat"}},
    // measure
    {{"Measure:", "Meting:", "Messgröße:", "Medida:", "Mesure :", "Mått:", "Mål:", "Medida:",
      "Veličina:"}},
    // keystrokes
    {{"Keystrokes", "Toetsaanslagen", "Tastenanschläge", "Pulsaciones", "Frappes",
      "Tangentnedslag", "Tastetrykk", "Toques de tecla", "Úhozy"}},
    // clicks
    {{"Clicks (all buttons)", "Klikken (alle knoppen)", "Klicks (alle Tasten)",
      "Clics (todos los botones)", "Clics (tous les boutons)", "Klick (alla knappar)",
      "Klikk (alle knapper)", "Cliques (todos os botões)", "Kliknutí (všechna tlačítka)"}},
    // left
    {{"Left button", "Linkerknop", "Linke Taste", "Botón izquierdo", "Bouton gauche",
      "Vänster knapp", "Venstre knapp", "Botão esquerdo", "Levé tlačítko"}},
    // right
    {{"Right button", "Rechterknop", "Rechte Taste", "Botón derecho", "Bouton droit",
      "Höger knapp", "Høyre knapp", "Botão direito", "Pravé tlačítko"}},
    // middle
    {{"Middle button", "Middenknop", "Mittlere Taste", "Botón central", "Bouton central",
      "Mittenknapp", "Midtre knapp", "Botão do meio", "Prostřední tlačítko"}},
    // x1
    {{"Extra button 1", "Extra knop 1", "Extra-Taste 1", "Botón extra 1",
      "Bouton supplémentaire 1", "Extraknapp 1", "Ekstraknapp 1", "Botão extra 1",
      "Další tlačítko 1"}},
    // x2
    {{"Extra button 2", "Extra knop 2", "Extra-Taste 2", "Botón extra 2",
      "Bouton supplémentaire 2", "Extraknapp 2", "Ekstraknapp 2", "Botão extra 2",
      "Další tlačítko 2"}},
    // wheel
    {{"Mouse wheel", "Muiswiel", "Mausrad", "Rueda del ratón", "Molette", "Mushjul",
      "Musehjul", "Roda do mouse", "Kolečko myši"}},
    // distance
    {{"Distance", "Afstand", "Strecke", "Distancia", "Distance", "Sträcka", "Avstand",
      "Distância", "Vzdálenost"}},
    // activeTime
    {{"Active time", "Actieve tijd", "Aktive Zeit", "Tiempo activo", "Temps actif", "Aktiv tid",
      "Aktiv tid", "Tempo ativo", "Aktivní čas"}},
    // totalsPer
    {{"Totals per:", "Totalen per:", "Summen pro:", "Totales por:", "Totaux par :",
      "Summor per:", "Summer per:", "Totais por:", "Součty za:"}},
    // day
    {{"day", "dag", "Tag", "día", "jour", "dag", "dag", "dia", "den"}},
    // week
    {{"week", "week", "Woche", "semana", "semaine", "vecka", "uke", "semana", "týden"}},
    // month
    {{"month", "maand", "Monat", "mes", "mois", "månad", "måned", "mês", "měsíc"}},
    // range
    {{"Range:", "Periode:", "Zeitraum:", "Periodo:", "Période :", "Period:", "Periode:",
      "Período:", "Období:"}},
    // last30Days
    {{"Last 30 days", "Laatste 30 dagen", "Letzte 30 Tage", "Últimos 30 días",
      "30 derniers jours", "Senaste 30 dagarna", "Siste 30 dager", "Últimos 30 dias",
      "Posledních 30 dní"}},
    // last12Months
    {{"Last 12 months", "Laatste 12 maanden", "Letzte 12 Monate", "Últimos 12 meses",
      "12 derniers mois", "Senaste 12 månaderna", "Siste 12 måneder", "Últimos 12 meses",
      "Posledních 12 měsíců"}},
    // yearOf
    {{"Year {}", "Jaar {}", "Jahr {}", "Año {}", "Année {}", "År {}", "År {}", "Ano {}",
      "Rok {}"}},
    // wholeHistory
    {{"The whole history", "De hele geschiedenis", "Gesamter Verlauf", "Todo el historial",
      "Tout l'historique", "Hela historiken", "Hele historikken", "Todo o histórico",
      "Celá historie"}},
    // saveCsv
    {{"Save as CSV...", "Opslaan als CSV...", "Als CSV speichern...", "Guardar como CSV...",
      "Enregistrer en CSV...", "Spara som CSV...", "Lagre som CSV...", "Salvar como CSV...",
      "Uložit jako CSV..."}},
    // csvFiles (the save dialog's file type)
    {{"CSV files (*.csv)", "CSV-bestanden (*.csv)", "CSV-Dateien (*.csv)",
      "Archivos CSV (*.csv)", "Fichiers CSV (*.csv)", "CSV-filer (*.csv)", "CSV-filer (*.csv)",
      "Arquivos CSV (*.csv)", "Soubory CSV (*.csv)"}},
    // saveFailed (the system's reason follows on the next line)
    {{"The file could not be saved:", "Het bestand kon niet worden opgeslagen:",
      "Die Datei konnte nicht gespeichert werden:", "No se pudo guardar el archivo:",
      "Le fichier n'a pas pu être enregistré :", "Filen kunde inte sparas:",
      "Filen kunne ikke lagres:", "Não foi possível salvar o arquivo:",
      "Soubor se nepodařilo uložit:"}},
    // hoursOfDay
    {{"Hours of the day", "Uren van de dag", "Stunden des Tages", "Horas del día",
      "Heures de la journée", "Dygnets timmar", "Døgnets timer", "Horas do dia",
      "Hodiny dne"}},
    // noHours
    {{"The history keeps the hours of keystrokes and clicks only.",
      "De geschiedenis bewaart alleen de uren van toetsaanslagen en klikken.",
      "Der Verlauf speichert die Stunden nur für Tastenanschläge und Klicks.",
      "El historial guarda las horas solo de las pulsaciones y los clics.",
      "L'historique ne conserve les heures que des frappes et des clics.",
      "Historiken sparar timmarna bara för tangentnedslag och klick.",
      "Historikken lagrer timene bare for tastetrykk og klikk.",
      "O histórico guarda as horas apenas dos toques de tecla e dos cliques.",
      "Historie uchovává hodiny jen u úhozů a kliknutí."}},
    // noUse (the legend's square of a day without use)
    {{"No use", "Niet gebruikt", "Keine Nutzung", "Sin uso", "Aucune utilisation",
      "Ingen användning", "Ingen bruk", "Sem uso", "Bez použití"}},
    // date
    {{"Date", "Datum", "Datum", "Fecha", "Date", "Datum", "Dato", "Data", "Datum"}},
    // doubleClicks
    {{"Double clicks", "Dubbele klikken", "Doppelklicks", "Clics dobles", "Double-clics",
      "Dubbelklick", "Dobbeltklikk", "Cliques duplos", "Dvojkliky"}},
    // idleTime
    {{"Idle time", "Inactieve tijd", "Leerlaufzeit", "Tiempo inactivo", "Temps d'inactivité",
      "Inaktiv tid", "Inaktiv tid", "Tempo ocioso", "Doba nečinnosti"}},
    // monthYear ({m}: the month's name, {y}: the year)
    {{"{m} {y}", "{m} {y}", "{m} {y}", "{m} de {y}", "{m} {y}", "{m} {y}", "{m} {y}",
      "{m} de {y}", "{m} {y}"}},
}};

constexpr std::array<std::array<std::string_view, 12>, kLanguageCount> kMonths = {{
    {{"January", "February", "March", "April", "May", "June", "July", "August", "September",
      "October", "November", "December"}},
    {{"januari", "februari", "maart", "april", "mei", "juni", "juli", "augustus", "september",
      "oktober", "november", "december"}},
    {{"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September",
      "Oktober", "November", "Dezember"}},
    {{"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre",
      "octubre", "noviembre", "diciembre"}},
    {{"janvier", "février", "mars", "avril", "mai", "juin", "juillet", "août", "septembre",
      "octobre", "novembre", "décembre"}},
    {{"januari", "februari", "mars", "april", "maj", "juni", "juli", "augusti", "september",
      "oktober", "november", "december"}},
    {{"januar", "februar", "mars", "april", "mai", "juni", "juli", "august", "september",
      "oktober", "november", "desember"}},
    {{"janeiro", "fevereiro", "março", "abril", "maio", "junho", "julho", "agosto", "setembro",
      "outubro", "novembro", "dezembro"}},
    {{"leden", "únor", "březen", "duben", "květen", "červen", "červenec", "srpen", "září",
      "říjen", "listopad", "prosinec"}},
}};

constexpr std::array<std::array<std::string_view, 12>, kLanguageCount> kShortMonths = {{
    {{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"}},
    {{"jan", "feb", "mrt", "apr", "mei", "jun", "jul", "aug", "sep", "okt", "nov", "dec"}},
    {{"Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"}},
    {{"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"}},
    {{"janv.", "févr.", "mars", "avr.", "mai", "juin", "juil.", "août", "sept.", "oct.", "nov.",
      "déc."}},
    {{"jan", "feb", "mar", "apr", "maj", "jun", "jul", "aug", "sep", "okt", "nov", "dec"}},
    {{"jan", "feb", "mar", "apr", "mai", "jun", "jul", "aug", "sep", "okt", "nov", "des"}},
    {{"jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"}},
    {{"led", "úno", "bře", "dub", "kvě", "čvn", "čvc", "srp", "zář", "říj", "lis", "pro"}},
}};

constexpr std::array<std::array<std::string_view, 7>, kLanguageCount> kWeekdays = {{
    {{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}},
    {{"ma", "di", "wo", "do", "vr", "za", "zo"}},
    {{"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"}},
    {{"lun", "mar", "mié", "jue", "vie", "sáb", "dom"}},
    {{"lun.", "mar.", "mer.", "jeu.", "ven.", "sam.", "dim."}},
    {{"mån", "tis", "ons", "tor", "fre", "lör", "sön"}},
    {{"man", "tir", "ons", "tor", "fre", "lør", "søn"}},
    {{"seg", "ter", "qua", "qui", "sex", "sáb", "dom"}},
    {{"po", "út", "st", "čt", "pá", "so", "ne"}},
}};
// clang-format on

size_t ColumnOf(int language) {
  return static_cast<size_t>(IsKnownLanguage(language) ? language : kEnglish);
}

std::string Replaced(std::string text, std::string_view mark, std::string_view value) {
  const size_t at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), value);
  return text;
}

}  // namespace

std::string_view HistoryWindowText(HistoryText row, int language) {
  return kTable[static_cast<size_t>(row)][ColumnOf(language)];
}

std::string_view HistoryMonthName(int month, bool abbreviated, int language) {
  const size_t m = static_cast<size_t>(month < 1 || month > 12 ? 1 : month) - 1;
  return (abbreviated ? kShortMonths : kMonths)[ColumnOf(language)][m];
}

std::string_view HistoryWeekdayName(int weekday, int language) {
  return kWeekdays[ColumnOf(language)]
                  [static_cast<size_t>(weekday < 0 || weekday > 6 ? 0 : weekday)];
}

std::string HistoryTextWith(HistoryText row, int language, std::string_view value) {
  return Replaced(std::string(HistoryWindowText(row, language)), "{}", value);
}

std::string HistoryMonthYear(int month, int year, int language) {
  const std::string text =
      Replaced(std::string(HistoryWindowText(HistoryText::monthYear, language)), "{m}",
               HistoryMonthName(month, false, language));
  return Replaced(text, "{y}", std::to_string(year));
}

}  // namespace quillo
