// Qt's own texts around the program's: the buttons of the real message boxes and the save
// dialog's question, read from the widgets the user sees, after the start-up every executable
// makes. The file dialogs' own labels come from the same catalogue.

#include "files/qt_italian.h"
#include "window/qt_modal_ui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
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

// Saving over a file asks first; the question is Qt's own and Italian too.
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
            dialog->selectFile(existing);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        }
    });
    timer->start();
    const std::optional<QString> chosen = ui.SaveFileDialog(nullptr, request);
    QVERIFY(!chosen);
    QVERIFY2(question.contains(QStringLiteral("giardino.dm6")), qPrintable(question));
    QVERIFY2(!question.contains(QStringLiteral("already exists")), qPrintable(question));
    QCOMPARE(answers, QStringList({QStringLiteral("No"), QStringLiteral("S\u00ec")}));
}

QTEST_MAIN(TstItalianTexts)
#include "tst_italian_texts.moc"
