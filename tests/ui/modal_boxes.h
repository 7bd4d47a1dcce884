// Catches every modal window that opens while a test runs: a message box is
// recorded and closed with a click on its OK button, anything else is
// recorded and closed. A test takes the boxes it expects; whatever is left
// is a failure, so an unexpected box fails the test instead of hanging it.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <vector>

struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::NoButton;
    bool messageBox = false;

    // The program's error box: its caption, the error icon and OK alone.
    bool IsErrorBox() const {
        return messageBox && title == QStringLiteral("induction motor") &&
               icon == QMessageBox::Critical && buttons == QMessageBox::Ok;
    }
};

class ModalBoxes {
public:
    ModalBoxes();
    ~ModalBoxes();
    ModalBoxes(const ModalBoxes&) = delete;
    ModalBoxes& operator=(const ModalBoxes&) = delete;

    // The boxes seen so far, in order; they no longer count as unexpected.
    std::vector<SeenBox> Take();

    // No watch while a test handles a popup of its own.
    class Paused {
    public:
        explicit Paused(ModalBoxes& boxes) : boxes_(boxes) { boxes_.timer_.stop(); }
        ~Paused() { boxes_.timer_.start(); }
        Paused(const Paused&) = delete;
        Paused& operator=(const Paused&) = delete;

    private:
        ModalBoxes& boxes_;
    };

private:
    void Poll();

    QTimer timer_;
    std::vector<SeenBox> seen_;
};
