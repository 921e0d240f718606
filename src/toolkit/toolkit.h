#pragma once

#include <cstdint>
#include <string>

namespace dravik {

// Message-box styles and answers.
constexpr std::int16_t vbOKOnly = 0;
constexpr std::int16_t vbYesNoCancel = 3;
constexpr std::int16_t vbOK = 1;
constexpr std::int16_t vbCancel = 2;
constexpr std::int16_t vbYes = 6;
constexpr std::int16_t vbNo = 7;

// The title a message box carries when it is given none of its own.
inline constexpr const char* kApplicationTitle = "DRAVIK";

// Rnd from 32 random bits. The top 24 convert to a float exactly, a multiple of 2^-24 below 1:
// rounding can never make 1.0 of it, as it can when a float is drawn from a wider range.
constexpr float RndFromBits(std::uint32_t bits) {
    return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}

class Toolkit;

// A window of the program. It is loaded while it is on screen (or about to be) and unloaded when
// it closes; handlers of an unloaded form do nothing.
class Form {
  public:
    explicit Form(Toolkit& toolkit) : toolkit_(toolkit) {}
    virtual ~Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool Loaded() const { return loaded_; }

    // Closes the window. Unloading the main window ends the program.
    void Unload();

    Toolkit& GetToolkit() const { return toolkit_; }

  protected:
    void MarkLoaded() { loaded_ = true; }

  private:
    Toolkit& toolkit_;
    bool loaded_ = false;
};

// The services of the window system that are not control properties.
class Toolkit {
  public:
    // Input arriving in a yield nested deeper than this waits until an outer handler returns, so
    // a backlog of clicks that each start a repeated run cannot nest without bound.
    static constexpr int kMaxInputNesting = 32;

    virtual ~Toolkit() = default;

    // Blocks until answered. An empty title means the application title. style is vbOKOnly or
    // vbYesNoCancel; the answer is vbOK, vbYes, vbNo or vbCancel (also for Escape or closing).
    virtual std::int16_t MsgBox(const std::string& text, std::int16_t style,
                                const std::string& title) = 0;
    virtual void Beep() = 0;
    // Dispatches pending input and repaint events, then returns; the input waits instead, in its
    // order, when this yield lies deeper than kMaxInputNesting.
    void Yield();
    // Uniform in [0, 1); never 1.0.
    virtual float Rnd() = 0;
    virtual void Randomize() = 0;
    // Shows a loaded form modally; returns once it is unloaded.
    virtual void ShowModal(Form& form) = 0;
    // Called by Form::Unload once the form counts as unloaded.
    virtual void FormUnloaded(Form& form) = 0;
    // The modifier bits (1 Shift, 2 Ctrl, 4 Alt) of the keys held down right now.
    virtual std::int16_t ShiftState() = 0;

  protected:
    // Dispatches pending events; input only when withInput.
    virtual void DispatchPending(bool withInput) = 0;

  private:
    int yieldDepth_ = 0;
};

inline void Toolkit::Yield() {
    struct Nested {
        int& depth;
        explicit Nested(int& d) : depth(++d) {}
        ~Nested() { --depth; }
        Nested(const Nested&) = delete;
        Nested& operator=(const Nested&) = delete;
    } nested(yieldDepth_);
    DispatchPending(yieldDepth_ <= kMaxInputNesting);
}

inline void Form::Unload() {
    if (!loaded_) {
        return;
    }
    loaded_ = false;
    toolkit_.FormUnloaded(*this);
}

}  // namespace dravik
