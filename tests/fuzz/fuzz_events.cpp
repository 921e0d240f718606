// libFuzzer entry: the input bytes choose the events.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz/event_driver.h"

namespace {

class ByteChoices : public dravik::testing::ChoiceSource {
  public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint32_t Next(std::uint32_t bound) override {
        std::uint32_t value = 0;
        for (std::uint32_t range = 1; range < bound && pos_ < size_; range <<= 8) {
            value = (value << 8) | data_[pos_++];
        }
        return value % bound;
    }
    bool Exhausted() const override { return pos_ >= size_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteChoices choices(data, size);
    dravik::testing::EventDriver driver(choices);
    if (const auto broken = driver.Play(2000)) {
        std::fprintf(stderr, "invariant broken %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
