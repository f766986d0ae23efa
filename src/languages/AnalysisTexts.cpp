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
    {"Couche neuve, max. (critère)", "Nieuwe laag, max. (criterium)"},
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
    // The weather panel.
    {"Météo de l'analyse", "Weer van de analyse"},
    {"Classes du calcul (vent et nébulosité)", "Klassen van de berekening (wind en bewolking)"},
    {"Valeurs mesurées", "Gemeten waarden"},
    {"Prévision météo", "Weersverwachting"},
    {"Température de l'air (°C)", "Luchttemperatuur (°C)"},
    {"Vitesse du vent (m/s)", "Windsnelheid (m/s)"},
    {"Nébulosité (%)", "Bewolkingsgraad (%)"},
    {"Importer une prévision...", "Verwachting importeren..."},
    {"Télécharger la prévision", "Verwachting downloaden"},
    {"Annuler", "Annuleren"},
    {"Latitude du chantier (°N)", "Breedtegraad van de werf (°NB)"},
    {"Longitude du chantier (°E)", "Lengtegraad van de werf (°OL)"},
    {"Pour la prévision seulement : le soleil reste celui du modèle.",
        "Enkel voor de verwachting: de zon blijft die van het model."},
    {"Température de fin de compactage (°C)", "Temperatuur einde verdichting (°C)"},
    {"Importer une prévision", "Verwachting importeren"},
    {"Fichiers météo (*.csv *.json);;Tous les fichiers (*)", "Weerbestanden (*.csv *.json);;Alle bestanden (*)"},
    {"Source : fichier « %1 »", "Bron: bestand \"%1\""},
    {"Source : %1 (%2 °N, %3 °E), téléchargée le %4", "Bron: %1 (%2 °NB, %3 °OL), gedownload op %4"},
    {"Pas encore de prévision : importez un fichier ou téléchargez-la.",
        "Nog geen verwachting: importeer een bestand of download ze."},
    {"Téléchargement de la prévision depuis %1...", "Verwachting wordt gedownload van %1..."},
    {"Le fichier « %1 » n'a pas pu être lu comme météo.\n%2",
        "Het bestand \"%1\" kon niet als weergegevens worden gelezen.\n%2"},
    {"La prévision n'a pas pu être téléchargée : pas de connexion au réseau, ou le service « %1 » est introuvable.",
        "De verwachting kon niet worden gedownload: geen netwerkverbinding, of de dienst \"%1\" is niet gevonden."},
    {"La prévision n'a pas pu être téléchargée : le service « %1 » refuse la connexion.",
        "De verwachting kon niet worden gedownload: de dienst \"%1\" weigert de verbinding."},
    {"La prévision n'a pas pu être téléchargée : le service « %1 » n'a pas répondu à temps.",
        "De verwachting kon niet worden gedownload: de dienst \"%1\" heeft niet op tijd geantwoord."},
    {"La prévision n'a pas pu être téléchargée : le service « %1 » a répondu par l'erreur %2.",
        "De verwachting kon niet worden gedownload: de dienst \"%1\" antwoordde met fout %2."},
    {"La réponse du service « %1 » n'est pas une prévision lisible.\n%2",
        "Het antwoord van de dienst \"%1\" is geen leesbare verwachting.\n%2"},
    {"La prévision n'a pas pu être téléchargée depuis « %1 ».\n%2",
        "De verwachting kon niet worden gedownload van \"%1\".\n%2"},
    {"Heure", "Tijdstip"},
    {"Air (°C)", "Lucht (°C)"},
    {"Vent (m/s)", "Wind (m/s)"},
    {"Nébulosité (%)", "Bewolking (%)"},
    {"La météo suit les classes de vent et de nébulosité du calcul.",
        "Het weer volgt de wind- en bewolkingsklassen van de berekening."},
    {"« — » : classe du calcul ; pour l'air, la température du modèle.",
        "\"—\": klasse van de berekening; voor de lucht, de temperatuur van het model."},
    {"La météo s'arrête le %1 : ses dernières valeurs sont tenues jusqu'à la fin du calcul.",
        "Het weer stopt op %1: de laatste waarden blijven gelden tot het einde van de berekening."},
    {"La météo (du %1 au %2) ne couvre pas la pose du %3 : ses valeurs extrêmes sont tenues.",
        "Het weer (van %1 tot %2) dekt de aanbrenging van %3 niet: de uiterste waarden blijven gelden."},
    {"Cette météo ne convient pas à l'horloge du calcul.\n%1", "Dit weer past niet bij de klok van de berekening.\n%1"},
};
static_assert(std::size(Table) == static_cast<std::size_t>(TAnalysisText::Count), "one pair per text");

}  // namespace

QString AnalysisTexts::Text(TLanguage language, TAnalysisText id)
{
    const TTextPair& pair = Table[static_cast<std::size_t>(id)];
    return QString::fromUtf8(language == lgNL ? pair.Dutch : pair.French);
}
