// The keyboard page's language table. Key names follow what each language's keyboards and media
// players call them.
#include "core/panel/keyboard_texts.h"

#include <array>

#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

using Column = std::array<std::string_view, kLanguageCount>;

// English, Dutch, German, Spanish, French, Swedish, Norwegian, Portuguese (Brazil), Czech.
// clang-format off
constexpr std::array<Column, kKeyboardTextCount> kTable = {{
    // chartsPage
    {{"Charts", "Grafieken", "Diagramme", "Gráficos", "Graphiques", "Diagram", "Diagrammer",
      "Gráficos", "Grafy"}},
    // keyboardPage
    {{"Keyboard", "Toetsenbord", "Tastatur", "Teclado", "Clavier", "Tangentbord", "Tastatur",
      "Teclado", "Klávesnice"}},
    // clicksPage
    {{"Clicks", "Klikken", "Klicks", "Clics", "Clics", "Klick", "Klikk", "Cliques",
      "Kliknutí"}},
    // rangeDay (the calendar's selected day)
    {{"The day", "De dag", "Der Tag", "El día", "Le jour", "Dagen", "Dagen", "O dia", "Den"}},
    // rangeWeek (the week that holds it)
    {{"Its week", "De week", "Die Woche", "La semana", "La semaine", "Veckan", "Uken",
      "A semana", "Týden"}},
    // rangeMonth
    {{"Its month", "De maand", "Der Monat", "El mes", "Le mois", "Månaden", "Måneden", "O mês",
      "Měsíc"}},
    // rangeYear
    {{"Its year", "Het jaar", "Das Jahr", "El año", "L'année", "Året", "Året", "O ano", "Rok"}},
    // rangeAll
    {{"All time", "Altijd", "Gesamte Zeit", "Todo el tiempo", "Depuis le début", "All tid",
      "All tid", "Todo o período", "Celou dobu"}},
    // savePicture
    {{"Save picture...", "Afbeelding opslaan...", "Bild speichern...", "Guardar imagen...",
      "Enregistrer l'image...", "Spara bild...", "Lagre bilde...", "Salvar imagem...",
      "Uložit obrázek..."}},
    // pngFiles (the save dialog's file type)
    {{"PNG pictures (*.png)", "PNG-afbeeldingen (*.png)", "PNG-Bilder (*.png)",
      "Imágenes PNG (*.png)", "Images PNG (*.png)", "PNG-bilder (*.png)", "PNG-bilder (*.png)",
      "Imagens PNG (*.png)", "Obrázky PNG (*.png)"}},
    // mostUsed (the table's title)
    {{"Most used keys", "Meest gebruikte toetsen", "Meistgenutzte Tasten",
      "Teclas más usadas", "Touches les plus utilisées", "Mest använda tangenter",
      "Mest brukte taster", "Teclas mais usadas", "Nejpoužívanější klávesy"}},
    // keyHeading
    {{"Key", "Toets", "Taste", "Tecla", "Touche", "Tangent", "Tast", "Tecla", "Klávesa"}},
    // countHeading
    {{"Presses", "Aanslagen", "Anschläge", "Pulsaciones", "Frappes", "Nedslag", "Trykk",
      "Toques", "Stisky"}},
    // modifiers
    {{"Modifiers", "Speciale toetsen", "Umschalttasten", "Modificadores", "Modificateurs",
      "Modifierare", "Modifikatorer", "Modificadores", "Modifikátory"}},
    // allModifiers (the modifiers' share of all presses)
    {{"All modifiers", "Alle speciale toetsen", "Alle Umschalttasten", "Todos los modificadores",
      "Tous les modificateurs", "Alla modifierare", "Alle modifikatorer",
      "Todos os modificadores", "Všechny modifikátory"}},
    // notDrawn
    {{"Counted but not drawn", "Geteld maar niet getekend", "Gezählt, aber nicht abgebildet",
      "Contadas pero no dibujadas", "Comptées mais non dessinées", "Räknade men inte ritade",
      "Talt, men ikke tegnet", "Contadas, mas não desenhadas", "Počítané, ale nezobrazené"}},
    // keyCode (a key without a name: its virtual-key code)
    {{"Key {}", "Toets {}", "Taste {}", "Tecla {}", "Touche {}", "Tangent {}", "Tast {}",
      "Tecla {}", "Klávesa {}"}},
    // volumeMute
    {{"Mute", "Dempen", "Stumm", "Silencio", "Muet", "Ljud av", "Demp", "Mudo", "Ztlumit"}},
    // volumeDown
    {{"Volume down", "Volume omlaag", "Leiser", "Bajar volumen", "Volume -", "Volym ned",
      "Volum ned", "Diminuir volume", "Snížit hlasitost"}},
    // volumeUp
    {{"Volume up", "Volume omhoog", "Lauter", "Subir volumen", "Volume +", "Volym upp",
      "Volum opp", "Aumentar volume", "Zvýšit hlasitost"}},
    // nextTrack
    {{"Next track", "Volgend nummer", "Nächster Titel", "Pista siguiente", "Piste suivante",
      "Nästa spår", "Neste spor", "Próxima faixa", "Další skladba"}},
    // previousTrack
    {{"Previous track", "Vorig nummer", "Vorheriger Titel", "Pista anterior",
      "Piste précédente", "Föregående spår", "Forrige spor", "Faixa anterior",
      "Předchozí skladba"}},
    // stopMedia
    {{"Stop", "Stoppen", "Stopp", "Detener", "Arrêt", "Stopp", "Stopp", "Parar", "Zastavit"}},
    // playPause
    {{"Play/Pause", "Afspelen/pauze", "Wiedergabe/Pause", "Reproducir/Pausa", "Lecture/Pause",
      "Spela/Paus", "Spill av/pause", "Reproduzir/Pausar", "Přehrát/Pozastavit"}},
}};
// clang-format on

}  // namespace

std::string_view KeyboardWindowText(KeyboardText row, int language) {
  const size_t column = static_cast<size_t>(IsKnownLanguage(language) ? language : kEnglish);
  return kTable[static_cast<size_t>(row)][column];
}

std::string KeyboardTextWith(KeyboardText row, int language, std::string_view value) {
  std::string text(KeyboardWindowText(row, language));
  const size_t at = text.find("{}");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

}  // namespace quillo
