// The play mode's answer table: the lobby's, then one line per game whose answers exist.
#include "PlayAnswers.h"
#include "PlayMorvane.h"

namespace devserver {

PlayAnswers DefaultPlayAnswers()
{
    PlayAnswers answers;
    AddLobbyAnswers(answers);
    AddJixAnswers(answers);
    AddMorvaneAnswers(answers);
    return answers;
}

}  // namespace devserver
