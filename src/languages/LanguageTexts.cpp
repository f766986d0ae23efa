#include "LanguageTexts.h"

#include <array>

namespace {

using TTextTable = std::array<const char*, LanguageTexts::Count>;

static_assert(LanguageTexts::Count == 70, "one name for each of the 70 fixed texts");

// Fragments 33, 34, 47 to 51 are joined with captions and numbers: their
// blanks and double quotation marks belong to them.
// The tables keep one text a row, as they are read against their indexes.
// clang-format off
constexpr TTextTable FrenchTexts = {
    /*  0 */ "FR",
    /*  1 */ "Français",
    /*  2 */ "Kelvara LE",
    /*  3 */ "&Fichier",
    /*  4 */ "&Quitter",
    /*  5 */ "&Langue",
    /*  6 */ "Fr&ançais",
    /*  7 */ "Né&erlandais",
    /*  8 */ "&Aide",
    /*  9 */ "A &propos...",
    /* 10 */ "Version",
    /* 11 */ "PICHourLT",
    /* 12 */ "Couche d'enrobé bitumineux nouvellement posée",
    /* 13 */ "Epaisseur (cm) :",
    /* 14 */ "Température de pose (°C) :",
    /* 15 */ "Température de remise en circulation (°C) :",
    /* 16 */ "Vitesse du vent",
    /* 17 */ "Faible",
    /* 18 */ "Modérée",
    /* 19 */ "Forte",
    /* 20 */ "Nébulosité - Ciel",
    /* 21 */ "Serein",
    /* 22 */ "Partiellement couvert",
    /* 23 */ "Couvert",
    /* 24 */ "Données de pose",
    /* 25 */ "Date :",
    /* 26 */ "Heure :",
    /* 27 */ "",
    /* 28 */ "Date de remise en circulation :",
    /* 29 */ "Heure d'été",
    /* 30 */ "Heure d'hiver",
    /* 31 */ "Calcul et résultat",
    /* 32 */ "Calcul",
    /* 33 */ "Le champ \"",
    /* 34 */ "\" doit être une valeur de type réel!",
    /* 35 */ "Janvier",
    /* 36 */ "Février",
    /* 37 */ "Mars",
    /* 38 */ "Avril",
    /* 39 */ "Mai",
    /* 40 */ "Juin",
    /* 41 */ "Juillet",
    /* 42 */ "Août",
    /* 43 */ "Septembre",
    /* 44 */ "Octobre",
    /* 45 */ "Novembre",
    /* 46 */ "Décembre",
    /* 47 */ "\" doit être supérieure ou égale à ",
    /* 48 */ "\" doit être inférieure ou égale à ",
    /* 49 */ "L'épaisseur totale de toutes les couches est ",
    /* 50 */ "inférieure à la limite de ",
    /* 51 */ " cm !",
    /* 52 */ "Les paramètres des matériaux qui ont été introduits ne permettent pas le calcul car ils "
             "s'écartent trop des propriétés classiques de l'asphalte.",
    /* 53 */ "Le calcul est terminé! Le delais de remise en circulation est de ",
    /* 54 */ " minutes.",
    /* 55 */ "Le delais de remise en circulation est supérieur à 34 heures et 43 minutes. Le programme a "
             "été stoppé. Cela doit être dû à une mauvaise introduction des données. Merci de vérifier "
             "les paramètres suivants: 1. La température de remise en circulation désirée n'est-elle "
             "pas trop faible? Si celle-ci est trop faible, il est possible que la température de "
             "remise en circulation désirée ne soit jamais atteinte. 2. La température de pose de "
             "l'enrobé n'est-elle pas trop importante? En général, une température courante d'enrobé "
             "lors de la pose est située entre 160 à 180 °C. 3. La température du support n'est-elle "
             "pas trop importante et non conforme à la réalité? (en général, 14°C).",
    /* 56 */ "A propos",
    /* 57 */ "Produit : Kelvara LE",
    /* 58 */ "© 2006-2021 l'équipe Kelvara LE",
    /* 59 */ "Modèle thermique : l'équipe Kelvara LE",
    /* 60 */ "IT project management: the Kelvara LE team",
    /* 61 */ "Heure de remise en circulation :",
    /* 62 */ "Langue - Taal :",
    /* 63 */ "Français",
    /* 64 */ "Nederlands",
    /* 65 */ "Propriété intellectuelle - limitations de responsabilité - règles d’utilisation-"
             "responsabilité de l’utilisateur:",
    /* 66 */ "Le logiciel Kelvara LE et l'ensemble de son contenu (textes, modèles de calcul, images) "
             "demeurent la propriété intellectuelle exclusive de l'équipe Kelvara LE, son éditeur. "
             "L'utilisateur reçoit uniquement un droit d'usage, limité à l'estimation du délai de "
             "remise en circulation d'une couche d'enrobé bitumineux.",
    /* 67 */ "Le logiciel est utilisé aux risques et périls de l'utilisateur. Les résultats sont des "
             "estimations fondées sur un modèle ; ils ne remplacent pas la mesure de la température "
             "sur chantier. L'éditeur décline toute responsabilité quant à leur usage.",
    /* 68 */ "L'éditeur peut à tout moment, sans préavis ni indemnité, modifier, interrompre ou "
             "cesser la mise à disposition du logiciel.",
    /* 69 */ "L'éditeur ne peut en aucun cas être tenu responsable d'un dommage direct, indirect ou "
             "consécutif résultant de l'utilisation du logiciel ou de l'impossibilité de l'utiliser.",
};

constexpr TTextTable DutchTexts = {
    /*  0 */ "NL",
    /*  1 */ "Nederlands",
    /*  2 */ "Kelvara LE",
    /*  3 */ "&Map",
    /*  4 */ "&Verlaten",
    /*  5 */ "&Taal",
    /*  6 */ "Fr&ans",
    /*  7 */ "Ne&derlans",
    /*  8 */ "&Help",
    /*  9 */ "&Info...",
    /* 10 */ "Versie",
    /* 11 */ "PICHourLT",
    /* 12 */ "Pas aangebrachte asfaltlaag",
    /* 13 */ "Laagdikte (cm) :",
    /* 14 */ "Aanbrengingstemperatuur (°C):",
    /* 15 */ "Temperatuur wederopenstelling (°C):",
    /* 16 */ "Windsnelheid",
    /* 17 */ "Windluw",
    /* 18 */ "Matige wind",
    /* 19 */ "Strakke wind",
    /* 20 */ "Bewolkingsgraad - Hemel",
    /* 21 */ "Helder",
    /* 22 */ "Halfbewolkt",
    /* 23 */ "Bewolkt",
    /* 24 */ "Gegevens m.b.t. aanbrenging",
    /* 25 */ "Datum :",
    /* 26 */ "Uur :",
    /* 27 */ "",
    /* 28 */ "Datum wederopenstelling :",
    /* 29 */ "Zomertijd",
    /* 30 */ "Wintertijd",
    /* 31 */ "Berekening en resultaat",
    /* 32 */ "Berekening",
    /* 33 */ "Het veld \"",
    /* 34 */ "\" moet een werkelijke waarde zijn!",
    /* 35 */ "Januari",
    /* 36 */ "Februari",
    /* 37 */ "Maart",
    /* 38 */ "April",
    /* 39 */ "Mei",
    /* 40 */ "Juni",
    /* 41 */ "Juli",
    /* 42 */ "Augustus",
    /* 43 */ "September",
    /* 44 */ "Oktober",
    /* 45 */ "November",
    /* 46 */ "December",
    /* 47 */ "\" moet groter zijn dan of gelijk aan ",
    /* 48 */ "\" moet kleiner zijn dan of gelijk aan ",
    /* 49 */ "De totale laagdikte is ",
    /* 50 */ "kleiner dan de grenswaarde ",
    /* 51 */ " cm !",
    /* 52 */ "Geen berekening mogelijk : de toegevoerde materiaalparameters wijken te sterk af van de "
             "klassieke asfalteigenschappen.",
    /* 53 */ "Berekening voltooid ! De wachttijd bedraagt ",
    /* 54 */ " minuten.",
    /* 55 */ "De wachttijd bedraagt meer dan 34 uren en 43 minuten. De berekening is afgebroken.  "
             "Waarschijnlijk zijn foutieve gegevens toegevoerd. Ga de juistheid van de gegevens na aan "
             "de hand van de volgende vragen: 1. is de gewenste temperatuur voor de wederopenstelling "
             "niet te laag?  Als de toegevoerde temperatuur te laag is, zal ze waarschijnlijk nooit "
             "kunnen worden bereikt; 2. is de toegevoerde aanbrengingstemperatuur niet te hoog? "
             "Doorgaans schommelt de aanbrengingstemperatuur tussen 160 en 180 °C; 3. is de temperatuur "
             "van het wegoppervlak niet te hoog en wijkt ze van de werkelijkheid (doorgaans 14 °C) af?",
    /* 56 */ "Info",
    /* 57 */ "Product : Kelvara LE",
    /* 58 */ "© 2006-2021 het Kelvara LE-team",
    /* 59 */ "Warmtemodel : het Kelvara LE-team",
    /* 60 */ "IT project management: the Kelvara LE team",
    /* 61 */ "Uur wederopenstelling :",
    /* 62 */ "Langue - Taal :",
    /* 63 */ "Français",
    /* 64 */ "Nederlands",
    /* 65 */ "Intellectuele eigendomsrechten - beperking van de aansprakelijkheid - regels voor het "
             "gebruik - verantwoordelijkheid van de gebruiker:",
    /* 66 */ "De software Kelvara LE en zijn volledige inhoud (teksten, rekenmodellen, afbeeldingen) "
             "blijven de exclusieve intellectuele eigendom van het Kelvara LE-team, de uitgever ervan. "
             "De gebruiker verkrijgt enkel een gebruiksrecht, beperkt tot het ramen van de wachttijd "
             "tot de wederopenstelling van een asfaltlaag.",
    /* 67 */ "Het gebruik van de software gebeurt op eigen risico van de gebruiker. De resultaten zijn "
             "ramingen op basis van een model en vervangen de temperatuurmeting op de werf niet. De "
             "uitgever wijst elke aansprakelijkheid voor het gebruik ervan af.",
    /* 68 */ "De uitgever kan de terbeschikkingstelling van de software op elk ogenblik, zonder "
             "voorafgaande kennisgeving of vergoeding, wijzigen, onderbreken of beëindigen.",
    /* 69 */ "De uitgever is in geen geval aansprakelijk voor rechtstreekse, onrechtstreekse of "
             "gevolgschade die voortvloeit uit het gebruik van de software of uit de onmogelijkheid "
             "om ze te gebruiken.",
};
// clang-format on

}  // namespace

const char* LanguageTexts::Text(TLanguage language, int index)
{
    const TTextTable& table = language == lgNL ? DutchTexts : FrenchTexts;
    return table.at(static_cast<std::size_t>(index));
}
