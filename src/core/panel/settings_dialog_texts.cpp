// The settings dialog's language table. The Czech column is stored as Czech is written (UTF-8).
#include "core/panel/settings_dialog_texts.h"

namespace quillo {
namespace {

using Column = std::array<std::string_view, kLanguageCount>;
// An empty cell of group A: that language has no text of its own, so the English one stays.
constexpr std::string_view _{};

// clang-format off
constexpr std::array<Column, kDialogTextCount> kTable = {{
    // ---- Group A ----
    // Metingstring (the line of the last daily log: "<text>: <date>")
    {{"Last Logging", "Laatste registratie", "Letzte Protokollierung", "Último registro", "Dernier enregistrement", "Senaste loggning", "Siste logging", "Último registro", "Poslední záznam"}},
    // Sindsstring (the line of the last reset: "<text><date and time>")
    {{"Measuring since ", "Gemeten sinds ", _, _, _, _, _, _, _}},
    // chktime
    {{"Running Time", "Looptijd", _, _, _, _, _, _, _}},
    // chkIdleTime
    {{"Idle Time", _, _, _, _, _, _, _, _}},
    // chkWheel
    {{"Mouse Wheel Scrolls", "Muiswielbewegingen", "Mausradbewegungen", "Giros de la rueda", "Tours de molette", "Mushjulsrullningar", "Rulling med musehjul", "Giros da roda", "Otočení kolečka myši"}},
    // TabSheet4
    {{"Data Upload", "Data Upload", "Daten-Upload", "Envío de datos", "Envoi des données", "Datauppladdning", "Dataopplasting", "Envio de dados", "Odesílání dat"}},
    // TabSheet3
    {{"Time Logging", "Tijdsregistratie", "Zeiterfassung", "Registro de tiempo", "Suivi du temps", "Tidsloggning", "Tidslogging", "Registro de tempo", "Záznam času"}},
    // lblAlias
    {{"Alias", "Alias", _, _, _, _, _, _, _}},
    // lblComment
    {{"Comment", "Opmerking", _, _, _, _, _, _, _}},
    // chkenable
    {{"Enable Automatic Data Upload", "Automatische data-upload inschakelen", _, _, _, _, _, _, _}},
    // lblSend
    {{"Send every", "Verzenden elke", _, _, _, _, _, _, _}},
    // lblMinutes
    {{"Minutes", "Minuten", _, _, _, _, _, _, _}},
    // btnSend
    {{"Send Now !", "Nu verzenden !", _, _, _, _, _, _, _}},
    // btnBrowse
    {{"View Results", "Resultaten bekijken", _, _, _, _, _, _, _}},
    // btnRunning
    {{"Show Only Running Time", "Alleen looptijd tonen", _, _, _, _, _, _, _}},
    // btnTotal
    {{"Show Total Time", "Totale tijd tonen", _, _, _, _, _, _, _}},
    // chklog
    {{"Log Every Day", "Elke dag loggen", _, _, _, _, _, _, _}},
    // btnViewFile
    {{"Show Log", "Log tonen", _, _, _, _, _, _, _}},
    // btnHistory
    {{"Since Last Reset", "Sinds laatste reset", _, _, _, _, _, _, _}},
    // btnStart
    {{"Since Last Start", "Sinds laatste start", _, _, _, _, _, _, _}},
    // chkHide
    {{"Hide Screen on Startup", _, _, _, _, _, _, _, _}},
    // lblBackground
    {{"Background", "Achtergrond", "Hintergrund", "Fondo", "Arrière-plan", "Bakgrund", "Bakgrunn", "Fundo", "Pozadí"}},
    // lblIdle
    {{"Idle Time Delay", _, _, _, _, _, _, _, _}},
    // lblSeconds
    {{"Seconds", _, _, _, _, _, _, _, _}},
    // ---- Group B ----
    // lblMonitor
    {{"Monitor", "Monitor", "Bildschirm", "Monitor", "Écran", "Bildskärm", "Skjerm", "Monitor", "Monitor"}},
    // lblDistance
    {{"Units", "Eenheden", "Einheiten", "Unidades", "Unités", "Enheter", "Enheter", "Unidades", "Jednotky"}},
    // lblOrientation
    {{"Orientation", "Oriëntatie", "Ausrichtung", "Orientación", "Orientation", "Orientering", "Retning", "Orientação", "Orientace"}},
    // lblDigits
    {{"Digits", "Cijfers", "Ziffern", "Dígitos", "Chiffres", "Siffror", "Sifre", "Dígitos", "Číslice"}},
    // lblLanguage
    {{"Language", "Taal", "Sprache", "Idioma", "Langue", "Språk", "Språk", "Idioma", "Jazyk"}},
    // lblResol
    {{"Resolution", "Resolutie", "Auflösung", "Resolución", "Résolution", "Upplösning", "Oppløsning", "Resolução", "Rozlišení"}},
    // lblTransparent
    {{"Transparent", "Transparantie", "Transparenz", "Transparencia", "Transparence", "Genomskinlig", "Gjennomsiktig", "Transparência", "Průhlednost"}},
    // chkTop
    {{"Always on Top", "Altijd op voorgrond", "Immer im Vordergrund", "Siempre visible", "Toujours au premier plan", "Alltid överst", "Alltid øverst", "Sempre visível", "Vždy navrchu"}},
    // chkStartup
    {{"Run on Startup", "Starten met Windows", "Mit Windows starten", "Iniciar con Windows", "Lancer au démarrage de Windows", "Starta med Windows", "Start med Windows", "Iniciar com o Windows", "Spouštět se systémem Windows"}},
    // TabSheet1
    {{"General", "Algemeen", "Allgemein", "General", "Général", "Allmänt", "Generelt", "Geral", "Obecné"}},
    // TabSheet2
    {{"Displayed Items", "Getoonde items", "Angezeigte Werte", "Elementos mostrados", "Éléments affichés", "Visade värden", "Viste verdier", "Itens exibidos", "Zobrazené položky"}},
    // chkDistance
    {{"Cursor Distance", "Cursorafstand", "Cursorstrecke", "Distancia del cursor", "Distance du curseur", "Markörens sträcka", "Markørdistanse", "Distância do cursor", "Vzdálenost kurzoru"}},
    // chkKeystrokes
    {{"Keystrokes", "Toetsaanslagen", "Tastenanschläge", "Pulsaciones de teclas", "Frappes de touches", "Tangentnedslag", "Tastetrykk", "Teclas pressionadas", "Úhozy kláves"}},
    // chkLeftButton
    {{"Left Button Clicks", "Klikken linkerknop", "Klicks linke Taste", "Clics del botón izquierdo", "Clics du bouton gauche", "Klick med vänster knapp", "Klikk med venstre knapp", "Cliques do botão esquerdo", "Levé tlačítko"}},
    // chkRightButton
    {{"Right Button Clicks", "Klikken rechterknop", "Klicks rechte Taste", "Clics del botón derecho", "Clics du bouton droit", "Klick med höger knapp", "Klikk med høyre knapp", "Cliques do botão direito", "Pravé tlačítko"}},
    // chkmidclick
    {{"Middle Button Clicks", "Klikken middenknop", "Klicks mittlere Taste", "Clics del botón central", "Clics du bouton central", "Klick med mittenknappen", "Klikk med midtre knapp", "Cliques do botão do meio", "Prostřední tlačítko"}},
    // chkXButton1
    {{"Extra Button 1 Clicks", "Klikken extra knop 1", "Klicks Extra-Taste 1", "Clics del botón extra 1", "Clics du bouton extra 1", "Klick med extraknapp 1", "Klikk med ekstraknapp 1", "Cliques do botão extra 1", "Další tlačítko 1"}},
    // chkXButton2
    {{"Extra Button 2 Clicks", "Klikken extra knop 2", "Klicks Extra-Taste 2", "Clics del botón extra 2", "Clics du bouton extra 2", "Klick med extraknapp 2", "Klikk med ekstraknapp 2", "Cliques do botão extra 2", "Další tlačítko 2"}},
    // chkDoubleClicks
    {{"Double Clicks", "Dubbele kliks", "Doppelklicks", "Dobles clics", "Doubles clics", "Dubbelklick", "Dobbeltklikk", "Cliques duplos", "Dvojkliky"}},
    // btnOK
    {{"OK", "OK", "OK", "Si", "Accepter", "OK", "OK", "OK", "OK"}},
    // btnCancel
    {{"Cancel", "Cancel", "Abbrechen", "Cancelar", "Annuler", "Avbryt", "Avbryt", "Cancelar", "Zrušit"}},
    // btnApply
    {{"Apply", "Toepassen", "Anwenden", "Aplicar", "Appliquer", "Applicera", "Gjelder", "Aplicar", "Použít"}},
    // Horstring
    {{"Horizontal", "Horizontaal", "Horizontal", "Horizontal", "Horizontale", "Horisontell", "Horisontal", "Horizontal", "Horizontální"}},
    // Verstring
    {{"Vertical", "Verticaal", "Vertikal", "Vertical", "Verticale", "Vertikal", "Vertikal", "Vertical", "Vertikální"}},
    // EngString
    {{"English system", "Engels systeem", "Englisches System", "Sistema inglés", "Système anglais", "Engelsk måttenhet", "Engelsk system", "Sistema inglês", "Anglický systém"}},
    // Metricstring
    {{"Metric system", "Metrisch systeem", "Metrisches System", "Sistema métrico", "Système métrique", "Meterenhet", "Metrisk system", "Sistema métrico", "Metrický systém"}},
    // Inchstring
    {{"Inch", "Inch", "Inch", "pulgada", "pouces", "inch", "inch", "polegadas", "Palec"}},
    // chkSpeed
    {{"Cursor Speed", "Cursor Snelheid", "Cursorgeschwindigkeit", "Velocidad del cursor", "Vitesse du curseur", "Markörens hastighet", "Markørhastighet", "Velocidade do cursor", "Rychlost kurzoru"}},
}};
// clang-format on

}  // namespace

bool HasOwnDialogText(DialogText row, int language) {
  if (!IsKnownLanguage(language)) return false;
  return !kTable[static_cast<size_t>(row)][static_cast<size_t>(language)].empty();
}

std::string_view DialogTextFor(DialogText row, int language) {
  const Column& cells = kTable[static_cast<size_t>(row)];
  if (HasOwnDialogText(row, language)) return cells[static_cast<size_t>(language)];
  return cells[kEnglish];
}

SettingsDialogTexts DialogTextsForLanguage(int language) {
  SettingsDialogTexts t;
  t.language = IsKnownLanguage(language) ? language : kEnglish;
  for (int row = 0; row < kDialogTextCount; ++row)
    t.rows[static_cast<size_t>(row)] =
        std::string(DialogTextFor(static_cast<DialogText>(row), language));
  return t;
}

}  // namespace quillo
