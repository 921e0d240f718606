#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "board/board.h"
#include "toolkit/controls.h"
#include "toolkit/form_context.h"
#include "toolkit/toolkit.h"

namespace dravik {

// The fields of a custom board, in the dialog's order.
enum class CustomField : std::int8_t { Columns, Rows, Mines };

// What OK makes of the three texts: the board, or the first field that is not a whole number in
// its range and the words that say so. Mines range from 1 to the cells less the 9 a first
// click's block needs free, so every first click can open a region.
struct CustomVerdict {
    std::optional<BoardSize> size;
    CustomField refused = CustomField::Columns;
    std::string message;
};
CustomVerdict JudgeCustomBoard(std::string_view columns, std::string_view rows,
                               std::string_view mines);

// The "Custom Board" dialog: columns, rows and mines, filled with the board played. OK takes
// them only when all three are in range; otherwise a box says which is not, and the dialog stays
// open on what was typed, that field selected.
class frmCustom : public Form {
  public:
    frmCustom(Toolkit& toolkit, const BoardSize& current);

    WindowFrame Window;  // client area in twips as Width/Height
    Label lblColumns;
    TextBox txtColumns;
    Label lblRows;
    TextBox txtRows;
    Label lblMines;
    TextBox txtMines;
    CommandButton cmdOK;
    CommandButton cmdCancel;

    // Counts the form as loaded, its fields filled.
    void Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void closeBoxClicked();

    // The board OK took, once the dialog has closed; nothing after Cancel.
    const std::optional<BoardSize>& Chosen() const { return chosen_; }
    // The field OK refused last, to be selected for typing again.
    std::optional<CustomField> Refused() const { return refused_; }
    TextBox& Field(CustomField field);

  private:
    void CreateControls();

    FormContext context_;
    BoardSize current_;
    std::optional<BoardSize> chosen_;
    std::optional<CustomField> refused_;
};

}  // namespace dravik
