// THelpForm: the modeless help window with its fixed text. Created hidden
// at start-up; closing it only hides it, so text and scroll position stay.
#pragma once

#include <QWidget>

class QPlainTextEdit;

class THelpForm : public QWidget {
    Q_OBJECT

public:
    explicit THelpForm(QWidget* parent = nullptr);

    QPlainTextEdit* HelpMemo = nullptr;

    // The text box stays as tall as the window's outer height less 24; its
    // width does not follow the window.
    void FormResize();

protected:
    void resizeEvent(QResizeEvent* event) override;
};
