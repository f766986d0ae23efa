#pragma once

#include "EnsembleResult.h"
#include "LanguagesMgrCls.h"

#include <QString>

// "Remise en circulation entre 02:40 et 03:30 (10-90 % des prévisions),
// médiane 03:05"; moments with their date where the three do not fall on the
// same day. A rank that is a failure reads "beyond the run's limit".
QString EnsembleRangeText(const TEnsembleOutcome& outcome, TLanguage language);
// "Prête à 05:00 dans 37 prévisions sur 40 (93 %)"; empty without a target.
QString EnsembleReadyText(const TEnsembleResult& result, TLanguage language);
// "Sans remise en circulation dans la limite du calcul : member07, member12";
// empty when every member reopens.
QString EnsembleNoReopeningText(const TEnsembleResult& result, TLanguage language);
// The share of members ready, in whole per cent, halves up.
int ReadyPerCent(std::size_t ready, std::size_t members);
