#include "SiteTexts.h"

#include <cstddef>
#include <iterator>

namespace {

struct TTextPair {
    const char* French;
    const char* Dutch;
};

// In the order of TSiteText, in the words of the program's own table: "couche"
// / "laag", "pose" / "aanbrenging".
constexpr TTextPair Table[] = {
    {"Chantier", "Werf"},
    {"Route existante", "Bestaande weg"},
    {"Tenir compte de la chaleur de la route existante (deux jours précédents)",
        "Rekening houden met de warmte van de bestaande weg (twee voorgaande dagen)"},
    {"À la pose : surface %1 °C · 5 cm %2 °C · 10 cm %3 °C · 20 cm %4 °C",
        "Bij de aanbrenging: oppervlak %1 °C · 5 cm %2 °C · 10 cm %3 °C · 20 cm %4 °C"},
    {"Réchauffée selon les classes de vent et de nébulosité du calcul.",
        "Opgewarmd volgens de wind- en bewolkingsklassen van de berekening."},
    {"Réchauffée selon la météo choisie : %1", "Opgewarmd volgens het gekozen weer: %1"},
    {"Route existante partout à %1 °C, la température du sous-sol.",
        "Bestaande weg overal op %1 °C, de temperatuur van de ondergrond."},
    {"Couches suivantes", "Volgende lagen"},
    {"Couche", "Laag"},
    {"Épaisseur (cm)", "Dikte (cm)"},
    {"Pose (°C)", "Aanbrenging (°C)"},
    {"Posée", "Aangebracht"},
    {"Délai ou heure", "Wachttijd of uur"},
    {"délai (min)", "wachttijd (min)"},
    {"heure", "tijdstip"},
    {"couche du calcul, posée à %1", "laag van de berekening, aangebracht om %1"},
    {"Ajouter une couche", "Laag toevoegen"},
    {"Retirer la couche", "Laag verwijderen"},
    {"Une heure plus tôt que la couche précédente se lit le lendemain.",
        "Een uur vroeger dan de vorige laag geldt voor de volgende dag."},
    {"Au plus %1 couches suivantes : aucune couche n'est ajoutée.",
        "Hoogstens %1 volgende lagen: er wordt geen laag toegevoegd."},
    {"Couche %1 : une valeur n'est pas un nombre.", "Laag %1: een waarde is geen getal."},
    {"Couche %1 : elle doit être posée après la couche %2. La modification n'est pas prise en compte.",
        "Laag %1: ze moet na laag %2 worden aangebracht. De wijziging wordt niet toegepast."},
    {"Couche %1 : la pose doit tomber sur une minute entière après la première pose.",
        "Laag %1: de aanbrenging moet op een hele minuut na de eerste aanbrenging vallen."},
    {"Couche %1 : posée %2 après la première pose, elle tombe au-delà de la durée du calcul (%3). "
     "La modification n'est pas prise en compte.",
        "Laag %1: %2 na de eerste aanbrenging valt ze voorbij de duur van de berekening (%3). "
        "De wijziging wordt niet toegepast."},
    {"Couche %1 : l'épaisseur doit être comprise entre %2 et %3 cm.",
        "Laag %1: de dikte moet tussen %2 en %3 cm liggen."},
    {"Couche %1 : la température de pose doit être comprise entre %2 et %3 °C.",
        "Laag %1: de aanbrengingstemperatuur moet tussen %2 en %3 °C liggen."},
    {"Couche %1 : l'heure %2 n'existe pas ce jour-là, l'heure légale passe de 02:00 (heure d'hiver) à 03:00 "
     "(heure d'été).",
        "Laag %1: het uur %2 bestaat die dag niet, de wettelijke tijd springt van 02:00 (wintertijd) naar 03:00 "
        "(zomertijd)."},
    {"%1 Les couches suivantes ne sont pas prises en compte pour ce calcul.",
        "%1 De volgende lagen worden voor deze berekening niet meegerekend."},
    {"Selon le chantier (%1) : %2", "Volgens de werf (%1): %2"},
    {"météo choisie", "gekozen weer"},
    {"route chaude", "warme weg"},
    {"%1 couches", "%1 lagen"},
    {"Pas de résultat pour le chantier : seul le calcul est montré.",
        "Geen resultaat voor de werf: alleen de berekening wordt getoond."},
    {"Pas de résultat pour le chantier : les couches ne refroidissent pas jusqu'à la remise en circulation dans "
     "les %1 du calcul. Seul le calcul est montré.",
        "Geen resultaat voor de werf: de lagen koelen niet af tot de wederopenstelling binnen de %1 van de "
        "berekening. Alleen de berekening wordt getoond."},
    {"Couche %1 posée à %2", "Laag %1 aangebracht om %2"},
    {"Couche %1 posée à %2 sur une couche %3 à %4 °C", "Laag %1 aangebracht om %2 op een laag %3 van %4 °C"},
    {"Couche %1 posée le %2 à %3", "Laag %1 aangebracht op %2 om %3"},
    {"Couche %1 posée le %2 à %3 sur une couche %4 à %5 °C",
        "Laag %1 aangebracht op %2 om %3 op een laag %4 van %5 °C"},
    {"compactage possible jusqu'à %1", "verdichten mogelijk tot %1"},
    {"pas de compactage : posée à %1 °C, pas au-dessus de %2 °C",
        "geen verdichting: aangebracht op %1 °C, niet boven %2 °C"},
    {"fin du compactage pas atteinte avant la couche %1 : moyenne encore au-dessus de %2 °C",
        "einde verdichting niet bereikt vóór laag %1: gemiddelde nog boven %2 °C"},
    {"compactage possible jusqu'après la remise en circulation", "verdichten mogelijk tot na de wederopenstelling"},
    {"Couches et route existante", "Lagen en bestaande weg"},
    {"Chaleur de la route existante (deux jours précédents) : prise en compte. %1",
        "Warmte van de bestaande weg (twee voorgaande dagen): meegerekend. %1"},
    {"Chaleur de la route existante : non prise en compte, route partout à %1 °C.",
        "Warmte van de bestaande weg: niet meegerekend, weg overal op %1 °C."},
    {"Posée", "Aangebracht"},
    {"Fin du compactage", "Einde verdichting"},
    {"Couche inférieure à la pose", "Onderliggende laag bij aanbrenging"},
    {"aucun", "geen"},
    {"pas avant la couche %1", "niet vóór laag %1"},
    {"après la remise en circulation", "na de wederopenstelling"},
};

static_assert(std::size(Table) == static_cast<std::size_t>(TSiteText::Count), "one pair per TSiteText");

}  // namespace

QString SiteTexts::Text(TLanguage language, TSiteText id)
{
    const TTextPair& pair = Table[static_cast<std::size_t>(id)];
    return QString::fromUtf8(language == lgNL ? pair.Dutch : pair.French);
}
