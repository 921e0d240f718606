#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "board/mod_dravik.h"
#include "forms/frm_options.h"
#include "qt/options_dialog.h"
#include "support/fake_toolkit.h"

using dravik::ModDravik;

namespace {

// The dialog as "&Options" opens it: the form loaded afresh from the stored values, then shown.
struct Opened {
    dravik::testing::FakeToolkit toolkit;
    ModDravik options{1, 0};
    dravik::frmOptions form{toolkit, options};
    std::unique_ptr<dravik::qt::OptionsDialog> dialog;

    bool Open() {
        form.Load();
        dialog = std::make_unique<dravik::qt::OptionsDialog>(form);
        dialog->show();
        return QTest::qWaitForWindowExposed(dialog.get());
    }
    QAbstractButton* Button(const QString& text) const {
        for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
            if (button->text() == text) {
                return button;
            }
        }
        qFatal("no button %s", qPrintable(text));
    }
    // Near the left edge: on the indicator of a check box or option button.
    void Click(const QString& text) const {
        QAbstractButton* button = Button(text);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    }
    bool Checked(const QString& text) const { return Button(text)->isChecked(); }
};

}  // namespace

class OptionsDialogTest : public QObject {
    Q_OBJECT
  private slots:
    void windowAsCreated() {
        Opened o;
        QVERIFY(o.Open());
        QCOMPARE(o.dialog->windowTitle(), QStringLiteral("Dravik II: Options"));
        QVERIFY(!o.dialog->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!o.dialog->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        if (o.dialog->screen()->logicalDotsPerInchX() == 96.0) {
            QCOMPARE(o.dialog->minimumSize(), QSize(315, 216));
            QCOMPARE(o.dialog->maximumSize(), QSize(315, 216));
        }
        QStringList frames;
        for (const QGroupBox* frame : o.dialog->findChildren<QGroupBox*>()) {
            frames << frame->title();
        }
        QCOMPARE(frames, QStringList({"Hitting a Mine?", "Multiple Options", "Sweep"}));

        // Every button in tab order, found by following the focus chain round once.
        QWidget* first = o.Button("Alarm Bell");
        QStringList chain;
        QWidget* widget = first;
        do {
            if (const auto* button = qobject_cast<QAbstractButton*>(widget)) {
                chain << button->text();
            }
            widget = widget->nextInFocusChain();
        } while (widget != first && chain.size() < 20);
        QCOMPARE(chain,
                 QStringList({"Alarm Bell", "Warning Box", "End of Game", "&OK", "Ca&ncel",
                              "&Apply", "Display Count", "Left, Down", "Left, Up", "Spiral"}));

        // As loaded from HitMineOption 1 and ShowRuleCount 0; the sweep cannot be changed.
        QVERIFY(o.Checked("Warning Box") && !o.Checked("Alarm Bell") && !o.Checked("End of Game"));
        QVERIFY(!o.Checked("Display Count"));
        QVERIFY(o.Checked("Left, Down") && o.Button("Left, Down")->isEnabled());
        QVERIFY(!o.Button("Left, Up")->isEnabled());
        QVERIFY(!o.Button("Spiral")->isEnabled());
    }

    void noButtonAnswersEnterOrEscape() {
        Opened o;
        QVERIFY(o.Open());
        for (const QPushButton* button : o.dialog->findChildren<QPushButton*>()) {
            QVERIFY2(!button->isDefault() && !button->autoDefault(), qPrintable(button->text()));
        }
        o.Button("&OK")->setFocus();
        QTest::keyClick(o.dialog.get(), Qt::Key_Return);
        QTest::keyClick(o.dialog.get(), Qt::Key_Escape);
        QVERIFY(o.form.Loaded());
        QVERIFY(o.dialog->isVisible());
    }

    void okStoresTheChoiceAndCloses() {
        Opened o;
        QVERIFY(o.Open());
        o.Click("Alarm Bell");
        QVERIFY(o.Checked("Alarm Bell") && !o.Checked("Warning Box"));
        o.Click("Display Count");
        QCOMPARE(o.options.HitMineOption, std::int16_t{1});  // nothing stored before OK

        QTest::mouseClick(o.Button("&OK"), Qt::LeftButton);
        QCOMPARE(o.options.HitMineOption, std::int16_t{0});
        QCOMPARE(o.options.ShowRuleCount, std::int16_t{1});
        QVERIFY(!o.form.Loaded());
        QVERIFY(!o.dialog->isVisible());
    }

    void cancelAndCloseBoxStoreNothing() {
        Opened o;
        o.options = ModDravik{2, 1};
        QVERIFY(o.Open());
        QVERIFY(o.Checked("End of Game") && o.Checked("Display Count"));
        o.Click("Alarm Bell");
        o.Click("Display Count");
        QTest::mouseClick(o.Button("Ca&ncel"), Qt::LeftButton);
        QVERIFY(!o.form.Loaded());
        QVERIFY(!o.dialog->isVisible());
        QCOMPARE(o.options.HitMineOption, std::int16_t{2});
        QCOMPARE(o.options.ShowRuleCount, std::int16_t{1});

        // Reopened, it shows what is stored, not the cancelled clicks.
        QVERIFY(o.Open());
        QVERIFY(o.Checked("End of Game") && !o.Checked("Alarm Bell") && o.Checked("Display Count"));
        o.Click("Warning Box");
        o.dialog->close();
        QVERIFY(!o.form.Loaded());
        QCOMPARE(o.options.HitMineOption, std::int16_t{2});
    }
};

QTEST_MAIN(OptionsDialogTest)
#include "qt_options_dialog_test.moc"
