#include "EnsembleTexts.h"

#include <cstddef>
#include <iterator>

namespace {

struct TTextPair {
    const char* French;
    const char* Dutch;
};

// In the order of TEnsembleText, in the words of the analysis's texts.
constexpr TTextPair Table[] = {
    {"Ensemble de prévisions", "Verwachtingsensemble"},
    {"Importer un ensemble...", "Ensemble importeren..."},
    {"Télécharger un ensemble pour le chantier", "Ensemble downloaden voor de werf"},
    {"Modèle :", "Model:"},
    {"Heure visée :", "Streeftijd:"},
    {"aucune", "geen"},
    {"Remise en circulation entre %1 et %2 (10-90 % des prévisions), médiane %3",
        "Wederopenstelling tussen %1 en %2 (10-90 % van de verwachtingen), mediaan %3"},
    {"au-delà de la limite du calcul", "voorbij de rekenlimiet"},
    {"Prête à %1 dans %2 prévisions sur %3 (%4 %)", "Klaar om %1 in %2 van de %3 verwachtingen (%4 %)"},
    {"Ensemble de %1 prévisions, fichier « %2 »", "Ensemble van %1 verwachtingen, bestand \"%2\""},
    {"Ensemble de %1 prévisions, modèle %2 de %3, téléchargé le %4",
        "Ensemble van %1 verwachtingen, model %2 van %3, gedownload op %4"},
    {"Prévisions (point le plus chaud)", "Verwachtingen (warmste punt)"},
    {"Prévision de contrôle (%1)", "Controleverwachting (%1)"},
    {"Prévision médiane (%1)", "Mediane verwachting (%1)"},
    {"Heure visée %1", "Streeftijd %1"},
    {"%1 : remise en circulation %2", "%1: wederopenstelling %2"},
    {"Calcul des prévisions...", "Verwachtingen worden berekend..."},
    {"90 % des prévisions", "90 % van de verwachtingen"},
    {"Prêtes à temps", "Op tijd klaar"},
    {"Dernière pose à temps pour 90 % des prévisions : %1",
        "Laatste aanbrenging op tijd voor 90 % van de verwachtingen: %1"},
    {"Aucune pose de la journée n'est à temps pour 90 % des prévisions.",
        "Geen enkele aanbrenging van de dag is op tijd voor 90 % van de verwachtingen."},
    {"Ensemble de prévisions", "Verwachtingsensemble"},
    {"La prévision « %1 » ne donne pas de réponse : %2", "De verwachting \"%1\" geeft geen antwoord: %2"},
    {"Le fichier « %1 » n'est pas un ensemble : il en faut de 2 à 100 prévisions.",
        "Het bestand \"%1\" is geen ensemble: daarvoor zijn 2 tot 100 verwachtingen nodig."},
    {"La réponse de %1 n'est pas un ensemble : il en faut de 2 à 100 prévisions.",
        "Het antwoord van %1 is geen ensemble: daarvoor zijn 2 tot 100 verwachtingen nodig."},
    {"Les heures sont celles de la prévision « %1 ».", "De uren zijn die van de verwachting \"%1\"."},
    {"Selon la prévision « %1 » : %2", "Volgens de verwachting \"%1\": %2"},
    {"Sans remise en circulation dans la limite du calcul : %1", "Zonder wederopenstelling binnen de rekenlimiet: %1"},
};
static_assert(std::size(Table) == static_cast<std::size_t>(TEnsembleText::Count));

}  // namespace

QString EnsembleTexts::Text(TLanguage language, TEnsembleText id)
{
    const TTextPair& pair = Table[static_cast<std::size_t>(id)];
    return QString::fromUtf8(language == lgNL ? pair.Dutch : pair.French);
}
