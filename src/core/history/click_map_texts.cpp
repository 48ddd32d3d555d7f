// The click map's language table. The buttons are named as their choice reads after the page's
// "buttons" (the adjective agrees with each language's word for a mouse button); French keeps its
// space before a colon.
#include "core/history/click_map_texts.h"

#include <array>

#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

using Column = std::array<std::string_view, kLanguageCount>;

// clang-format off
constexpr std::array<Column, kClickMapTextCount> kTable = {{
    // allButtons
    {{"All buttons", "Alle knoppen", "Alle Maustasten", "Todos los botones", "Tous les boutons",
      "Alla knappar", "Alle knapper", "Todos os botões", "Všechna tlačítka"}},
    // left
    {{"Left", "Links", "Links", "Izquierdo", "Gauche", "Vänster", "Venstre", "Esquerdo", "Levé"}},
    // right
    {{"Right", "Rechts", "Rechts", "Derecho", "Droit", "Höger", "Høyre", "Direito", "Pravé"}},
    // middle
    {{"Middle", "Midden", "Mitte", "Central", "Central", "Mitten", "Midtre", "Do meio",
      "Prostřední"}},
    // back (the first extra button, which browsers take as "back")
    {{"Back", "Terug", "Zurück", "Atrás", "Précédent", "Bakåt", "Tilbake", "Voltar", "Zpět"}},
    // forward (the second extra button)
    {{"Forward", "Vooruit", "Vorwärts", "Adelante", "Suivant", "Framåt", "Fremover", "Avançar",
      "Vpřed"}},
    // day
    {{"Day", "Dag", "Tag", "Día", "Jour", "Dag", "Dag", "Dia", "Den"}},
    // week
    {{"Week", "Week", "Woche", "Semana", "Semaine", "Vecka", "Uke", "Semana", "Týden"}},
    // month
    {{"Month", "Maand", "Monat", "Mes", "Mois", "Månad", "Måned", "Mês", "Měsíc"}},
    // year
    {{"Year", "Jaar", "Jahr", "Año", "Année", "År", "År", "Ano", "Rok"}},
    // allTime (the whole history)
    {{"All time", "Hele geschiedenis", "Gesamter Verlauf", "Todo el historial",
      "Tout l'historique", "Hela historiken", "Hele historikken", "Todo o histórico",
      "Celá historie"}},
    // fewer (the legend's light end)
    {{"Fewer", "Minder", "Weniger", "Menos", "Moins", "Färre", "Færre", "Menos", "Méně"}},
    // more (the legend's dark end)
    {{"More", "Meer", "Mehr", "Más", "Plus", "Fler", "Flere", "Mais", "Více"}},
    // monitorNumber
    {{"Monitor {}", "Beeldscherm {}", "Bildschirm {}", "Pantalla {}", "Écran {}", "Skärm {}",
      "Skjerm {}", "Monitor {}", "Monitor {}"}},
    // monitorsCount
    {{"Monitors: {}", "Beeldschermen: {}", "Bildschirme: {}", "Pantallas: {}", "Écrans : {}",
      "Skärmar: {}", "Skjermer: {}", "Monitores: {}", "Monitory: {}"}},
    // labelValue (a button's name and its presses)
    {{"{}: {}", "{}: {}", "{}: {}", "{}: {}", "{} : {}", "{}: {}", "{}: {}", "{}: {}",
      "{}: {}"}},
    // point (a place on the screen, in pixels from the desktop's origin)
    {{"x {}, y {}", "x {}, y {}", "x {}, y {}", "x {}, y {}", "x {}, y {}", "x {}, y {}",
      "x {}, y {}", "x {}, y {}", "x {}, y {}"}},
    // noClicks
    {{"No clicks in this range", "Geen klikken in deze periode",
      "Keine Klicks in diesem Zeitraum", "No hay clics en este periodo",
      "Aucun clic sur cette période", "Inga klick under den här perioden",
      "Ingen klikk i denne perioden", "Nenhum clique neste período",
      "V tomto období žádná kliknutí"}},
}};
// clang-format on

}  // namespace

std::string_view ClickMapWindowText(ClickMapText row, int language) {
  const auto r = static_cast<size_t>(row);
  if (r >= kTable.size()) return {};
  return kTable[r][static_cast<size_t>(IsKnownLanguage(language) ? language : kEnglish)];
}

std::string ClickMapTextWith(ClickMapText row, int language,
                             std::initializer_list<std::string_view> values) {
  const std::string_view text = ClickMapWindowText(row, language);
  std::string out;
  size_t from = 0;
  for (std::string_view v : values) {
    const size_t at = text.find("{}", from);
    if (at == std::string_view::npos) break;
    out.append(text.substr(from, at - from)).append(v);
    from = at + 2;
  }
  out.append(text.substr(from));
  return out;
}

}  // namespace quillo
