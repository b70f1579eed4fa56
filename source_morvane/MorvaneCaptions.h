#pragma once
// The Morvane caption vocabulary (CP949): the text of each win code, the choice among the big-win
// captions, the chance captions and the idle jackpot ticker.

#include <cstdint>

// The table text of a win code; null for a code without a caption.
const char* MorvaneCaptionText(int32_t code);
// The win caption for the reels at rest with a win of 2000 or more: the jackpot stops first,
// then the big four-of-a-kind captions by code or caption mark, then the table. Null when nothing
// matches (the caption stays as it was).
const char* MorvaneWinCaption(const int32_t (&stops)[4], int32_t code, int32_t mark);
// By the sum of the three free marks; null for other sums.
const char* MorvaneChanceCaption(const int32_t (&free)[3]);
// Values 1, 2, 3 (top, centre, bottom); null otherwise.
const char* MorvaneFeverChanceCaption(int32_t value);
void FormatMorvaneTicker(char (&buffer)[256], int32_t jackpot);
