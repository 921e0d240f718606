#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

#include "forms/frm_dravik.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace dravik::qt {

class MinefieldWidget;

// The view of the main form. It owns no game state: it passes every event to the form's handler
// and afterwards mirrors the form's controls (only what changed is repainted).
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(frmDravik& form);
    ~MainWindow() override;

    // Brings every widget in line with the form's controls.
    void Sync();

    MinefieldWidget* Minefield() const { return minefield_; }
    // Holds the minefield; scrolls it where the window cannot grow to the whole board.
    QScrollArea* BoardView() const { return scroll_; }
    QLineEdit* MineCounter() const { return txtMines_; }
    QLineEdit* PlotsCounter() const { return txtPlots_; }
    QPushButton* Rule1Button() const { return rule1Once_; }
    QCheckBox* KeepUpBox() const { return chkKeepUp_; }
    QCheckBox* ExtraBox() const { return chkExtra_; }
    QLabel* KeepUpLabel() const { return lblKeepUp_; }

  signals:
    // An assistive tool asked for a click on a cell (button 1 or 2).
    void cellActionAsked(int index, int button);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    template <typename Handler>
    void Run(Handler&& handler);
    void BuildStrip();
    void BuildMenus();
    void BuildOpponentMenu(QMenu* rules);
    QAction* AddAction(QMenu* menu, const MenuItem& item, void (frmDravik::*handler)());
    void CellAction(int index, int button);
    void SyncWindowFrame();
    // The board's view: the whole panel, or what the screen leaves of it with scroll bars.
    void SyncBoardView();
    void MoveBoard(bool intoView);
    void KeepCursorInView();
    bool IsMineKeyEvent(QObject* watched, QEvent* event) const;

    frmDravik& form_;
    QWidget* client_ = nullptr;
    MinefieldWidget* minefield_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    int cursorInView_ = -1;
    QLineEdit* txtMines_ = nullptr;
    QLineEdit* txtPlots_ = nullptr;
    QCheckBox* chkExtra_ = nullptr;
    QCheckBox* chkKeepUp_ = nullptr;
    QPushButton* cmdReplay_ = nullptr;
    QPushButton* cmdMultiple_ = nullptr;
    QPushButton* rule1Once_ = nullptr;
    QLabel* lblKeepUp_ = nullptr;
    QAction* mnuRule1_ = nullptr;
    QAction* mnuPairsRule_ = nullptr;
    QAction* mnuCompleteLogic_ = nullptr;
    std::array<QAction*, 3> mnuOpponent_{};
    QAction* mnuNoGuess_ = nullptr;
    // Beginner, Intermediate, Expert, Custom.
    std::array<QAction*, 4> mnuSizes_{};
    WindowFrame shownFrame_;
};

}  // namespace dravik::qt
