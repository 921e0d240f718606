// libFuzzer entry: the input bytes choose the events.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/event_driver.h"

namespace {

class ByteChoices : public dravik::testing::ChoiceSource {
  public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    // The range is kept in 64 bits: in 32 it wraps to 0 after four bytes, and a bound above
    // 2^24 would swallow the whole input.
    std::uint32_t Next(std::uint32_t bound) override {
        std::uint64_t value = 0;
        for (std::uint64_t range = 1; range < bound && pos_ < size_; range <<= 8) {
            value = (value << 8) | data_[pos_++];
        }
        return static_cast<std::uint32_t>(value % bound);
    }
    bool Exhausted() const override { return pos_ >= size_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

std::uint64_t inputs = 0;
std::uint64_t events = 0;
std::uint64_t analysed = 0;
std::uint64_t outlines = 0;
std::uint64_t boardKeys = 0;
std::uint64_t firstClicks = 0;
std::uint64_t noGuessStalls = 0;
std::uint64_t sizesPlayed = 0;
std::uint64_t customRefusals = 0;

// The last line tells whether the run played at all; scripts/fuzz fails on 0.
void ReportEvents() {
    std::fprintf(stderr,
                 "inputs run: %llu, events per input: %.1f, positions analysed: %llu, boards "
                 "with outlines checked: %llu, keys on the board: %llu\n",
                 static_cast<unsigned long long>(inputs),
                 inputs == 0 ? 0.0 : static_cast<double>(events) / static_cast<double>(inputs),
                 static_cast<unsigned long long>(analysed),
                 static_cast<unsigned long long>(outlines),
                 static_cast<unsigned long long>(boardKeys));
    std::fprintf(stderr,
                 "no-guess boards: first clicks checked: %llu, positions checked for a certain "
                 "move: %llu\n",
                 static_cast<unsigned long long>(firstClicks),
                 static_cast<unsigned long long>(noGuessStalls));
    std::fprintf(stderr, "board sizes played: %llu, custom inputs refused: %llu\n",
                 static_cast<unsigned long long>(sizesPlayed),
                 static_cast<unsigned long long>(customRefusals));
    std::fprintf(stderr, "events played: %llu\n", static_cast<unsigned long long>(events));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    std::atexit(ReportEvents);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteChoices choices(data, size);
    dravik::testing::EventDriver driver(choices);
    const auto broken = driver.Play(2000);
    ++inputs;
    events += static_cast<std::uint64_t>(driver.EventsRun());
    analysed += static_cast<std::uint64_t>(driver.PositionsAnalysed());
    outlines += static_cast<std::uint64_t>(driver.OutlinesChecked());
    boardKeys += static_cast<std::uint64_t>(driver.BoardKeysPlayed());
    firstClicks += static_cast<std::uint64_t>(driver.FirstClicksChecked());
    noGuessStalls += static_cast<std::uint64_t>(driver.NoGuessStallsChecked());
    sizesPlayed += driver.SizesPlayed().size();
    customRefusals += static_cast<std::uint64_t>(driver.CustomRefusalsChecked());
    if (broken) {
        std::fprintf(stderr, "invariant broken %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
