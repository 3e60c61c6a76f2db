// The grid and the name labels by keyboard: Tab order, the focus cell and the menus it opens.

#include "window/click_label.h"
#include "window/frm_main.h"
#include "window/grid_canvas.h"
#include "window/output_button.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

void frmMain::SetTabOrder() {
    // Duration lists, grid, name labels (phases, then outputs), then the buttons from the
    // output buttons down the right-hand column.
    std::vector<QWidget*> order(cboFaseTime.begin(), cboFaseTime.end());
    order.push_back(canvas);
    order.insert(order.end(), lblFaseName.begin(), lblFaseName.end());
    order.insert(order.end(), lblOutName.begin(), lblOutName.end());
    order.insert(order.end(), cmdOutOnoff.begin(), cmdOutOnoff.end());
    order.insert(order.end(), cmdFileOpen.begin() + 1, cmdFileOpen.end());
    order.insert(order.end(), {cmdFileOpen[0], cmdFileSave, cboComm, cmdEdataRead, cmdEdataWrite,
                               cmdCommTest, txtEdata, cmdTimeCursor});
    for (std::size_t k = 1; k < order.size(); ++k) {
        setTabOrder(order[k - 1], order[k]);
    }
}

ShownFasi frmMain::ShownFasiNow() const {
    return ShownFasiOf(config.faseCodes);
}

void frmMain::PlaceFocusCell(int cell) {
    const ShownFasi shown = ShownFasiNow();
    const int placed = SnapFocusCell(cell, shown);
    canvas->SetFocusCell(placed, shown[static_cast<std::size_t>(CellFase(placed))]);
}

void frmMain::canvas_FocusMove(FocusMove move) {
    // Keys obey the rules of clicks.
    if (Busy()) {
        return;
    }
    PlaceFocusCell(MoveFocusCell(canvas->FocusCell(), move, ShownFasiNow()));
}

void frmMain::canvas_MenuKey(bool commands) {
    const int cell = canvas->FocusCell();
    if (!ShownFasiNow()[static_cast<std::size_t>(CellFase(cell))]) {
        return; // every phase is "OFF": there is no cell to open
    }
    // Beside the cell, at its label's top right corner, rather than at the mouse.
    const ClickLabel* label = lblEffMode[static_cast<std::size_t>(cell)];
    lblEffMode_MouseDown(cell, commands ? Qt::RightButton : Qt::LeftButton,
                         label->mapToGlobal(QPoint(label->width(), 0)));
}
