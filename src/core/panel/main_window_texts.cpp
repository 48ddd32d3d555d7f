// The main window's language table. The Czech column is stored as Czech is written (UTF-8).
#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

using Column = std::array<std::string_view, kLanguageCount>;

// clang-format off
constexpr std::array<Column, kMainTextCount> kTable = {{
    // onstring
    {{"on", "aan", "Ein", "on", "on", "på", "på", "på", "vyp"}},
    // offstring
    {{"off", "uit", "Aus", "off", "off", "av", "av", "av", "zap"}},
    // pnldays
    {{"days", "dagen", "Tage", "días", "jours", "dagar", "dager", "dias", "dnů"}},
    // pnlKeyStrokes
    {{"keystrokes", "toetsen", "Anschläge", "pulsaciones", "frappes", "nedslag", "tastetrykk", "toques", "úhozů"}},
    // pnlLeftBut
    {{"left button", "linkerknop", "Linke Taste", "clics izquierdo", "bouton gauche", "vänster knapp", "venstre knapp", "botão esquerdo", "levé tlačítko"}},
    // pnlRightBut
    {{"right button", "rechterknop", "Rechte Taste", "botón derecho", "bouton droit", "höger knapp", "høyre knapp", "botão direito", "právé tlačítko"}},
    // pnlMidBut
    {{"middle button", "middenknop", "Mittlere Taste", "botón central", "bouton central", "mittenknapp", "midtre knapp", "botão meio", "prostřední tlačítko"}},
    // pnlXbut1
    {{"extra button 1", "extra knop 1", "Extra Taste 1", "botón extra 1", "bouton extra 1", "extra knapp 1", "ekstra knapp 1", "botão extra 1", "další tlačítko 1"}},
    // pnlXBut2
    {{"extra button 2", "extra knop 2", "Extra Taste 2", "botón extra 2", "bouton extra 2", "extra knapp 2", "ekstra knapp 2", "botão extra 2", "další tlačítko 2"}},
    // pnlDBLClick
    {{"double clicks", "dubbele kliks", "Doppelklicks", "clics dobles", "double clics", "dubbelklick", "dobbeltklikk", "duplos cliques", "dvojklik"}},
    // HidePanel1
    {{"Show/Hide Counter Panel", "Toon/Verberg Meters", "Anzeigen/Verstecken", "Mostrar/Ocultar panel", "Afficher/Cacher le panneau", "Visa/Göm panel", "Vis/Gjem vindu", "Mostrar/Ocultar painel", "Zobrazit/Minimalizovat"}},
    // ResetCounter1
    {{"Reset Counters", "Tellers terugzetten", "Messungen zurücksetzen", "Reiniciar contador", "Remettre à zéro", "Nollställ mätare", "Nullstill tellere", "Anular contador", "Vynulování Počítadla"}},
    // SetupQuillomat1
    {{"Options...", "Quillomat Instellingen...", "Einstellungen...", "Configurar Quillomat...", "Régler Quillomat...", "Inställningar för Quillomat...", "Oppsett Quillomat...", "Configurar Quillomat...", "Nastavení..."}},
    // Help1
    {{"Show Helpfile", "Help", "Hilfe", "Ayuda", "Aide", "Hjälp", "Help", "Ajuda", "Zobrazit Nápovědu"}},
    // Info1
    {{"About Quillomat...", "Informatie...", "Informationen...", "información...", "Information...", "Information...", "Information...", "Informações...", "O Programu Quillomat..."}},
    // Exit1
    {{"Exit", "Einde", "Beenden", "Salir", "Quitter", "Avsluta", "Avslutt", "Sair", "Ukončit"}},
    // Resetquestion
    {{"Are you sure you want to reset all the counters ?",
      "Bent U zeker dat U alle tellers op nul wil zetten ?",
      "Sind sie sicher, dass sie alle Messungen zurücksetzen wollen ?",
      "¿Seguro que quiere poner a cero todos los contadores?",
      "Voulez-vous remettre les compteurs à zéro ?",
      "Är du säker på att du vill nollställa alla mätare?",
      "Er du sikker på at du vil nullstille alle tellere?",
      "Tem a certeza que deseja anular todos os contadores?",
      "Jste si jisti, že chcete obnovit všechny počitadla ?"}},
    // milestring
    {{"miles", "mijlen", "Meilen", "millas", "miles", "miles", "miles", "milhas", "míle"}},
    // yardstring
    {{"yards", "yards", "Yard", "yardas", "verges", "yards", "yards", "yardas", "yardy"}},
    // inchstring2 (the short word of the panel's distance column)
    {{"inch", "inch", "Inch", "pulg.", "po", "inch", "inch", "pol.", "palec"}},
    // inchstring (tray hint and log)
    {{"inch", "inch", "Inch", "pulgada", "pouces", "inch", "inch", "polegadas", "palec"}},
    // yesstring
    {{"Yes", "Ja", "Ja", "Si", "Oui", "Ja", "Ja", "Sim", "Ano"}},
    // nostring
    {{"No", "Nee", "Nein", "No", "Non", "Nej", "Nei", "Não", "Ne"}},
    // pnlWheel
    {{"mousewheel", "muiswiel", "Mausrad", "Rueda del ratón", "molette de souris", "mushjulet", "musehjulet", "roda do mouse", "kolečko myši"}},
    // pnlspeed
    {{"speed", "snelheid", "Fahrt", "velocidad", "vitesse", "fart", "fart", "velocidade", "rychlost"}},
    // Checkforupdate1
    {{"Check for New Version...", "Check voor een nieuwe versie...", "Internet auf Update prüfen...", "Buscar Actualizaciones...", "Vérifier les mises à jour...", "Sök efter uppdatering...", "Sjekk etter oppdatering...", "Verificar atualização...", "Zkontrolujte, zda není nová verze..."}},
}};

constexpr Column kLanguageList = {
    "English / Anglais", "Dutch / Nederlands", "German / Deutsch", "Spanish / Español",
    "French / Français", "Swedish / Svenska", "Norwegian / Norge", "Portuguese / Português",
    "Czech / čeština"};
// clang-format on

// French names the button's action rather than repeating the two state words.
constexpr std::string_view kFrenchOnOffHint = "Démarrer / Arrêter";

int ColumnOf(int language) {
  return IsKnownLanguage(language) ? language : kEnglish;
}

}  // namespace

std::string_view MainWindowText(MainText row, int language) {
  return kTable[static_cast<size_t>(row)][static_cast<size_t>(ColumnOf(language))];
}

std::string_view LanguageListText(int language) {
  return kLanguageList[static_cast<size_t>(ColumnOf(language))];
}

MainWindowTexts TextsForLanguage(int language) {
  MainWindowTexts t;
  t.language = ColumnOf(language);
  auto text = [&](MainText row) { return std::string(MainWindowText(row, t.language)); };
  t.onstring = text(MainText::onstring);
  t.offstring = text(MainText::offstring);
  t.pnldays = text(MainText::pnldays);
  t.pnlKeyStrokes = text(MainText::pnlKeyStrokes);
  t.pnlLeftBut = text(MainText::pnlLeftBut);
  t.pnlRightBut = text(MainText::pnlRightBut);
  t.pnlMidBut = text(MainText::pnlMidBut);
  t.pnlXbut1 = text(MainText::pnlXbut1);
  t.pnlXBut2 = text(MainText::pnlXBut2);
  t.pnlDBLClick = text(MainText::pnlDBLClick);
  t.pnlWheel = text(MainText::pnlWheel);
  t.pnlspeed = text(MainText::pnlspeed);
  t.HidePanel1 = text(MainText::HidePanel1);
  t.ResetCounter1 = text(MainText::ResetCounter1);
  t.SetupQuillomat1 = text(MainText::SetupQuillomat1);
  t.Help1 = text(MainText::Help1);
  t.Info1 = text(MainText::Info1);
  t.Exit1 = text(MainText::Exit1);
  t.Checkforupdate1 = text(MainText::Checkforupdate1);
  t.Resetquestion = text(MainText::Resetquestion);
  t.yesstring = text(MainText::yesstring);
  t.nostring = text(MainText::nostring);
  t.milestring = text(MainText::milestring);
  t.yardstring = text(MainText::yardstring);
  t.inchstring2 = text(MainText::inchstring2);
  t.inchstring = text(MainText::inchstring);
  t.onOffHint =
      t.language == kFrench ? std::string(kFrenchOnOffHint) : t.onstring + " / " + t.offstring;
  return t;
}

}  // namespace quillo
