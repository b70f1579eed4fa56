// Replays the play answers' fuzzing seeds, whole and cut short at every length: every answer is a
// frame the protocol allows and nothing reads past a body.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "PlayAnswers.h"

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
    const std::filesystem::path dir = std::filesystem::path(CX_FIXTURES_DIR) / "fuzz" / "play";
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const devserver::Bytes seed((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        ++seeds;
        CheckingSession session;
        EXPECT_TRUE(answers.Answer(session, seed))
            << "every seed is a request the play mode answers";
        for (size_t n = 0; n < seed.size(); ++n)
            answers.Answer(session,
                           devserver::Bytes(seed.begin(), seed.begin() + static_cast<long>(n)));
    }
    EXPECT_GE(seeds, 10);
}

}  // namespace
