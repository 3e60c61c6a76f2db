// Undo and redo on the window: every kind of change undone and redone gives back what the window
// and the program folder showed; the step limit; redo dropped by a new change; refusals while the
// time cursor runs; saving is no step.

#include "tests/support/window_fixture.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>

namespace {

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Everything an undo must give back besides the title: model, durations, names, the drawn
// cells, the image text and every file of the program folder (the report among them).
struct Shown {
    explicit Shown(WindowFixture& f)
        : grid(f.window().EffSet()), codes(f.window().CurrentFaseCodes()),
          image(f.window().EdataImage()),
          text(f.Child<QPlainTextEdit>(U("txtEdata"))->toPlainText()) {
        for (const QWidget* widget : f.window().findChildren<QWidget*>()) {
            const auto* label = qobject_cast<const QLabel*>(widget);
            controls << (label != nullptr ? label->text() : QString()) + widget->toolTip() +
                            (widget->isVisible() ? U("") : U("(hidden)"));
        }
        const QDir folder(f.FolderPath());
        for (const QString& name : folder.entryList(QDir::Files)) {
            QFile file(folder.filePath(name));
            files[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("?");
        }
    }
    bool operator==(const Shown&) const = default;

    EffGrid grid;
    FaseCodes codes;
    EdataBytes image;
    QString text;
    QStringList controls;
    std::map<QString, QByteArray> files;
};

void Key(WindowFixture& f, const QKeySequence& keys) {
    QWidget* target = QApplication::focusWidget();
    QTest::keySequence(target != nullptr ? target : &f.window(), keys);
}
// The platform's bindings are known once the application exists.
constexpr auto kUndo = QKeySequence::Undo;
constexpr auto kRedo = QKeySequence::Redo;
constexpr auto kCtrlY = Qt::CTRL | Qt::Key_Y;

void Command(WindowFixture& f, int cell, const char* command, const char* item) {
    f.ClickCell(cell, {U(command), U(item)}, Qt::RightButton);
}

void Name(WindowFixture& f, const char* label, int index, const QStringList& item) {
    f.ui.menuChoices.push_back(item);
    QTest::mouseClick(f.Child<QLabel>(label, index), Qt::LeftButton);
}

// One user action of each kind that changes the configuration.
void Do(WindowFixture& f, const QString& action) {
    if (action == U("preset")) {
        f.ClickCell(12, {U("Effetti Parte1+Parte2"), U("Crescente 25%")});
    } else if (action == U("flicker")) {
        f.ClickCell(0, {U("Tremolo"), U("Velocità fissa3 - Lum -25%")});
    } else if (action == U("clear all")) {
        Command(f, 33, "Azzera", "Tutto");
    } else if (action == U("clear column")) {
        Command(f, 9, "Azzera", "Fase (colonna)");
    } else if (action == U("paste cell")) {
        Command(f, 70, "Incolla", "Effetto");
    } else if (action == U("paste row")) {
        Command(f, 44, "Incolla", "Uscita (riga)");
    } else if (action == U("paste column")) {
        Command(f, 6, "Incolla", "Fase (colonna)");
    } else if (action == U("duration OFF")) {
        f.Child<QComboBox>("cboFaseTime", 1)->setCurrentIndex(0);
    } else if (action == U("rename")) {
        f.ui.inputAnswers.push_back(U("Cancello"));
        Name(f, "lblFaseName", 4, {U("Modifica")});
    } else if (action == U("default")) {
        Name(f, "lblOutName", 0, {U("Default")});
    } else if (action == U("default all")) {
        Name(f, "lblFaseName", 0, {U("Default tutti")});
    } else if (action == U("open file")) {
        f.ui.openAnswers.push_back(f.FolderPath() + U("/saved.dm6"));
        f.ClickButton(U("cmdFileOpen_0"));
    }
}

// An edited window, with something in every clipboard and a file saved from its first state.
frmMain& ShowEdited(WindowFixture& f) {
    frmMain& w = f.Show();
    w.activateWindow();
    [&w] { QVERIFY(QTest::qWaitForWindowActive(&w)); }();
    f.ui.saveAnswers.push_back(f.FolderPath() + U("/saved.dm6"));
    f.ClickButton(U("cmdFileSave"));
    f.ClickCell(0, {U("Effetti Parte1+Parte2"), U("On")});
    f.ClickCell(9, {U("Luminosità Parte1"), U("Decrescente 12%")});
    f.Child<QComboBox>("cboFaseTime", 3)->setCurrentIndex(20);
    f.ui.inputAnswers.push_back(U("Porta"));
    Name(f, "lblOutName", 0, {U("Modifica")});
    Command(f, 9, "Copia", "Effetto");
    Command(f, 8, "Copia", "Uscita (riga)");
    Command(f, 1, "Copia", "Fase (colonna)");
    return w;
}

} // namespace

class TstUndo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void everyChangeUndoneAndRedone_data();
    void everyChangeUndoneAndRedone();
    void hundredSteps();
    void newChangeDropsTheRedoSteps();
    void refusedWhileTheCursorRunsAndSavingIsNoStep();
};

void TstUndo::everyChangeUndoneAndRedone_data() {
    QTest::addColumn<QString>("action");
    for (const char* action :
         {"preset", "flicker", "clear all", "clear column", "paste cell", "paste row",
          "paste column", "duration OFF", "rename", "default", "default all", "open file"}) {
        QTest::newRow(action) << U(action);
    }
}

void TstUndo::everyChangeUndoneAndRedone() {
    QFETCH(QString, action);
    WindowFixture f;
    frmMain& w = ShowEdited(f);
    const Shown before(f);
    w.setWindowTitle(U("Miravel6 - /tmp/casa.dm6"));
    Do(f, action);
    Do(f, action); // the same again changes nothing and is no step
    const Shown after(f);
    const QString titleAfter = w.windowTitle();
    QVERIFY(!(after == before));
    QVERIFY(f.ui.menuErrors.isEmpty());

    for (const QKeySequence& redo : {QKeySequence(kRedo), QKeySequence(kCtrlY)}) {
        w.setWindowTitle(titleAfter);
        Key(f, kUndo);
        QVERIFY(Shown(f) == before);
        QCOMPARE(w.windowTitle(), U("Miravel6"));
        w.setWindowTitle(U("Miravel6 - /tmp/casa.dm6"));
        Key(f, redo);
        QVERIFY(Shown(f) == after);
        QCOMPARE(w.windowTitle(), U("Miravel6"));
    }
    // One action was one step: the next undo gives back the state before the clipboards' copies,
    // which changed nothing, so the rename of output 1.
    Key(f, kUndo);
    Key(f, kUndo);
    QCOMPARE(f.Child<QLabel>("lblOutName", 0)->text(), U("Uscita 1"));
    QCOMPARE(f.Child<QComboBox>("cboFaseTime", 3)->currentIndex(), 20);
}

void TstUndo::hundredSteps() {
    WindowFixture f;
    frmMain& w = f.Show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto* fase = f.Child<QComboBox>("cboFaseTime", 0);
    for (int k = 1; k <= 101; ++k) {
        fase->setCurrentIndex(1 + k % 60);
    }
    fase->setCurrentIndex(fase->currentIndex()); // the same choice again is no step
    for (int k = 0; k < 101; ++k) {
        Key(f, kUndo);
    }
    QCOMPARE(fase->currentIndex(), 2); // the first change is the one step dropped
    QCOMPARE(w.EdataImage()[0], 2);
    for (int k = 0; k < 101; ++k) {
        Key(f, kRedo);
    }
    QCOMPARE(fase->currentIndex(), 1 + 101 % 60);
}

void TstUndo::newChangeDropsTheRedoSteps() {
    WindowFixture f;
    ShowEdited(f);
    Key(f, kUndo); // the rename
    Key(f, kUndo); // the duration
    const Shown undone(f);
    f.ClickCell(79, {U("Effetti Parte1+Parte2"), U("On")});
    const Shown changed(f);
    Key(f, kRedo);
    Key(f, kCtrlY);
    QVERIFY(Shown(f) == changed);
    Key(f, kUndo);
    QVERIFY(Shown(f) == undone);
}

void TstUndo::refusedWhileTheCursorRunsAndSavingIsNoStep() {
    WindowFixture f;
    frmMain& w = ShowEdited(f);
    auto* timer = w.findChild<QTimer*>(U("tmrTimeCursor"));
    const Shown edited(f);
    timer->start(100);
    Key(f, kUndo);
    Key(f, kRedo);
    timer->stop();
    QVERIFY(Shown(f) == edited);

    // Undo, save, redo: the save neither took a step nor dropped the redo.
    Key(f, kUndo);
    const Shown undone(f);
    f.ui.saveAnswers.push_back(f.FolderPath() + U("/other.dm6"));
    f.ClickButton(U("cmdFileSave"));
    QCOMPARE(w.windowTitle(),
             U("Miravel6 - ") + QDir::toNativeSeparators(f.FolderPath()) + U("/other.dm6"));
    Key(f, kRedo);
    QCOMPARE(w.EffSet(), edited.grid);
    QCOMPARE(f.Child<QLabel>("lblOutName", 0)->text(), U("Porta"));
    Key(f, kUndo);
    QCOMPARE(w.EffSet(), undone.grid);
    QCOMPARE(f.Child<QLabel>("lblOutName", 0)->text(), U("Uscita 1"));
}

QTEST_MAIN(TstUndo)
#include "tst_undo.moc"
