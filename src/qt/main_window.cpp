#include "qt/main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMoveEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>
#include <functional>

#include "qt/icon.h"
#include "qt/key_codes.h"
#include "qt/look.h"
#include "qt/minefield_widget.h"
#include "toolkit/input_codes.h"

namespace dravik::qt {

namespace {

// What the window's frame and title bar take of its outer size; the menu bar is Qt's own.
constexpr int kFrameWidthTwips = 150;
constexpr int kFrameHeightTwips = 435;

QPushButton* MakeButton(const CommandButton& model, QWidget* parent) {
    auto* button = new QPushButton(ToQText(model.Caption), parent);
    button->setAutoDefault(true);  // Enter presses the button that has the focus
    Place(*button, model);
    return button;
}

QLineEdit* MakeCounter(const TextBox& model, QWidget* parent) {
    auto* counter = new QLineEdit(parent);
    counter->setFont(ToQFont(model.FontInfo));
    counter->setReadOnly(true);
    counter->setFocusPolicy(Qt::NoFocus);
    counter->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Disabled, yet the count must stay readable.
    QPalette palette = counter->palette();
    palette.setColor(QPalette::Disabled, QPalette::Text,
                     palette.color(QPalette::Active, QPalette::Text));
    counter->setPalette(palette);
    Place(*counter, model);
    return counter;
}

// A label with an accessible name no longer reads out its text, so the name carries the score.
QString KeepUpAccessibleName(const QString& caption) {
    const QString name = QStringLiteral("Keep-up score");
    const QString score = caption.trimmed();
    return score.isEmpty() ? name : name + QStringLiteral(": ") + score;
}

}  // namespace

MainWindow::MainWindow(frmDravik& form)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      form_(form) {
    setWindowIcon(GameIcon());
    client_ = new QWidget(this);
    // The window's font is for the controls under the menu bar; the menus keep the desktop's.
    client_->setFont(ToQFont(form.WindowFont));
    client_->setAutoFillBackground(true);
    client_->setBackgroundRole(QPalette::Base);
    setCentralWidget(client_);
    BuildStrip();
    BuildMenus();
    qApp->installEventFilter(this);
    Sync();
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
    // The board may lose the focus as the widgets go; the form must not hear of it then.
    minefield_->onFocus = nullptr;
}

template <typename Handler>
void MainWindow::Run(Handler&& handler) {
    handler();
    if (form_.Loaded()) {
        Sync();
    }
}

void MainWindow::BuildStrip() {
    // Used only by a board larger than the screen: any other sits in the window as it is.
    scroll_ = new QScrollArea(client_);
    scroll_->setFrameShape(QFrame::NoFrame);
    // The board is the tab stop, not its view.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(false);
    scroll_->hide();
    minefield_ =
        new MinefieldWidget(form_.SSPanel1, form_.cmdMine, form_.GetBoard(), form_.Cursor, client_);
    minefield_->onMouseUp = [this](int index, int button, int shift, float x, float y) {
        Run([&] {
            form_.cmdMine_MouseUp(static_cast<Int16>(index), static_cast<Int16>(button),
                                  static_cast<Int16>(shift), x, y);
        });
    };
    minefield_->onClick = [this](int index) {
        Run([&] { form_.cmdMine_Click(static_cast<Int16>(index)); });
    };
    minefield_->onKey = [this](int keyCode, int shift) {
        Run([&] { form_.cmdMine_KeyDown(static_cast<Int16>(keyCode), static_cast<Int16>(shift)); });
    };
    minefield_->onFocus = [this](bool hasFocus) {
        Run([&] { hasFocus ? form_.cmdMine_GotFocus() : form_.cmdMine_LostFocus(); });
    };
    connect(this, &MainWindow::cellActionAsked, this, &MainWindow::CellAction,
            Qt::QueuedConnection);
    minefield_->onCellAction = [this](int index, int button) {
        emit cellActionAsked(index, button);
    };
    txtPlots_ = MakeCounter(form_.txtPlots, client_);
    chkExtra_ = new QCheckBox(ToQText(form_.chkExtra.Caption), client_);
    connect(chkExtra_, &QCheckBox::clicked, this, [this](bool checked) {
        form_.chkExtra.Value = checked ? kChecked : kUnchecked;
        Run([&] { form_.chkExtra_Click(); });
    });
    chkKeepUp_ = new QCheckBox(ToQText(form_.chkKeepUp.Caption), client_);
    connect(chkKeepUp_, &QCheckBox::clicked, this, [this](bool checked) {
        form_.chkKeepUp.Value = checked ? kChecked : kUnchecked;
        Run([&] { form_.chkKeepUp_Click(); });
    });
    cmdReplay_ = MakeButton(form_.cmdReplay, client_);
    connect(cmdReplay_, &QPushButton::clicked, this,
            [this] { Run([&] { form_.cmdReplay_Click(); }); });
    cmdMultiple_ = MakeButton(form_.cmdMultiple, client_);
    connect(cmdMultiple_, &QPushButton::clicked, this,
            [this] { Run([&] { form_.cmdMultiple_Click(); }); });
    rule1Once_ = MakeButton(form_.mnuRule1_Once, client_);
    connect(rule1Once_, &QPushButton::clicked, this,
            [this] { Run([&] { form_.mnuRule1_Once_Click(); }); });
    txtMines_ = MakeCounter(form_.txtMines, client_);
    lblKeepUp_ = new QLabel(client_);
    lblKeepUp_->setFocusPolicy(Qt::NoFocus);
    // The counters show bare numbers: a screen reader needs to say what they count.
    txtMines_->setAccessibleName(QStringLiteral("Mines left"));
    txtPlots_->setAccessibleName(QStringLiteral("Cells left"));
    lblKeepUp_->setAccessibleName(KeepUpAccessibleName(QString()));

    // Focus moves in the order of the tab indexes; labels and counters take none.
    setTabOrder(rule1Once_, cmdMultiple_);
    setTabOrder(cmdMultiple_, cmdReplay_);
    setTabOrder(cmdReplay_, chkKeepUp_);
    setTabOrder(chkKeepUp_, chkExtra_);
    setTabOrder(chkExtra_, minefield_);
    rule1Once_->setFocus();
}

// An assistive tool's click on a cell, made as the mouse makes it. It comes queued, after the
// request was answered, so that a box it raises does not keep the tool waiting; like the mouse,
// it does nothing while a box or the options dialog is open.
void MainWindow::CellAction(int index, int button) {
    if (QApplication::activeModalWidget() != nullptr || !form_.Loaded()) {
        return;
    }
    const auto cell = static_cast<Int16>(index);
    Run([&] {
        form_.cmdMine_MouseUp(cell, static_cast<Int16>(button),
                              static_cast<Int16>(form_.GetToolkit().ShiftState()), 0, 0);
    });
    if (button == vbLeftButton && form_.Loaded()) {
        Run([&] { form_.cmdMine_Click(cell); });
    }
}

QAction* MainWindow::AddAction(QMenu* menu, const MenuItem& item, void (frmDravik::*handler)()) {
    QAction* action = menu->addAction(ToQText(item.Caption));
    if (!item.Shortcut.empty()) {
        action->setShortcut(QKeySequence(QString::fromStdString(item.Shortcut)));
    }
    action->setEnabled(item.Enabled);
    if (handler != nullptr) {
        // std::invoke, not (form_.*handler)(), which GCC 12 miscompiles under -fsanitize=undefined.
        connect(action, &QAction::triggered, this,
                [this, handler] { Run([&] { std::invoke(handler, form_); }); });
    }
    return action;
}

void MainWindow::BuildMenus() {
    QMenu* game = menuBar()->addMenu(ToQText(form_.mnuFile.Caption));
    AddAction(game, form_.mnuReplay, &frmDravik::mnuReplay_Click);
    game->addSeparator();
    auto* sizes = new QActionGroup(game);
    sizes->setExclusive(true);
    mnuSizes_ = {AddAction(game, form_.mnuBeginner, &frmDravik::mnuBeginner_Click),
                 AddAction(game, form_.mnuIntermediate, &frmDravik::mnuIntermediate_Click),
                 AddAction(game, form_.mnuExpert, &frmDravik::mnuExpert_Click),
                 AddAction(game, form_.mnuCustom, &frmDravik::mnuCustom_Click)};
    for (QAction* action : mnuSizes_) {
        action->setCheckable(true);
        sizes->addAction(action);
    }
    game->addSeparator();
    mnuNoGuess_ = AddAction(game, form_.mnuNoGuess, &frmDravik::mnuNoGuess_Click);
    mnuNoGuess_->setCheckable(true);
    game->addSeparator();
    AddAction(game, form_.mnuExit, &frmDravik::mnuExit_Click);
    QMenu* rules = menuBar()->addMenu(ToQText(form_.mnuRules.Caption));
    AddAction(rules, form_.mnuRule1Once, &frmDravik::mnuRule1Once_Click);
    AddAction(rules, form_.mnuRule2, &frmDravik::mnuRule2_Click);
    rules->addSeparator();
    mnuRule1_ = AddAction(rules, form_.mnuRule1, &frmDravik::mnuRule1_Click);
    rules->addSeparator();
    AddAction(rules, form_.mnuHint, &frmDravik::mnuHint_Click);
    mnuPairsRule_ = AddAction(rules, form_.mnuPairsRule, &frmDravik::mnuPairsRule_Click);
    mnuCompleteLogic_ =
        AddAction(rules, form_.mnuCompleteLogic, &frmDravik::mnuCompleteLogic_Click);
    rules->addSeparator();
    BuildOpponentMenu(rules);
    QMenu* help = menuBar()->addMenu(ToQText(form_.mnuHelp.Caption));
    AddAction(help, form_.mnuLargeScreen, nullptr);
    AddAction(help, form_.mnuOption, &frmDravik::mnuOption_Click);
    AddAction(help, form_.mnuAbout, &frmDravik::mnuAbout_Click);
}

void MainWindow::BuildOpponentMenu(QMenu* rules) {
    QMenu* opponents = rules->addMenu(ToQText(form_.mnuKeepUpOpponent.Caption));
    auto* group = new QActionGroup(opponents);
    group->setExclusive(true);
    for (std::size_t k = 0; k < mnuOpponent_.size(); ++k) {
        QAction* action = AddAction(opponents, form_.mnuOpponent.at(k), nullptr);
        action->setCheckable(true);
        group->addAction(action);
        const auto index = static_cast<Int16>(k);
        connect(action, &QAction::triggered, this,
                [this, index] { Run([&] { form_.mnuOpponent_Click(index); }); });
        mnuOpponent_.at(k) = action;
    }
}

void MainWindow::SyncWindowFrame() {
    const WindowFrame& frame = form_.Window;
    if (frame.Width == shownFrame_.Width && frame.Height == shownFrame_.Height &&
        frame.Left == shownFrame_.Left && frame.Top == shownFrame_.Top &&
        frame.Caption == shownFrame_.Caption) {
        return;
    }
    setWindowTitle(QString::fromStdString(frame.Caption));
    const int panelBottom = TwipsToPixels(form_.SSPanel1.Top + form_.SSPanel1.Height);
    const int menuHeight = menuBar()->sizeHint().height();
    const int width = TwipsToPixels(frame.Width - kFrameWidthTwips);
    const int height =
        std::max(TwipsToPixels(frame.Height - kFrameHeightTwips), menuHeight + panelBottom + 1);
    // A board larger than the screen scrolls inside the largest window the screen takes, its
    // frame and title bar included.
    const QRect screen = this->screen() != nullptr ? this->screen()->availableGeometry()
                                                   : QRect(0, 0, width, height);
    const int roomWidth = screen.width() - TwipsToPixels(kFrameWidthTwips);
    const int roomHeight = screen.height() - TwipsToPixels(kFrameHeightTwips);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int fitWidth = width;
    int fitHeight = height;
    if (fitWidth > roomWidth) {
        fitWidth = roomWidth;
        fitHeight += bar;  // room for the scroll bar under the board
    }
    if (fitHeight > roomHeight) {
        fitHeight = roomHeight;
        fitWidth = std::min(fitWidth + bar, roomWidth);
    }
    setFixedSize(std::max(fitWidth, 1), std::max(fitHeight, 1));
    if (frame.Left != shownFrame_.Left || frame.Top != shownFrame_.Top) {
        move(TwipsToPixels(frame.Left), TwipsToPixels(frame.Top));
    }
    shownFrame_ = frame;
}

void MainWindow::SyncBoardView() {
    const QRect panel = TwipsRect(form_.SSPanel1);
    // The window's size as set, not the client's, which follows only at the next layout.
    const QSize room(width() - panel.left(),
                     height() - menuBar()->sizeHint().height() - panel.top());
    const bool scrolls = panel.width() > room.width() || panel.height() > room.height();
    if (scrolls != (scroll_->widget() == minefield_)) {
        MoveBoard(scrolls);
    }
    const bool visible = form_.SSPanel1.Visible;
    if (scrolls) {
        const QRect view(panel.topLeft(), panel.size().boundedTo(room.expandedTo(QSize(1, 1))));
        if (scroll_->geometry() != view) {
            scroll_->setGeometry(view);
        }
    } else if (minefield_->pos() != panel.topLeft()) {
        minefield_->move(panel.topLeft());
    }
    QWidget* shown = scrolls ? static_cast<QWidget*>(scroll_) : minefield_;
    if (shown->isVisibleTo(client_) != visible) {
        shown->setVisible(visible);
    }
    if (scrolls && !minefield_->isVisibleTo(scroll_)) {
        minefield_->show();
    }
}

// Into the scrolling view or back into the window, keeping the focus and the tab order; the
// focus leaving and coming back on the way is no news to the form.
void MainWindow::MoveBoard(bool intoView) {
    const bool focused = minefield_->hasFocus();
    auto onFocus = std::move(minefield_->onFocus);
    minefield_->onFocus = nullptr;
    if (intoView) {
        scroll_->setWidget(minefield_);
        scroll_->show();
    } else {
        scroll_->takeWidget();
        minefield_->setParent(client_);
        minefield_->show();
        scroll_->hide();
    }
    setTabOrder(chkExtra_, minefield_);
    if (focused) {
        minefield_->setFocus(Qt::OtherFocusReason);
    }
    minefield_->onFocus = std::move(onFocus);
    cursorInView_ = -1;
}

// The player moving the cursor with the keys must see where it is.
void MainWindow::KeepCursorInView() {
    const int cursor = minefield_->CursorIndex();
    if (cursor == cursorInView_) {
        return;
    }
    cursorInView_ = cursor;
    if (cursor < 0) {
        return;
    }
    if (scroll_->widget() != minefield_) {
        return;
    }
    const QRect cell = minefield_->CellRect(cursor);
    scroll_->ensureVisible(cell.center().x(), cell.center().y(), cell.width(), cell.height());
}

void MainWindow::Sync() {
    SyncWindowFrame();
    minefield_->Sync();
    SyncBoardView();
    KeepCursorInView();
    const auto setText = [](QLineEdit* edit, const std::string& text) {
        const QString shown = QString::fromStdString(text);
        if (edit->text() != shown) {
            edit->setText(shown);
        }
    };
    setText(txtMines_, form_.txtMines.Text);
    setText(txtPlots_, form_.txtPlots.Text);
    Place(*txtMines_, form_.txtMines);
    Place(*txtPlots_, form_.txtPlots);
    Place(*chkExtra_, form_.chkExtra);
    chkExtra_->setChecked(form_.chkExtra.Value != 0);
    Place(*chkKeepUp_, form_.chkKeepUp);
    chkKeepUp_->setChecked(form_.chkKeepUp.Value != 0);
    Place(*cmdReplay_, form_.cmdReplay);
    Place(*cmdMultiple_, form_.cmdMultiple);
    Place(*rule1Once_, form_.mnuRule1_Once);
    Place(*lblKeepUp_, form_.lblKeepUp);
    const QString keepUp = QString::fromStdString(form_.lblKeepUp.Caption);
    if (lblKeepUp_->text() != keepUp) {
        lblKeepUp_->setText(keepUp);
        lblKeepUp_->setAccessibleName(KeepUpAccessibleName(keepUp));
    }
    // A checkable item is drawn with an empty box even when clear; the item is only checkable
    // while its check shows, so that otherwise it looks like every other item.
    mnuRule1_->setCheckable(form_.mnuRule1.Checked);
    mnuRule1_->setChecked(form_.mnuRule1.Checked);
    for (auto [action, item] : {std::pair{mnuPairsRule_, &form_.mnuPairsRule},
                                std::pair{mnuCompleteLogic_, &form_.mnuCompleteLogic}}) {
        action->setCheckable(item->Checked);
        action->setChecked(item->Checked);
    }
    for (std::size_t k = 0; k < mnuOpponent_.size(); ++k) {
        mnuOpponent_.at(k)->setChecked(form_.mnuOpponent.at(k).Checked);
    }
    mnuNoGuess_->setChecked(form_.mnuNoGuess.Checked);
    const std::array<const MenuItem*, 4> sizes = {&form_.mnuBeginner, &form_.mnuIntermediate,
                                                  &form_.mnuExpert, &form_.mnuCustom};
    for (std::size_t k = 0; k < mnuSizes_.size(); ++k) {
        mnuSizes_.at(k)->setChecked(sizes.at(k)->Checked);
    }
}

// Every key of the window reaches the form before the control that has the focus, once: the
// filter acts where the event is first delivered, not again as it travels up to the parents.
bool MainWindow::IsMineKeyEvent(QObject* watched, QEvent* event) const {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this ||
        QApplication::activeModalWidget() != nullptr) {
        return false;
    }
    QWidget* focus = QApplication::focusWidget();
    return widget == (focus != nullptr && focus->window() == this ? focus : this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (!IsMineKeyEvent(watched, event)) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool down = event->type() == QEvent::KeyPress;
    if (!down && key->isAutoRepeat()) {
        return false;
    }
    const KeyInput input = ToKeyInput(*key, down);
    Run([&] {
        if (down) {
            form_.Form_KeyDown(input.keyCode, input.shift);
        } else {
            form_.Form_KeyUp(input.keyCode, input.shift);
        }
    });
    return false;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    form_.closeBoxClicked();
    event->accept();
}

// Where the player put the window is the window's position, so that a layout that places it
// (a replay in the large layout) really moves it back.
void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    const int left = PixelsToTwips(pos().x());
    const int top = PixelsToTwips(pos().y());
    if (TwipsToPixels(form_.Window.Left) != pos().x()) {
        form_.Window.Left = left;
    }
    if (TwipsToPixels(form_.Window.Top) != pos().y()) {
        form_.Window.Top = top;
    }
    shownFrame_.Left = form_.Window.Left;
    shownFrame_.Top = form_.Window.Top;
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        form_.Form_Activate();
        // Keys let go while another window was active never reached us.
        form_.keyboardReturned(form_.GetToolkit().ShiftState());
    }
    QMainWindow::changeEvent(event);
}

}  // namespace dravik::qt
