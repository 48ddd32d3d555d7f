// The import question's language table. Czech is stored as Czech is written (UTF-8).
#include "core/panel/import_texts.h"

#include <array>

#include "core/panel/main_window_texts.h"

namespace quillo {
namespace {

using Column = std::array<std::string_view, kLanguageCount>;

// clang-format off
constexpr std::array<Column, kImportTextCount> kTable = {{
    // question
    {{"Replace the current totals with the totals in this file?",
      "De huidige totalen vervangen door de totalen in dit bestand?",
      "Die aktuellen Summen durch die Summen in dieser Datei ersetzen?",
      "¿Reemplazar los totales actuales por los totales de este archivo?",
      "Remplacer les totaux actuels par ceux de ce fichier ?",
      "Ersätta de nuvarande summorna med summorna i den här filen?",
      "Erstatte de nåværende summene med summene i denne filen?",
      "Substituir os totais atuais pelos totais deste arquivo?",
      "Nahradit současné součty součty z tohoto souboru?"}},
    // now
    {{"Now:", "Nu:", "Jetzt:", "Ahora:", "Maintenant :", "Nu:", "Nå:", "Agora:", "Nyní:"}},
    // inFile
    {{"In the file:", "In het bestand:", "In der Datei:", "En el archivo:", "Dans le fichier :",
      "I filen:", "I filen:", "No arquivo:", "V souboru:"}},
    // keystrokes
    {{"Keystrokes", "Toetsaanslagen", "Tastenanschläge", "Pulsaciones", "Frappes",
      "Tangentnedslag", "Tastetrykk", "Toques de tecla", "Úhozy"}},
    // clicks
    {{"Clicks (all buttons)", "Klikken (alle knoppen)", "Klicks (alle Tasten)",
      "Clics (todos los botones)", "Clics (tous les boutons)", "Klick (alla knappar)",
      "Klikk (alle knapper)", "Cliques (todos os botões)", "Kliknutí (všechna tlačítka)"}},
    // distance
    {{"Distance", "Afstand", "Strecke", "Distancia", "Distance", "Sträcka", "Avstand",
      "Distância", "Vzdálenost"}},
    // runningTime
    {{"Running time", "Looptijd", "Laufzeit", "Tiempo en marcha", "Temps de fonctionnement",
      "Körtid", "Kjøretid", "Tempo em execução", "Doba běhu"}},
    // backupNote
    {{"Before the import, the current totals are saved to:",
      "Voor de import worden de huidige totalen bewaard in:",
      "Vor dem Import werden die aktuellen Summen gesichert in:",
      "Antes de importar, los totales actuales se guardan en:",
      "Avant l'importation, les totaux actuels sont enregistrés dans :",
      "Före importen sparas de nuvarande summorna i:",
      "Før importen lagres de nåværende summene i:",
      "Antes da importação, os totais atuais são salvos em:",
      "Před importem se současné součty uloží do:"}},
    // undoNote
    {{"To undo the import, import that file.",
      "Importeer dat bestand om de import ongedaan te maken.",
      "Um den Import rückgängig zu machen, importieren Sie diese Datei.",
      "Para deshacer la importación, importe ese archivo.",
      "Pour annuler l'importation, importez ce fichier.",
      "Importera den filen för att ångra importen.",
      "Importer den filen for å angre importen.",
      "Para desfazer a importação, importe esse arquivo.",
      "Import vrátíte zpět importem tohoto souboru."}},
    // backupFailed
    {{"The current totals could not be saved to the backups folder, so the file was not imported; the counters have not been changed.",
      "De huidige totalen konden niet in de map met reservekopieën worden bewaard, dus het bestand is niet geïmporteerd; de tellers zijn niet gewijzigd.",
      "Die aktuellen Summen konnten nicht im Sicherungsordner gespeichert werden, daher wurde die Datei nicht importiert; die Zähler sind unverändert.",
      "No se pudieron guardar los totales actuales en la carpeta de copias de seguridad, por lo que el archivo no se importó; los contadores no han cambiado.",
      "Les totaux actuels n'ont pas pu être enregistrés dans le dossier des sauvegardes : le fichier n'a pas été importé et les compteurs n'ont pas changé.",
      "De nuvarande summorna kunde inte sparas i mappen för säkerhetskopior, så filen importerades inte; mätarna har inte ändrats.",
      "De nåværende summene kunne ikke lagres i mappen for sikkerhetskopier, så filen ble ikke importert; tellerne er ikke endret.",
      "Não foi possível salvar os totais atuais na pasta de cópias de segurança, por isso o arquivo não foi importado; os contadores não foram alterados.",
      "Současné součty se nepodařilo uložit do složky záloh, proto soubor nebyl importován; počitadla se nezměnila."}},
}};
// clang-format on

}  // namespace

std::string_view ImportQuestionText(ImportText row, int language) {
  const int column = IsKnownLanguage(language) ? language : kEnglish;
  return kTable[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

}  // namespace quillo
