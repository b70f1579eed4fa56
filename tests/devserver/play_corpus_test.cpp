// Replays the play answers' fuzzing seeds, whole and cut short at every length: every answer is a
// frame the protocol allows and nothing reads past a body.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "PlayAnswers.h"
#include "support/fuzz_seeds.h"

namespace {

class CheckingSession : public devserver::PlaySession {
public:
    int answers = 0;
    void Send(devserver::Bytes body) override
    {
        ++answers;
        EXPECT_GE(body.size(), 2u);
        EXPECT_LE(body.size(), 8190u);
    }
    void Log(const std::string&) override {}
};

TEST(PlayCorpusTest, SeedsAndTheirPrefixesAnswerWithinTheProtocol)
{
    const devserver::PlayAnswers answers = devserver::DefaultPlayAnswers();
    test_support::ReplayFuzzSeeds("play", 10, [&](const std::vector<uint8_t>& seed) {
        CheckingSession session;
        EXPECT_TRUE(answers.Answer(session, seed))
            << "every seed is a request the play mode answers";
        for (size_t n = 0; n < seed.size(); ++n)
            answers.Answer(session,
                           devserver::Bytes(seed.begin(), seed.begin() + static_cast<long>(n)));
    });
}

}  // namespace
