#include "forms/frm_custom.h"

#include <cctype>

#include "toolkit/text.h"

namespace dravik {

namespace {

constexpr int kMinColumns = 8;
constexpr int kMaxColumns = 60;
constexpr int kMinRows = 8;
constexpr int kMaxRows = 40;
// A first click opens the cell and its eight neighbours.
constexpr int kFirstClickBlock = 9;

// A whole number in [low, high] as typed (blanks around it allowed), or nothing.
std::optional<int> WholeIn(std::string_view text, int low, int high) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.remove_suffix(1);
    }
    // More digits than any value in range could need are out of range, and would overflow.
    constexpr std::size_t kMostDigits = 6;
    if (text.empty() || text.size() > kMostDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

std::string Refusal(const char* field, int low, int high) {
    return std::string(field) + " must be a whole number from " + FormatPlain(low) + " to " +
           FormatPlain(high) + ".";
}

}  // namespace

CustomVerdict JudgeCustomBoard(std::string_view columns, std::string_view rows,
                               std::string_view mines) {
    const std::optional<int> cols = WholeIn(columns, kMinColumns, kMaxColumns);
    if (!cols) {
        return {std::nullopt, CustomField::Columns, Refusal("Columns", kMinColumns, kMaxColumns)};
    }
    const std::optional<int> rowCount = WholeIn(rows, kMinRows, kMaxRows);
    if (!rowCount) {
        return {std::nullopt, CustomField::Rows, Refusal("Rows", kMinRows, kMaxRows)};
    }
    const int mostMines = *cols * *rowCount - kFirstClickBlock;
    const std::optional<int> mineCount = WholeIn(mines, 1, mostMines);
    if (!mineCount) {
        return {std::nullopt, CustomField::Mines, Refusal("Mines", 1, mostMines)};
    }
    return {BoardSize{static_cast<std::int16_t>(*cols), static_cast<std::int16_t>(*rowCount),
                      static_cast<std::int16_t>(*mineCount)},
            CustomField::Columns,
            {}};
}

frmCustom::frmCustom(Toolkit& toolkit, const BoardSize& current)
    : Form(toolkit), context_(*this), current_(current) {
    CreateControls();
}

void frmCustom::CreateControls() {
    Window = WindowFrame{"Custom Board", 0, 0, 3960, 1860};
    lblColumns = Captioned<Label>("&Columns:", 240, 270, 1050, 285, 0);
    SetBounds(txtColumns, 1320, 210, 900, 375, 1);
    lblRows = Captioned<Label>("&Rows:", 240, 750, 1050, 285, 2);
    SetBounds(txtRows, 1320, 690, 900, 375, 3);
    lblMines = Captioned<Label>("&Mines:", 240, 1230, 1050, 285, 4);
    SetBounds(txtMines, 1320, 1170, 900, 375, 5);
    cmdOK = Captioned<CommandButton>("OK", 2580, 210, 1095, 375, 6);
    cmdCancel = Captioned<CommandButton>("Cancel", 2580, 690, 1095, 375, 7);
    for (Label* label : {&lblColumns, &lblRows, &lblMines}) {
        label->BackColor = kButtonFace;
        label->ForeColor = kButtonText;
    }
}

void frmCustom::Load() {
    txtColumns.Text = FormatPlain(current_.Cols);
    txtRows.Text = FormatPlain(current_.Rows);
    txtMines.Text = FormatPlain(current_.MineCount);
    chosen_.reset();
    refused_.reset();
    MarkLoaded();
}

TextBox& frmCustom::Field(CustomField field) {
    switch (field) {
        case CustomField::Rows:
            return txtRows;
        case CustomField::Mines:
            return txtMines;
        case CustomField::Columns:
            break;
    }
    return txtColumns;
}

void frmCustom::cmdOK_Click() {
    if (!Loaded()) {
        return;
    }
    CustomVerdict verdict = JudgeCustomBoard(txtColumns.Text, txtRows.Text, txtMines.Text);
    if (!verdict.size) {
        refused_ = verdict.refused;
        try {
            context_.MsgBox(verdict.message);
        } catch (const FormUnloaded&) {
            // Closed while the box was up: nothing was chosen.
        }
        return;
    }
    chosen_ = verdict.size;
    refused_.reset();
    Unload();
}

void frmCustom::cmdCancel_Click() {
    chosen_.reset();
    Unload();
}

void frmCustom::closeBoxClicked() {
    cmdCancel_Click();
}

}  // namespace dravik
