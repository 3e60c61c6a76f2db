// Qt's own texts around the program's: the buttons of the real message boxes, the save dialog's
// buttons and its question, read from the widgets the user sees, after the start-up
// every executable makes.

#include "files/qt_italian.h"
#include "tests/support/file_bytes.h"
#include "window/qt_modal_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs `look` on each modal widget that shows until it returns true (it closes what it saw).
void WhileShown(const std::function<bool(QWidget&)>& look) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, look] {
        QWidget* shown = QApplication::activeModalWidget();
        if (shown != nullptr && look(*shown)) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

QStringList ButtonTexts(const QList<QAbstractButton*>& buttons) {
    QStringList texts;
    for (const QAbstractButton* button : buttons) {
        texts << button->text().remove(QLatin1Char('&'));
    }
    texts.sort();
    return texts;
}

} // namespace

class TstItalianTexts : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void messageBoxButtons();
    void replaceQuestion();
};

void TstItalianTexts::initTestCase() {
    QVERIFY2(InstallQtItalian(*QCoreApplication::instance()),
             "Qt's Italian translations (qt6-translations-l10n) are missing");
}

void TstItalianTexts::messageBoxButtons() {
    QtModalUi ui;
    QStringList seen;
    WhileShown([&](QWidget& shown) {
        auto* box = qobject_cast<QMessageBox*>(&shown);
        seen = ButtonTexts(box->buttons());
        box->reject();
        return true;
    });
    ui.DetailedMsgBox(nullptr, QStringLiteral("Testo"), MsgIcon::Question, MsgButtons::OkCancel,
                      QStringLiteral("Miravel6"), QStringLiteral("Dettagli"));
    QCOMPARE(seen, QStringList({QStringLiteral("Annulla"), QStringLiteral("Mostra dettagli..."),
                                QStringLiteral("OK")}));
}

// The save dialog speaks Italian, and saving over a file asks first, in Italian too.
void TstItalianTexts::replaceQuestion() {
    QtModalUi ui;
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("giardino.dm6"));
    QVERIFY(PutFile(existing, {}));
    FileDialogRequest request;
    request.filter = QStringLiteral("File configurazione (*.dm6)|*.dm6");
    request.initialDir = folder.path();
    request.confirmOverwrite = true;
    QString question;
    QStringList answers;
    QStringList dialogButtons;
    // The file chosen, the question answered No, then the dialog cancelled.
    WhileShown([&](QWidget& shown) {
        auto* dialog = qobject_cast<QFileDialog*>(&shown);
        if (auto* box = qobject_cast<QMessageBox*>(&shown)) {
            question = box->text();
            answers = ButtonTexts(box->buttons());
            box->button(QMessageBox::No)->click();
        } else if (dialog && question.isEmpty()) {
            dialogButtons = ButtonTexts(dialog->findChild<QDialogButtonBox*>()->buttons());
            dialog->selectFile(existing);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        } else if (dialog) {
            dialog->reject();
            return true;
        }
        return false;
    });
    const std::optional<QString> chosen = ui.SaveFileDialog(nullptr, request);
    QVERIFY(!chosen);
    QCOMPARE(dialogButtons, QStringList({QStringLiteral("Annulla"), QStringLiteral("Salva")}));
    QVERIFY2(question.contains(QStringLiteral("giardino.dm6")), qPrintable(question));
    QVERIFY2(!question.contains(QStringLiteral("already exists")), qPrintable(question));
    QCOMPARE(answers, QStringList({QStringLiteral("No"), QStringLiteral("S\u00ec")}));
}

QTEST_MAIN(TstItalianTexts)
#include "tst_italian_texts.moc"
