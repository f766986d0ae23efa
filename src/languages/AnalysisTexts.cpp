#include "AnalysisTexts.h"

#include <cstddef>
#include <iterator>

namespace {

struct TTextPair {
    const char* French;
    const char* Dutch;
};

// In the order of TAnalysisText. The words follow the program's own table:
// "remise en circulation" / "wederopenstelling", "pose" / "aanbrenging".
constexpr TTextPair Table[] = {
    {"A&nalyse", "&Analyse"},
    {"&Analyse du refroidissement...", "&Afkoelingsanalyse..."},
    {"&Rapport PDF...", "PDF-&rapport..."},
    {"Analyse du refroidissement", "Afkoelingsanalyse"},
    {"Les données ont changé : cette fenêtre montre le calcul précédent. Appuyez sur « Calcul » pour la mettre à jour.",
        "De gegevens zijn gewijzigd: dit venster toont de vorige berekening. Druk op \"Berekening\" om het bij te werken."},
    {"Courbe de refroidissement", "Afkoelingscurve"},
    {"Profil en profondeur", "Temperatuur in de diepte"},
    {"Météo : et si ?", "Weer: wat als?"},
    {"Plan de pose", "Aanbrengplanning"},
    {"Pose : %1", "Aanbrenging: %1"},
    {"Remise en circulation : %1", "Wederopenstelling: %1"},
    {"Attente : %1", "Wachttijd: %1"},
    {"Attention : remise en circulation de nuit. Premier moment de jour : %1",
        "Let op: wederopenstelling 's nachts. Eerste daglicht: %1"},
    {"%1 h %2 min", "%1 u %2 min"},
    {"Couche, max. (critère)", "Laag, max. (criterium)"},
    {"Surface", "Oppervlak"},
    {"Air", "Lucht"},
    {"Seuil %1 °C", "Drempel %1 °C"},
    {"Nuit", "Nacht"},
    {"Remise en circulation", "Wederopenstelling"},
    {"Heure", "Tijdstip"},
    {"Température (°C)", "Temperatuur (°C)"},
    {"Profondeur (cm)", "Diepte (cm)"},
    {"%1 : couche %2 °C, surface %3 °C, air %4 °C", "%1: laag %2 °C, oppervlak %3 °C, lucht %4 °C"},
    {"Moment : %1 (après %2)", "Tijdstip: %1 (na %2)"},
    {"Nouvelle couche", "Nieuwe laag"},
    {"Couche sous-jacente", "Onderliggende laag"},
    {"Limite de couche", "Laaggrens"},
    {"%1\n(%2)", "%1\n(%2)"},
    {"nuit", "nacht"},
    {"En gras : conditions du calcul. « nuit » : remise en circulation entre le coucher et le lever du soleil.",
        "Vet: weersomstandigheden van de berekening. \"nacht\": wederopenstelling tussen zonsondergang en zonsopgang."},
    {"Heure de pose", "Uur aanbrenging"},
    {"Remise en circulation", "Wederopenstelling"},
    {"Attente", "Wachttijd"},
    {"À temps", "Op tijd"},
    {"Remise en circulation au plus tard :", "Wederopenstelling uiterlijk:"},
    {"Dernière pose à temps : %1", "Laatste aanbrenging op tijd: %1"},
    {"Aucune pose de la journée ne permet d'ouvrir à temps.", "Geen enkele aanbrenging van de dag is op tijd open."},
    {"Heure de pose", "Uur aanbrenging"},
    {"oui", "ja"},
    {"Calcul des variantes...", "Varianten worden berekend..."},
    {"Arrêter", "Stoppen"},
    {"Enregistrer la courbe (CSV)...", "Curve opslaan (CSV)..."},
    {"Enregistrer le graphique (PNG)...", "Grafiek opslaan (PNG)..."},
    {"Enregistrer le rapport PDF", "PDF-rapport opslaan"},
    {"Chantier ou projet :", "Werf of project:"},
    {"Fichiers CSV (*.csv)", "CSV-bestanden (*.csv)"},
    {"Images PNG (*.png)", "PNG-afbeeldingen (*.png)"},
    {"Documents PDF (*.pdf)", "PDF-documenten (*.pdf)"},
    {"Le fichier « %1 » n'a pas pu être enregistré.", "Het bestand \"%1\" kon niet worden opgeslagen."},
    {"Rapport de refroidissement d'une couche d'enrobé", "Afkoelingsrapport van een asfaltlaag"},
    {"Chantier : %1", "Werf: %1"},
    {"Données", "Gegevens"},
    {"Épaisseur de la nouvelle couche : %1 cm", "Dikte nieuwe laag: %1 cm"},
    {"Température de pose : %1 °C", "Aanbrengingstemperatuur: %1 °C"},
    {"Température de remise en circulation : %1 °C", "Temperatuur wederopenstelling: %1 °C"},
    {"Vitesse du vent : %1", "Windsnelheid: %1"},
    {"Nébulosité : %1", "Bewolkingsgraad: %1"},
    {"Pose : %1", "Aanbrenging: %1"},
    {"Heure légale : %1", "Wettelijke tijd: %1"},
    {"Résultat", "Resultaat"},
    {"Météo : et si ?", "Weer: wat als?"},
    {"Kelvara LE version %1, imprimé le %2", "Kelvara LE versie %1, afgedrukt op %2"},
    {"Ce résultat est une estimation par un modèle de calcul. Il doit être confirmé par une mesure de "
     "température sur chantier avant la remise en circulation.",
        "Dit resultaat is een schatting met een rekenmodel. Bevestig het met een temperatuurmeting op de werf "
        "voor de weg opnieuw wordt opengesteld."},
    {"heure d'été", "zomertijd"},
    {"heure d'hiver", "wintertijd"},
    {"La remise en circulation tomberait après le 31/12/9999, au-delà du calendrier : choisissez une date de pose "
     "plus tôt.",
        "De wederopenstelling zou na 31/12/9999 vallen, voorbij de kalender: kies een vroegere datum van "
        "aanbrenging."},
    {"Enregistrer le graphique « %1 » (PNG)", "Grafiek \"%1\" opslaan (PNG)"},
    {"Attention : remise en circulation de nuit.", "Let op: wederopenstelling 's nachts."},
    {"Le modèle ne donne pas de résultat pour ces conditions.",
        "Het model geeft geen resultaat voor deze omstandigheden."},
    {"Selon les classes : %1", "Volgens de klassen: %1"},
    {"Selon la météo choisie : %1", "Volgens het gekozen weer: %1"},
    {"remise en circulation %1 · attente %2", "wederopenstelling %1 · wachttijd %2"},
    {"%1 min plus tard", "%1 min later"},
    {"%1 min plus tôt", "%1 min vroeger"},
    {"à la même minute", "op dezelfde minuut"},
    {"Compactage possible jusqu'à %1 (moyenne de la couche %2 °C)",
        "Verdichten mogelijk tot %1 (laaggemiddelde %2 °C)"},
    {"Pas de compactage : couche posée à %1 °C, pas au-dessus de la fin du compactage (%2 °C)",
        "Geen verdichting: laag aangebracht op %1 °C, niet boven het einde van de verdichting (%2 °C)"},
    {"Compactage possible jusqu'après la remise en circulation (moyenne de la couche %1 °C)",
        "Verdichten mogelijk tot na de wederopenstelling (laaggemiddelde %1 °C)"},
    {"Couche, moyenne", "Laag, gemiddelde"},
    {"Compactage %1 °C", "Verdichting %1 °C"},
    {"Météo : %1", "Weer: %1"},
    {"classes de vent et de nébulosité du calcul", "wind- en bewolkingsklassen van de berekening"},
    {"La météo choisie commence après la pose, le %1 : ses premières valeurs valent avant.",
        "Het gekozen weer begint na de aanbrenging, op %1: de eerste waarden gelden daarvoor."},
    {"La météo choisie s'arrête le %1 : ses dernières valeurs valent au-delà.",
        "Het gekozen weer stopt op %1: daarna gelden de laatste waarden."},
    {"Pas de résultat avec la météo choisie : seules les classes sont montrées.",
        "Geen resultaat met het gekozen weer: alleen de klassen worden getoond."},
    {"Les variantes restent sur les classes de vent et de nébulosité, sans la météo choisie.",
        "De varianten blijven bij de wind- en bewolkingsklassen, zonder het gekozen weer."},
    {"Météo pendant le refroidissement", "Weer tijdens de afkoeling"},
    {"Heure", "Tijdstip"},
    {"Air (°C)", "Lucht (°C)"},
    {"Vent (m/s)", "Wind (m/s)"},
    {"Nébulosité (%)", "Bewolking (%)"},
};
static_assert(std::size(Table) == static_cast<std::size_t>(TAnalysisText::Count), "one pair per text");

}  // namespace

QString AnalysisTexts::Text(TLanguage language, TAnalysisText id)
{
    const TTextPair& pair = Table[static_cast<std::size_t>(id)];
    return QString::fromUtf8(language == lgNL ? pair.Dutch : pair.French);
}
