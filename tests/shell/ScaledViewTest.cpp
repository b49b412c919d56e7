// The interface drawn smaller than its own size (an 800 x 480 panel): taps reach the dialog
// on top, dialogs are placed where they are at 800 x 600, and a dialog shown over another
// gives the taps back when it closes.
#include "config/Settingsunit.h"
#include "dialogs/Mypromptunit.h"
#include "shell/ScaledInterfaceView.h"
#include "support/TestProgram.h"
#include "tools/Mymainmenuunit.h"
#include "widgets/TouchButton.h"

#include <QCoreApplication>
#include <QGraphicsProxyWidget>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class ScaledViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program.start();
        view = std::make_unique<ScaledInterfaceView>(*program.main, 0.8, QRect(0, 0, 800, 480));
    }

    // A tap on the middle of `control`, wherever the view draws it.
    void tap(const QWidget& control) const
    {
        const QWidget& window = *control.window();
        const QPointF inScene = window.graphicsProxyWidget()->mapToScene(QPointF(control.mapTo(&window, control.rect().center())));
        const QPoint at = view->mapFromScene(inScene);
        const QPoint global = view->viewport()->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view->viewport(), &press);
        QCoreApplication::sendEvent(view->viewport(), &release);
    }

    // Where `dialog` is drawn, in the interface's own coordinates.
    static QPointF placeOf(const QWidget& dialog) { return dialog.graphicsProxyWidget()->scenePos(); }

    // Within a pixel of the panel (1.25 of the interface's) in each direction.
    static void expectNear(QPointF got, QPointF wanted)
    {
        EXPECT_LE(std::abs(got.x() - wanted.x()), 1.25) << got.x() << ", " << got.y();
        EXPECT_LE(std::abs(got.y() - wanted.y()), 1.25) << got.x() << ", " << got.y();
    }

    TestProgram program;
    std::unique_ptr<ScaledInterfaceView> view;
};

} // namespace

TEST_F(ScaledViewTest, ADialogOverADialogTakesTheTapsAndGivesThemBack)
{
    TMainForm& m = *program.main;
    QPointF menuPlace, promptPlace;
    bool promptShown = false, promptClosedByItsTap = false, menuClosedByItsTap = false;
    // Each dialog runs its own event loop: the taps inside it are queued before it opens.
    QTimer::singleShot(0, [&] {
        menuPlace = placeOf(*m.MyMainMenu);
        QTimer::singleShot(0, [&] {
            promptShown = m.MyPrompt->isVisible();
            promptPlace = placeOf(*m.MyPrompt);
            tap(*m.MyPrompt->CancelBtn);
            promptClosedByItsTap = !m.MyPrompt->isVisible();
        });
        tap(*m.MyMainMenu->PowerOffBtn);
        tap(*m.MyMainMenu->DoneBtn);
        menuClosedByItsTap = !m.MyMainMenu->isVisible();
    });
    // A tap that does not arrive leaves a dialog waiting: it is closed after a while.
    QTimer giveUp;
    giveUp.setInterval(2000);
    QObject::connect(&giveUp, &QTimer::timeout, [&] {
        m.MyPrompt->reject();
        m.MyMainMenu->reject();
    });
    giveUp.start();
    tap(*m.SystemBtn);

    EXPECT_TRUE(promptShown);
    EXPECT_TRUE(promptClosedByItsTap);
    EXPECT_TRUE(menuClosedByItsTap) << "the menu did not get the taps back";
    EXPECT_TRUE(program.fakes.shell->commands.isEmpty()) << "the prompt's Cancel powered off";
    // Centred on the interface, as at 800 x 600.
    expectNear(menuPlace + QPointF(m.MyMainMenu->width(), m.MyMainMenu->height()) / 2, QPointF(400, 300));
    expectNear(promptPlace + QPointF(m.MyPrompt->width(), m.MyPrompt->height()) / 2, QPointF(400, 300));
}

TEST_F(ScaledViewTest, OptionsAreWhereQtPutsThemAt800By600)
{
    TMainForm& m = *program.main;
    QPointF place;
    QTimer::singleShot(0, [&] {
        place = placeOf(*m.SettingsForm);
        tap(*m.SettingsForm->DoneBtn);
    });
    tap(*m.SettingsBtn);

    expectNear(place, QPointF(92, 8));
    EXPECT_FALSE(m.SettingsForm->isVisible());
}
