#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QtTest>

#include "board/mod_dravik.h"
#include "forms/frm_options.h"
#include "game_screen.h"
#include "qt/look.h"
#include "qt/options_dialog.h"
#include "support/fake_toolkit.h"

namespace {

// The caption as drawn: the access key's '&' is not shown.
QString Shown(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Where the style draws a control's caption, and how wide the caption is in the control's font.
struct Room {
    QRect drawn;
    int textWidth = 0;
};

Room RoomFor(const QWidget& widget, const QString& caption) {
    const QFontMetrics metrics(widget.font());
    Room room{widget.rect(), metrics.boundingRect(Shown(caption)).width()};
    QStyle* style = widget.style();
    if (qobject_cast<const QGroupBox*>(&widget) != nullptr) {
        QStyleOptionGroupBox option;
        option.initFrom(&widget);
        option.text = caption;
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = Qt::AlignLeft;
        // The label's rectangle is sized to the text: what matters is that it stays inside.
        const QRect label =
            style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &widget);
        room.drawn = label.intersected(widget.rect());
        room.textWidth = label.width();
        return room;
    }
    QStyleOptionButton option;
    option.initFrom(&widget);
    option.text = caption;
    if (qobject_cast<const QCheckBox*>(&widget) != nullptr) {
        room.drawn = style->subElementRect(QStyle::SE_CheckBoxContents, &option, &widget);
    } else if (qobject_cast<const QRadioButton*>(&widget) != nullptr) {
        room.drawn = style->subElementRect(QStyle::SE_RadioButtonContents, &option, &widget);
    } else if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
        if (button->autoDefault()) {
            option.features |= QStyleOptionButton::AutoDefaultButton;
        }
        room.drawn = style->subElementRect(QStyle::SE_PushButtonContents, &option, &widget);
    } else if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        room.drawn = label->contentsRect();
    }
    return room;
}

QString CaptionOf(const QWidget& widget) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        return button->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
        return frame->title();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
        return label->text();
    }
    return {};
}

// Every control of the window that shows a caption must show it whole; a control grown for it
// still starts where its twips put it, as high as they make it, and covers no control that its
// twips kept clear of. Returns how many captions were checked, or -1 after naming the first fault.
int CheckCaptions(const QWidget& window, const QMap<QString, QRect>& twips) {
    int checked = 0;
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (const QWidget* widget : widgets) {
        const QString caption = CaptionOf(*widget);
        if (caption.isEmpty() || !widget->isVisibleTo(&window)) {
            continue;
        }
        const Room room = RoomFor(*widget, caption);
        const QRect placed = twips.value(caption);
        if (room.textWidth > room.drawn.width() || !widget->rect().contains(room.drawn)) {
            qWarning("cut: \"%s\" needs %d px, has %d", qPrintable(caption), room.textWidth,
                     room.drawn.width());
            return -1;
        }
        if (placed.isNull() || widget->pos() != placed.topLeft() ||
            widget->height() != placed.height() || widget->width() < placed.width()) {
            qWarning("moved: \"%s\" at (%d, %d)", qPrintable(caption), widget->x(), widget->y());
            return -1;
        }
        for (const QWidget* other : widgets) {
            const QRect otherPlaced = twips.value(CaptionOf(*other));
            if (other != widget && other->parentWidget() == widget->parentWidget() &&
                other->isVisibleTo(&window) && !otherPlaced.isNull() &&
                !otherPlaced.intersects(placed) &&
                other->geometry().intersects(widget->geometry())) {
                qWarning("\"%s\" covers \"%s\"", qPrintable(caption),
                         qPrintable(CaptionOf(*other)));
                return -1;
            }
        }
        ++checked;
    }
    return checked;
}

template <typename Model>
void Add(QMap<QString, QRect>& twips, const Model& model) {
    twips.insert(dravik::qt::ToQText(model.Caption), dravik::qt::TwipsRect(model));
}

}  // namespace

class CaptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void mainWindowCaptionsShowWhole() {
        dravik::testing::GameScreen s;
        dravik::frmDravik& f = s.game.form;
        // Every control shown, the score at its widest.
        f.chkKeepUp.Value = dravik::kChecked;
        f.chkKeepUp_Click();
        f.lblKeepUp.Caption = "480 Behind";
        QVERIFY(s.Show());
        QMap<QString, QRect> twips;
        Add(twips, f.chkExtra);
        Add(twips, f.chkKeepUp);
        Add(twips, f.cmdReplay);
        Add(twips, f.cmdMultiple);
        Add(twips, f.mnuRule1_Once);
        Add(twips, f.lblKeepUp);
        QCOMPARE(CheckCaptions(s.window, twips), 6);
    }

    void optionsDialogCaptionsShowWhole() {
        dravik::testing::FakeToolkit toolkit;
        dravik::ModDravik options{1, 0};
        dravik::frmOptions f{toolkit, options};
        f.Load();
        dravik::qt::OptionsDialog dialog(f);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QMap<QString, QRect> twips;
        for (const auto* frame : {&f.fraHitMine, &f.fraMultiple, &f.fraSweep}) {
            Add(twips, *frame);
        }
        for (const auto* button : {&f.cmdOK, &f.cmdCancel, &f.cmdApply}) {
            Add(twips, *button);
        }
        for (std::size_t k = 0; k < f.opthitMine.size(); ++k) {
            Add(twips, f.opthitMine[k]);
            Add(twips, f.optSweep[k]);
        }
        Add(twips, f.chkMultiCnt);
        QCOMPARE(CheckCaptions(dialog, twips), 13);
    }
};

QTEST_MAIN(CaptionsTest)
#include "qt_captions_test.moc"
