#pragma once

// Plain value models of the controls a window shows. The forms read and write these exactly as
// their handlers would read and write real controls; the front end mirrors them on screen.

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "toolkit/palette.h"

namespace dravik {

using Int16 = std::int16_t;

constexpr Int16 kTrue = -1;
constexpr Int16 kFalse = 0;

constexpr Int16 kBorderNone = 0;
constexpr Int16 kBorderFixedSingle = 1;

constexpr Int16 kAlignCentre = 2;
constexpr Int16 kBackOpaque = 1;

// How a cell is outlined over its border: a hint's verdict shows on the board while it stands.
constexpr Int16 kOutlineNone = 0;
constexpr Int16 kOutlineHint = 1;
constexpr Int16 kOutlineProof = 2;

constexpr Int16 kUnchecked = 0;
constexpr Int16 kChecked = 1;

struct Font {
    std::string Name;
    float Size = 8.25f;  // points
    bool Bold = false;
    bool operator==(const Font&) const = default;
};

// Position and size in twips; children are placed relative to their container.
struct ControlBase {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = true;
    bool Enabled = true;
    Int16 TabIndex = 0;
    bool operator==(const ControlBase&) const = default;
};

struct Label : ControlBase {
    std::string Caption;
    Colour BackColor = kButtonFace;
    Colour ForeColor = kButtonText;
    Int16 BorderStyle = kBorderNone;
    Int16 Alignment = 0;
    Int16 BackStyle = kBackOpaque;
    Font FontInfo;
    Int16 Outline = kOutlineNone;
    bool operator==(const Label&) const = default;
};

struct TextBox : ControlBase {
    std::string Text;
    Font FontInfo;
    bool operator==(const TextBox&) const = default;
};

struct CheckBox : ControlBase {
    std::string Caption;
    Int16 Value = kUnchecked;
};

struct CommandButton : ControlBase {
    std::string Caption;
};

struct OptionButton : ControlBase {
    std::string Caption;
    bool Value = false;
};

struct Frame : ControlBase {
    std::string Caption;
};

struct MenuItem {
    std::string Caption;
    std::string Shortcut;  // as shown beside the caption, e.g. "F2", "Ctrl+R"; empty for none
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
};

// The window itself: outer position and size in twips (frame, title and menu bar included).
struct WindowFrame {
    std::string Caption;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

// Puts a control at its place (twips) in the tab order.
inline void SetBounds(ControlBase& control, int left, int top, int width, int height,
                      Int16 tabIndex) {
    control.Left = left;
    control.Top = top;
    control.Width = width;
    control.Height = height;
    control.TabIndex = tabIndex;
}

// A control of a captioned kind, placed.
template <typename Control>
Control Captioned(const char* caption, int left, int top, int width, int height, Int16 tabIndex) {
    Control control;
    control.Caption = caption;
    SetBounds(control, left, top, width, height, tabIndex);
    return control;
}

// Selecting one option button of a group clears the others, as the toolkit does on a click.
inline void SelectOption(std::span<OptionButton> group, std::size_t index) {
    for (std::size_t k = 0; k < group.size(); ++k) {
        group[k].Value = (k == index);
    }
}

}  // namespace dravik
