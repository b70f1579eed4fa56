// Replays the line editor's fuzzing seeds, whole and cut at every length: no seed may split a
// double-byte character or overrun the limit.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/line_editor_ops.h"

TEST(LineEditorCorpus, EverySeedAndPrefixKeepsCharactersWholeAndWithinTheLimit)
{
    const std::filesystem::path dir =
        std::filesystem::path(CX_FIXTURES_DIR) / "line_editor" / "corpus";
    size_t seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        for (size_t n = 0; n <= bytes.size(); ++n)
            ASSERT_EQ(line_editor_fuzz::Run(bytes.data(), n), "")
                << entry.path().filename() << " cut at " << n;
        ++seeds;
    }
    EXPECT_GE(seeds, 4u);
}
