// Qt's own texts around the program's: the buttons of the real message boxes, the save dialog's
// labels and buttons and its question, read from the widgets the user sees, after the start-up
// every executable makes.

#include "files/qt_italian.h"
#include "window/qt_modal_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs `look` on the modal widget of type T once it shows, then closes it.
template <typename T> void WhenShown(const std::function<void(T&)>& look) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [timer, look] {
        auto* shown = qobject_cast<T*>(QApplication::activeModalWidget());
        if (shown == nullptr) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        look(*shown);
        shown->reject();
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

QString LabelText(const QWidget& dialog, const char* name) {
    const auto* label = dialog.findChild<QLabel*>(QLatin1String(name));
    return label != nullptr ? label->text().remove(QLatin1Char('&')) : QString();
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
    QString details;
    WhenShown<QMessageBox>([&](QMessageBox& box) {
        for (QAbstractButton* button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::ActionRole) {
                details = button->text();
            } else {
                seen << button->text().remove(QLatin1Char('&'));
            }
        }
    });
    ui.DetailedMsgBox(nullptr, QStringLiteral("Testo"), MsgIcon::Question, MsgButtons::OkCancel,
                      QStringLiteral("Miravel6"), QStringLiteral("Dettagli"));
    seen.sort();
    QCOMPARE(seen, QStringList({QStringLiteral("Annulla"), QStringLiteral("OK")}));
    QCOMPARE(details, QStringLiteral("Mostra dettagli..."));
}

// The save dialog speaks Italian, and saving over a file asks first, in Italian too.
void TstItalianTexts::replaceQuestion() {
    QtModalUi ui;
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("giardino.dm6"));
    QFile file(existing);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    FileDialogRequest request;
    request.filter = QStringLiteral("File configurazione (*.dm6)|*.dm6");
    request.initialDir = folder.path();
    request.confirmOverwrite = true;
    QString question;
    QStringList answers;
    QStringList dialogButtons;
    QString lookIn;
    QString fileName;
    auto* timer = new QTimer;
    timer->setInterval(20);
    connect(timer, &QTimer::timeout, [&, timer] {
        QWidget* shown = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(shown)) {
            question = box->text();
            answers = ButtonTexts(box->buttons());
            timer->stop();
            timer->deleteLater();
            box->button(QMessageBox::No)->click();
            QTimer::singleShot(0, [] {
                if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                    dialog->reject();
                }
            });
        } else if (auto* dialog = qobject_cast<QFileDialog*>(shown); dialog && question.isEmpty()) {
            dialogButtons = ButtonTexts(dialog->findChild<QDialogButtonBox*>()->buttons());
            lookIn = LabelText(*dialog, "lookInLabel");
            fileName = LabelText(*dialog, "fileNameLabel");
            dialog->selectFile(existing);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    timer->start();
    const std::optional<QString> chosen = ui.SaveFileDialog(nullptr, request);
    QVERIFY(!chosen);
    QCOMPARE(dialogButtons, QStringList({QStringLiteral("Annulla"), QStringLiteral("Salva")}));
    QCOMPARE(lookIn, QStringLiteral("Cerca in:"));
    QCOMPARE(fileName, QStringLiteral("Nome del file:"));
    QVERIFY2(question.contains(QStringLiteral("giardino.dm6")), qPrintable(question));
    QVERIFY2(!question.contains(QStringLiteral("already exists")), qPrintable(question));
    QCOMPARE(answers, QStringList({QStringLiteral("No"), QStringLiteral("S\u00ec")}));
}

QTEST_MAIN(TstItalianTexts)
#include "tst_italian_texts.moc"
