#pragma once

#include <array>

namespace dalmiro::scenetext {

// The words of the scene's text panel, line by line, as they are painted.
// The window's accessible description reads them too, so a screen reader
// gets the same explanation as the eye.
inline constexpr std::array<const char *, 9> kPanelLines{
    "Se la fortuna ti sorride, il premio può essere davvero grande!",
    "I numeri sono estratti a caso, poi passano al vaglio di un preciso",
    "calcolo matematico: scarta le combinazioni dalla somma bassa e,",
    "se manca, aggiunge una coppia di numeri consecutivi. Ne nascono",
    "combinazioni che i giocatori comuni, legati a date e",
    "compleanni, scelgono di rado. La probabilità di",
    "vincere non cambia, ma una vincita",
    "andrebbe divisa con meno giocatori:",
    "così il premio sarebbe più alto.",
};
// The line painted below the panel.
inline constexpr const char *kGoodLuck = "Buona fortuna!";

} // namespace dalmiro::scenetext
