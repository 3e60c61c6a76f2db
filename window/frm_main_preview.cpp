// The preview of the cycle without a board, and the grid printed or exported as a picture.

#include "model/configuration.h"
#include "picture/grid_picture.h"
#include "picture/picture_file.h"
#include "window/frm_main.h"
#include "window/grid_canvas.h"
#include "window/preview_window.h"

#include <QAction>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

namespace {

enum PreviewMenuItem { kItemPreview = 1, kItemPrint, kItemExport };

} // namespace

void frmMain::CreatePreviewKeys() {
    const auto addKey = [this](const char* name, const QKeySequence& key, void (frmMain::*slot)()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        addAction(action);
    };
    addKey("mnuPreview", QKeySequence(Qt::Key_F5), &frmMain::mnuPreview_Click);
    addKey("mnuPrint", QKeySequence(Qt::CTRL | Qt::Key_P), &frmMain::mnuPrint_Click);
    addKey("mnuExport", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &frmMain::mnuExport_Click);

    // The same three beside "Cursore on", on its context menu.
    cmdTimeCursor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cmdTimeCursor, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { cmdTimeCursor_ContextMenu(cmdTimeCursor->mapToGlobal(pos)); });
}

void frmMain::cmdTimeCursor_ContextMenu(QPoint globalPos) {
    MenuEntry menu;
    menu.caption = QStringLiteral("mnuPreview_");
    menu.items = {{QStringLiteral("Anteprima"), kItemPreview, false, false, !blnTimeCursor, {}},
                  {QString(), -1, true, false, true, {}},
                  {QStringLiteral("Stampa..."), kItemPrint, false, false, true, {}},
                  {QStringLiteral("Esporta immagine..."), kItemExport, false, false, true, {}}};
    switch (ui.PopupMenu(this, menu, globalPos)) {
    case kItemPreview:
        mnuPreview_Click();
        break;
    case kItemPrint:
        mnuPrint_Click();
        break;
    case kItemExport:
        mnuExport_Click();
        break;
    default:
        break;
    }
}

void frmMain::mnuPreview_Click() {
    // The real cursor follows the board; a second line beside it would mislead.
    if (blnTimeCursor || tmrTimeCursor->isActive()) {
        return;
    }
    if (preview) {
        preview->raise();
        preview->activateWindow();
        return;
    }
    preview = new PreviewWindow(clock, this);
    connect(preview, &PreviewWindow::positionShown, canvas,
            [this](int x, bool shown) { canvas->SetPreviewLine(x, shown); });
    connect(preview, &PreviewWindow::printRequested, this, &frmMain::mnuPrint_Click);
    connect(preview, &PreviewWindow::exportRequested, this, &frmMain::mnuExport_Click);
    preview->SetConfiguration(CurrentConfiguration());
    preview->adjustSize();
    // Beside the main window, on its right.
    preview->move(frameGeometry().topRight() + QPoint(8, 0));
    preview->show();
    preview->Play();
}

PreviewWindow* frmMain::Preview() const {
    return preview.data();
}

void frmMain::UpdatePreview() {
    if (preview) {
        preview->SetConfiguration(CurrentConfiguration());
    }
}

void frmMain::ClosePreview() {
    if (preview) {
        preview->close();
    }
}

void frmMain::mnuPrint_Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(windowTitle());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Stampa griglia"));
    if (!ui.ExecDialog(dialog)) {
        return;
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        Message(QStringLiteral("Impossibile stampare la griglia"), MsgIcon::Critical);
        return;
    }
    // The whole grid on the page, as large as it fits.
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    TwipsScale scale;
    scale.pixelsPerTwip =
        std::min(page.width() / kPictureWidthTwips, page.height() / kPictureHeightTwips);
    PaintGridPicture(painter, scale, PictureOf(CurrentConfiguration()));
    painter.end();
}

void frmMain::mnuExport_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Esporta immagine");
    request.filter = QStringLiteral(
        "Immagine PNG (*.png)|*.png|Immagine SVG (*.svg)|*.svg|Documento PDF (*.pdf)|*.pdf");
    request.defaultExt = QStringLiteral(".png");
    request.initialDir = programFolder;
    request.confirmOverwrite = true;
    const std::optional<QString> path = ui.SaveFileDialog(this, request);
    if (!path || path->isEmpty()) {
        return;
    }
    const std::optional<PictureFormat> format = PictureFormatOf(*path);
    if (!format) {
        Message(QStringLiteral("Formato non riconosciuto: ") + *path +
                    QStringLiteral("\r\nUsare l'estensione .png, .svg o .pdf"),
                MsgIcon::Exclamation);
        return;
    }
    QString reason;
    if (!SaveGridPicture(*path, *format, PictureOf(CurrentConfiguration()), &reason)) {
        Message(QStringLiteral("Impossibile esportare l'immagine sul file ") + *path +
                    QStringLiteral("\r\n") + reason,
                MsgIcon::Critical);
    }
}
