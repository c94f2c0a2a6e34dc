#pragma once

namespace tamrik {

// The step routines behind the value dialogs and the image encoder. Each parses the text, steps it
// (a negative direction is one step up, a positive one one step down, zero only normalises) and
// rewrites the text in place. The text buffer must have room for kStepTextCapacity characters.
constexpr int kStepTextCapacity = 16;

// Limits of a minutes:seconds spin: the highest value and the step, both in seconds.
struct MinSecSpin {
    int limit;
    int step;
};

// Minutes:seconds. Returns the value in seconds and rewrites the text as "M:SS"; a text without a
// colon gives 0 and stays as it is. With a spin the value keeps within 0..limit and is rounded
// down to a multiple of the step.
int MinSecStep(char* text, int direction, const MinSecSpin* spin /* may be null */);

// Seconds in half-second steps within 0.5..127.5. Returns the count of half seconds (1..255) and
// rewrites the text with one decimal ("2.5").
int HalfSecStep(char* text, int direction);

// A whole number: stepped, clamped to minimum..maximum, rounded down to a multiple of step.
int NumberStep(char* text, int direction, int step, int minimum, int maximum);

// A time of day "H:MM", one minute per step, wrapping through midnight.
void ClockStep(char* text, int direction);

}  // namespace tamrik
