// The play mode's answer table: the lobby's, then one line per game whose answers exist.
#include "PlayAnswers.h"

namespace devserver {

PlayAnswers DefaultPlayAnswers()
{
    PlayAnswers answers;
    AddLobbyAnswers(answers);
    return answers;
}

}  // namespace devserver
