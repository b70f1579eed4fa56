// The play mode's answer table: the lobby's, then one line per game whose answers exist.
#include "PlayAnswers.h"
#include "PlayMorvane.h"
#include "PlayPelagorn.h"

namespace devserver {

PlayAnswers DefaultPlayAnswers()
{
    PlayAnswers answers;
    AddLobbyAnswers(answers);
    AddJixAnswers(answers);
    AddMorvaneAnswers(answers);
    AddPelagornAnswers(answers);
    return answers;
}

}  // namespace devserver
