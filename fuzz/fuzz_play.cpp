// libFuzzer target: the dev server's play answers on arbitrary request bodies. Every answer must
// be a frame the protocol allows.
#include <cstdint>
#include <cstdlib>

#include "PlayAnswers.h"

namespace {

class SilentSession : public devserver::PlaySession {
public:
    void Send(devserver::Bytes body) override
    {
        if (body.size() < 2 || body.size() > 8190)
            std::abort();
    }
    void Log(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const devserver::PlayAnswers answers = devserver::DefaultPlayAnswers();
    static SilentSession session;
    answers.Answer(session, devserver::Bytes(data, data + size));
    return 0;
}
