// The preview on the real window: F5 and the menu of "Cursore on", its lamps read from its
// pixels, the grid's line, edits while it is open, and its end when the real cursor starts.
// Then the grid printed and exported.

#include "model/grid_drawing.h"
#include "tests/support/utf8.h"
#include "tests/support/window_fixture.h"
#include "window/grid_canvas.h"
#include "window/lamp_panel.h"
#include "window/position_slider.h"
#include "window/preview_window.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QtTest>

namespace {

// The sample "Miravel 4F": phases of 1, 2, 1 and 2 minutes (Alba, Giorno, Tramonto, Notte).
constexpr int kCycle = 360;

struct PreviewFixture {
    WindowFixture f;
    frmMain* w = nullptr;

    PreviewFixture() {
        w = &f.Show();
        f.ui.openAnswers.push_back(U(MIRAVEL6_SAMPLES_DIR "/e_mv4f.dm6"));
        f.ClickButton(U("cmdFileOpen_0"));
    }
    // Keys go to the active window, as the user's do.
    void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        f.Activate();
        QTest::keyClick(w, key, modifiers);
    }
    PreviewWindow* Preview() const { return w->Preview(); }
    template <class T> T* In(const char* name) const { return Preview()->findChild<T*>(U(name)); }
    // The lamp's colour as the screen shows it.
    QColor Lamp(int output) const {
        const LampPanel& lamps = Preview()->Lamps();
        return const_cast<LampPanel&>(lamps).grab().toImage().pixelColor(lamps.LampCentre(output));
    }
    // The time passes on the clock and the next frame comes.
    void Wait(qint64 ms) {
        f.clock.nowMs += ms;
        Preview()->Frame();
    }
    GridCanvas* Canvas() const { return f.Child<GridCanvas>(U("canvas")); }
    void DeleteClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

} // namespace

class TstPreview : public QObject {
    Q_OBJECT

private slots:
    void f5OpensOneToolWindowBesideTheMainOne();
    void cursorButtonMenuOpensItAndClosesWhenTheCursorStarts();
    void lampsShowTheLevelsWhereTheSliderIsMoved();
    void playingMovesTheGridLineAtTheSpeed();
    void editsShowAtOnceAndTheTitleFollows();
    void indicativeEffectsAreSaidSo();
    void printPutsTheGridOnThePage();
    void exportWritesThePictureOrSaysWhyNot();
};

void TstPreview::f5OpensOneToolWindowBesideTheMainOne() {
    PreviewFixture p;
    QVERIFY(p.Preview() == nullptr);
    p.PressKey(Qt::Key_F5);
    PreviewWindow* preview = p.Preview();
    QVERIFY(preview != nullptr && preview->isVisible());
    QVERIFY(preview->windowFlags().testFlag(Qt::Tool) && !preview->isModal());
    QCOMPARE(preview->windowTitle(), U("Anteprima - ") + p.w->windowTitle());
    QVERIFY(p.w->windowTitle().startsWith(U("Miravel6 - ")));
    QVERIFY(preview->Playing());
    QCOMPARE(p.In<QPushButton>("cmdPlay")->text(), U("Pausa"));
    QCOMPARE(p.In<QLabel>("lblTimes")->text(),
             U("Totale: 00:00:00/00:06:00 - Parziale: Fase1 00:00:00/00:01:00"));
    QCOMPARE(p.In<QLabel>("lblFase")->text(), U("Fase 1: Alba"));

    // A second F5 brings the same window forward.
    p.PressKey(Qt::Key_F5);
    QCOMPARE(p.Preview(), preview);

    // Closed by the user: the grid's line goes with it; F5 opens a new one.
    QVERIFY(p.Canvas()->PreviewLine().visible);
    preview->close();
    p.DeleteClosed();
    QVERIFY(p.Preview() == nullptr && !p.Canvas()->PreviewLine().visible);
    p.PressKey(Qt::Key_F5);
    QVERIFY(p.Preview() != nullptr);
    QVERIFY(p.f.ui.messages.empty());
}

void TstPreview::cursorButtonMenuOpensItAndClosesWhenTheCursorStarts() {
    PreviewFixture p;
    auto* button = p.f.Child<QPushButton>(U("cmdTimeCursor"));
    p.f.ui.menuChoices.push_back({U("Anteprima")});
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            button->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(button, &event);
    const MenuEntry& menu = p.f.ui.menus.at(0);
    QCOMPARE(Captions(menu), U("Anteprima|-|Stampa...|Esporta immagine..."));
    QVERIFY(p.Preview() != nullptr && p.Canvas()->PreviewLine().visible);

    // The cursor's question cancelled: the preview stays. Started: the preview closes, and
    // stays shut while the cursor follows the board; its menu item is off.
    p.f.ui.msgAnswers = {MsgAnswer::Cancel, MsgAnswer::Ok};
    p.f.ClickButton(U("cmdTimeCursor"));
    QVERIFY(p.Preview() != nullptr);
    p.f.ClickButton(U("cmdTimeCursor"));
    p.DeleteClosed();
    QVERIFY(p.Preview() == nullptr && !p.Canvas()->PreviewLine().visible);
    QVERIFY(p.Canvas()->TimeCursor().visible);
    p.PressKey(Qt::Key_F5);
    QVERIFY(p.Preview() == nullptr);
    p.f.ui.menuChoices.push_back({});
    QApplication::sendEvent(button, &event);
    QVERIFY(!p.f.ui.menus.back().items[0].enabled);
    QVERIFY(p.Preview() == nullptr);
}

void TstPreview::lampsShowTheLevelsWhereTheSliderIsMoved() {
    PreviewFixture p;
    p.PressKey(Qt::Key_F5);
    QTest::mouseClick(p.In<QPushButton>("cmdPlay"), Qt::LeftButton); // pause
    QCOMPARE(p.In<QPushButton>("cmdPlay")->text(), U("Avvia"));

    // By keyboard on the slider, 15 seconds in (the levels themselves are unit-tested): Sole
    // and Aurora half way up their first ramps, Luci case on, Lampioni off.
    auto* slider = p.In<PositionSlider>("sldPosition");
    QCOMPARE(slider->maximum(), kCycle - 1);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_Home);
    for (int at = 0; at < 15; ++at) {
        QTest::keyClick(slider, Qt::Key_Right);
    }
    QCOMPARE(p.Preview()->Position(), 15.0);
    for (const auto& [output, level] : {std::pair{0, 64.0}, {2, 128.0}, {5, 256.0}, {6, 0.0}}) {
        QCOMPARE(p.Lamp(output), LampColour(level));
    }

    // A click a third of the way jumps there: in Giorno, not a page step on.
    const QPoint third(slider->width() / 3, slider->height() / 2);
    const int value = slider->ValueAt(third);
    QVERIFY2(value > kCycle / 4 && value < kCycle * 5 / 12, qPrintable(QString::number(value)));
    QTest::mouseClick(slider, Qt::LeftButton, {}, third);
    QCOMPARE(p.Preview()->Position(), double(value));
    QCOMPARE(p.In<QLabel>("lblFase")->text(), U("Fase 2: Giorno"));
    QCOMPARE(p.Lamp(0), LampColour(256));
}

void TstPreview::playingMovesTheGridLineAtTheSpeed() {
    PreviewFixture p;
    p.PressKey(Qt::Key_F5);
    p.In<QComboBox>("cboSpeed")->setCurrentIndex(3);
    QCOMPARE(p.Preview()->Speed(), 600);

    // One second at x600 is ten minutes: round the 6-minute cycle to 4 minutes in, Notte.
    p.Wait(1000);
    QCOMPARE(p.Preview()->Position(), 240.0);
    QCOMPARE(p.In<QLabel>("lblTimes")->text(),
             U("Totale: 00:04:00/00:06:00 - Parziale: Fase4 00:00:00/00:02:00"));
    QVERIFY(!p.Canvas()->TimeCursor().visible);

    // A tenth of a second more is one minute: half way through Notte, where the cursor would
    // stand (unit-tested), drawn in its colour over the empty part of the first row.
    p.Wait(100);
    const GridLine line = p.Canvas()->PreviewLine();
    QVERIFY(line.visible && line.x1 == ColumnLeft(3) + 60 * 1080 / 120);
    const TwipsScale& scale = p.Canvas()->Scale();
    const QImage grid = p.Canvas()->grab().toImage();
    QCOMPARE(grid.pixelColor(scale.Px(line.x1), scale.Px(960)), QColor(255, 140, 0));

    // Paused, the clock moves nothing.
    QTest::mouseClick(p.In<QPushButton>("cmdPlay"), Qt::LeftButton);
    p.Wait(5000);
    QCOMPARE(p.Preview()->Position(), 300.0);
    // Played again at x1: five seconds are five seconds.
    QTest::mouseClick(p.In<QPushButton>("cmdPlay"), Qt::LeftButton);
    p.In<QComboBox>("cboSpeed")->setCurrentIndex(0);
    p.Wait(5000);
    QCOMPARE(p.Preview()->Position(), 305.0);
}

void TstPreview::editsShowAtOnceAndTheTitleFollows() {
    PreviewFixture p;
    p.PressKey(Qt::Key_F5);
    QTest::mouseClick(p.In<QPushButton>("cmdPlay"), Qt::LeftButton);
    p.Preview()->SeekTo(300); // Notte, where Sole is off
    QCOMPARE(p.Lamp(0), LampColour(0));
    p.f.ClickCell(CellIndex(0, 3), {U("Effetti Parte1+Parte2"), U("On")});
    QVERIFY(p.f.ui.menuErrors.isEmpty());
    QCOMPARE(p.Lamp(0), LampColour(256));
    QCOMPARE(p.Preview()->windowTitle(), U("Anteprima - Miravel6"));

    // Renamed output and phase: under the lamp and in the phase line.
    p.f.ui.inputAnswers.push_back(U("Luna"));
    p.f.ui.menuChoices.push_back({U("Modifica")});
    QTest::mouseClick(p.f.Child<QLabel>("lblOutName", 0), Qt::LeftButton);
    p.f.ui.inputAnswers.push_back(U("Buio"));
    p.f.ui.menuChoices.push_back({U("Modifica")});
    QTest::mouseClick(p.f.Child<QLabel>("lblFaseName", 3), Qt::LeftButton);
    QVERIFY(p.f.ui.menuErrors.isEmpty());
    QCOMPARE(p.Preview()->Lamps().Names()[0], U("Luna"));
    QCOMPARE(p.In<QLabel>("lblFase")->text(), U("Fase 4: Buio"));

    // A shorter cycle: the position wraps into it; a name shows under its lamp.
    p.f.Child<QComboBox>("cboFaseTime", 3)->setCurrentIndex(0); // Notte "OFF"
    QCOMPARE(p.Preview()->Plan().cycleLength, 240);
    QCOMPARE(p.Preview()->Position(), 60.0);

    // Every phase "OFF": nothing to play.
    for (int fase = 0; fase < 3; ++fase) {
        p.f.Child<QComboBox>("cboFaseTime", fase)->setCurrentIndex(0);
    }
    QVERIFY(!p.In<QPushButton>("cmdPlay")->isEnabled());
    QCOMPARE(p.In<QLabel>("lblFase")->text(), U("Nessuna fase temporale attivata"));
    QVERIFY(!p.Canvas()->PreviewLine().visible);
    QCOMPARE(p.Lamp(9), LampColour(0));
    QVERIFY(p.f.ui.messages.empty());
}

void TstPreview::indicativeEffectsAreSaidSo() {
    PreviewFixture p; // Stelle, Fuoco and Cometa flicker, Luci case switches on at random
    p.PressKey(Qt::Key_F5);
    auto* label = p.In<QLabel>("lblIndicative");
    QVERIFY(label->isVisibleTo(p.Preview()));
    QVERIFY(label->text().contains(U("indicativo")));
    // A grid without them says nothing of the sort.
    p.f.ClickCell(0, {U("Azzera"), U("Tutto")}, Qt::RightButton);
    QVERIFY(p.f.ui.menuErrors.isEmpty());
    QVERIFY(!label->isVisibleTo(p.Preview()));
}

void TstPreview::printPutsTheGridOnThePage() {
    PreviewFixture p;
    const QString pdf = p.f.FolderPath() + U("/stampa.pdf");
    p.f.ui.dialogActions.push_back([pdf](QDialog& dialog) {
        // The user picks printing to a file and names it.
        auto& print = dynamic_cast<QPrintDialog&>(dialog);
        auto* name = print.findChild<QLineEdit*>(QStringLiteral("filename"));
        QVERIFY(name != nullptr);
        name->setText(pdf);
        print.accept();
    });
    p.PressKey(Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(p.f.ui.dialogTitles, QStringList{U("Stampa griglia")});
    const QByteArray bytes = p.f.ReadProgramFile(U("stampa.pdf"));
    QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 2000);
    // Cancelled: nothing printed, nothing said. The preview's button asks the same.
    p.PressKey(Qt::Key_F5);
    QTest::mouseClick(p.In<QPushButton>("cmdPrint"), Qt::LeftButton);
    QCOMPARE(p.f.ui.dialogTitles.size(), 2);
    QVERIFY(p.f.ui.messages.empty());
}

void TstPreview::exportWritesThePictureOrSaysWhyNot() {
    // One row for each way out of the export (the formats and the failed save over a file are
    // test_picture_file's; the picture's lines are compared with the canvas in tst_cli_preview).
    PreviewFixture p;
    const QString png = p.f.FolderPath() + U("/griglia.png");
    p.f.ui.saveAnswers.push_back(png);
    p.PressKey(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(p.f.ui.saveRequests.at(0).title, U("Esporta immagine"));
    QCOMPARE(p.f.ui.saveRequests[0].defaultExt, U(".png")); // a name typed without one
    QCOMPARE(QImage(png).size(), QSize(674, 370));

    // From the preview's button, by the extension.
    p.PressKey(Qt::Key_F5);
    p.f.ui.saveAnswers.push_back(p.f.FolderPath() + U("/griglia.PDF"));
    QTest::mouseClick(p.In<QPushButton>("cmdExport"), Qt::LeftButton);
    QVERIFY(p.f.ReadProgramFile(U("griglia.PDF")).startsWith("%PDF"));
    QVERIFY(p.f.ui.messages.empty());

    // Another extension is refused; a folder that is not there is told.
    p.f.ui.saveAnswers.push_back(p.f.FolderPath() + U("/griglia.jpg"));
    p.PressKey(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    p.f.ExpectMessage(1,
                      U("Formato non riconosciuto: ") + p.f.FolderPath() +
                          U("/griglia.jpg\r\nUsare l'estensione .png, .svg o .pdf"),
                      MsgIcon::Exclamation);
    const QString missing = p.f.FolderPath() + U("/manca/griglia.png");
    p.f.ui.saveAnswers.push_back(missing);
    p.PressKey(Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(p.f.ui.messages.size(), std::size_t{2});
    QVERIFY(p.f.ui.messages[1].text.startsWith(U("Impossibile esportare l'immagine sul file ") +
                                               missing + U("\r\n")));
    QCOMPARE(p.f.ui.messages[1].icon, MsgIcon::Critical);
}

QTEST_MAIN(TstPreview)
#include "tst_preview.moc"
